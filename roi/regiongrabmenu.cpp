#include "regiongrabmenu.h"

#include <vrx/graphicsview.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QIcon>
#include <QMenu>

RegionGrabMenu::RegionGrabMenu(vrx::GraphicsView* view) : QObject(view), m_view(view)
{
    m_grab = new QAction(QIcon::fromTheme(QStringLiteral("tool-mark-rectangle")), tr("Grab Region"), this);
    m_grab->setToolTip(tr("Drag a rectangle over the picture to save it or search the web for it"));
    m_grab->setStatusTip(m_grab->toolTip());
    connect(m_grab, &QAction::triggered, view, &vrx::GraphicsView::startRegionGrab);
    // The context menu reaches the view through its viewport.
    view->viewport()->installEventFilter(this);
}

bool RegionGrabMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu || watched != m_view->viewport() ||
        m_view->primitiveDragMode() == vrx::PrimitiveManager::DrawDrag) {
        return QObject::eventFilter(watched, event);
    }
    auto* menu = new QMenu(m_view);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_grab);
    menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    event->accept();
    return true;
}
