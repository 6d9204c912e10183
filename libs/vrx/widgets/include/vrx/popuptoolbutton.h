#pragma once

#include <QList>
#include <QPointer>
#include <QToolButton>

class QMenu;

namespace vrx {

/// A tool button for a family of variants: it shows one action, and its arrow opens a menu of
/// all of them.
///
/// The button's current action is its default action: clicking the button triggers it, and
/// the button shows its icon, tool tip and check state. Choosing a menu entry triggers that
/// entry (once) and makes it the current action; so does triggering an entry from elsewhere,
/// for instance by its shortcut.
///
/// Both ways of filling it work: setActions(), or QToolButton's setMenu() with a menu made
/// by the caller. Either way the menu's first entry becomes the current action while the
/// button has none, and the popup mode is MenuButtonPopup. A menu without a parent given to
/// setMenu() is adopted by the button and deleted with it.
class PopupToolButton final : public QToolButton
{
    Q_OBJECT

public:
    explicit PopupToolButton(QWidget* parent = nullptr);
    ~PopupToolButton() override;

    /// Replaces the menu by one holding `actions` (the caller keeps owning them; null entries
    /// become separators) and makes the first one current. An empty list removes the menu and
    /// keeps the current action.
    void setActions(const QList<QAction*>& actions);

    /// The action the button shows and triggers; null while it has none.
    QAction* currentAction() const { return defaultAction(); }

protected:
    void actionEvent(QActionEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adoptMenu(QMenu* menu);
    void makeCurrent(QAction* action);
    void defaultToFirstEntry();

    QPointer<QMenu> m_menu;     // the menu being watched
    QMenu* m_ownMenu = nullptr; // made by setActions()
};

} // namespace vrx
