#pragma once

#include <QIcon>
#include <QPushButton>

#include <memory>

namespace QWK {

class WindowButtonPrivate;

/// A caption button that shows one of three icons according to its state and reports double clicks.
class WindowButton : public QPushButton
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(WindowButton)
    Q_PROPERTY(QIcon iconNormal READ iconNormal WRITE setIconNormal)
    Q_PROPERTY(QIcon iconChecked READ iconChecked WRITE setIconChecked)
    Q_PROPERTY(QIcon iconDisabled READ iconDisabled WRITE setIconDisabled)

public:
    explicit WindowButton(QWidget* parent = nullptr);
    ~WindowButton() override;

    QIcon iconNormal() const;
    void setIconNormal(const QIcon& icon);

    QIcon iconChecked() const;
    void setIconChecked(const QIcon& icon);

    QIcon iconDisabled() const;
    void setIconDisabled(const QIcon& icon);

signals:
    void doubleClicked();

protected:
    void checkStateSet() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<WindowButtonPrivate> d_ptr;
};

} // namespace QWK
