#pragma once

#include <QFrame>

#include <memory>

class QAbstractButton;
class QLabel;

namespace QWK {

class WindowBarPrivate;

/// The caption row of a frameless window: six fixed slots (icon, title, menu, minimise, maximise,
/// close). It turns button clicks into requests and follows the host window's title, icon and
/// maximised state.
class WindowBar : public QFrame
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(WindowBar)

public:
    explicit WindowBar(QWidget* parent = nullptr);
    ~WindowBar() override;

    QWidget* hostWidget() const;
    /// The window whose title, icon and state the bar follows; null stops following.
    void setHostWidget(QWidget* host);

    // Each setter replaces the slot's widget (the old one is deleted later); null empties the slot.
    QAbstractButton* iconButton() const;
    void setIconButton(QAbstractButton* button);
    QLabel* titleLabel() const;
    void setTitleLabel(QLabel* label);
    QAbstractButton* menuButton() const;
    void setMenuButton(QAbstractButton* button);
    QAbstractButton* minButton() const;
    void setMinButton(QAbstractButton* button);
    QAbstractButton* maxButton() const;
    void setMaxButton(QAbstractButton* button);
    QAbstractButton* closeButton() const;
    void setCloseButton(QAbstractButton* button);

    bool titleFollowWindow() const;
    void setTitleFollowWindow(bool follow);
    bool iconFollowWindow() const;
    void setIconFollowWindow(bool follow);

signals:
    void menuRequested();
    void minimizeRequested();
    void maximizeRequested(bool max = false);
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    /// Called after the host's title was copied to the title label; for subclasses.
    virtual void titleChanged(const QString& title);
    /// Called after the host's icon was copied to the icon button; for subclasses.
    virtual void iconChanged(const QIcon& icon);

private:
    std::unique_ptr<WindowBarPrivate> d_ptr;
};

} // namespace QWK
