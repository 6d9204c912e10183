#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QActionGroup;
class QIcon;
class QVBoxLayout;

namespace vrx {

/// A vertical navigation strip: page buttons at the top, command buttons at the bottom.
///
/// Top actions are pages: checkable and mutually exclusive, numbered from 0 in the order they
/// were added. Bottom actions are the caller's own actions shown as buttons below a stretch;
/// the strip does not own them. Every button shows its icon above its text; long texts wrap
/// onto a second line and are elided after it, the full text stays in the tool tip.
///
/// No page is selected until setCurrentIndex() is called or the user clicks a page, so the
/// first setCurrentIndex(0) always reports currentIndexChanged(0).
class SideBar final : public QWidget
{
    Q_OBJECT

public:
    explicit SideBar(QWidget* parent = nullptr);
    ~SideBar() override;

    /// Appends a page button and returns its action (owned by the strip). Its index is the
    /// number of pages before it.
    QAction* addTopAction(const QString& text, const QIcon& icon);
    /// Appends one button per action, in order, at the bottom. Null entries are skipped.
    void addBottomActions(const QList<QAction*>& actions);
    void addBottomAction(QAction* action);

    int count() const { return m_topActions.size(); }
    /// The page action at `index`, or null when there is none.
    QAction* topAction(int index) const;

    /// The selected page, or -1 while none is.
    int currentIndex() const { return m_currentIndex; }
    /// The selected page's text without mnemonic marks; empty while none is selected.
    QString currentText() const;

public slots:
    /// Selects a page. An index out of range is ignored with a warning; selecting the page
    /// already selected changes nothing and emits nothing.
    void setCurrentIndex(int index);

signals:
    /// A different page was selected, by the user or by setCurrentIndex().
    void currentIndexChanged(int index);

private:
    void onTopActionToggled(QAction* action, bool checked);

    QVBoxLayout* m_layout;
    QActionGroup* m_pageGroup;
    QList<QAction*> m_topActions;
    int m_currentIndex = -1;
};

} // namespace vrx
