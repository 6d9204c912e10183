#include <vrx/popuptoolbutton.h>

#include <QActionEvent>
#include <QMenu>

namespace vrx {

PopupToolButton::PopupToolButton(QWidget* parent) : QToolButton(parent)
{
    setPopupMode(QToolButton::MenuButtonPopup);
}

PopupToolButton::~PopupToolButton() = default;

void PopupToolButton::setActions(const QList<QAction*>& actions)
{
    QMenu* previous = m_ownMenu;
    m_ownMenu = nullptr;
    if (actions.isEmpty()) {
        setMenu(nullptr);
    } else {
        m_ownMenu = new QMenu(this);
        for (QAction* action : actions) {
            if (action) {
                m_ownMenu->addAction(action);
            } else {
                m_ownMenu->addSeparator();
            }
        }
        setMenu(m_ownMenu);
        for (QAction* action : actions) {
            if (action) {
                setDefaultAction(action);
                break;
            }
        }
    }
    delete previous;
}

void PopupToolButton::actionEvent(QActionEvent* event)
{
    QToolButton::actionEvent(event);
    // setMenu() adds the menu's own action.
    if (event->type() == QEvent::ActionAdded && menu() && event->action() == menu()->menuAction()) {
        adoptMenu(menu());
    }
}

bool PopupToolButton::eventFilter(QObject* watched, QEvent* event)
{
    // Entries added to the menu after setMenu() still provide a default.
    if (watched == m_menu && event->type() == QEvent::ActionAdded && !defaultAction()) {
        defaultToFirstEntry();
    }
    return QToolButton::eventFilter(watched, event);
}

void PopupToolButton::adoptMenu(QMenu* menu)
{
    if (m_menu) {
        disconnect(m_menu, nullptr, this, nullptr);
        m_menu->removeEventFilter(this);
    }
    m_menu = menu;
    if (!menu->parent()) {
        menu->setParent(this, menu->windowFlags());
    }
    menu->installEventFilter(this);
    // The menu reports its entries' triggers from anywhere: the menu itself, shortcuts, code.
    connect(menu, &QMenu::triggered, this, &PopupToolButton::makeCurrent);
    setPopupMode(QToolButton::MenuButtonPopup);
    if (!defaultAction()) {
        defaultToFirstEntry();
    }
}

void PopupToolButton::makeCurrent(QAction* action)
{
    if (!action || action == defaultAction() || action->isSeparator() || action->menu() || menu() != m_menu) {
        return;
    }
    setDefaultAction(action);
}

void PopupToolButton::defaultToFirstEntry()
{
    const QList<QAction*> entries = menu()->actions();
    for (QAction* entry : entries) {
        if (!entry->isSeparator() && !entry->menu()) {
            setDefaultAction(entry);
            return;
        }
    }
}

} // namespace vrx
