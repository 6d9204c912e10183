#include "vrx/primitiveactionmanager.h"

#include "vrx/graphicsview.h"
#include "vrx/primitivetype.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QIcon>

namespace vrx {

PrimitiveActionManager* PrimitiveActionManager::getInstance()
{
    static QPointer<PrimitiveActionManager> instance;
    if (!instance) {
        instance = new PrimitiveActionManager(QCoreApplication::instance());
    }
    return instance;
}

PrimitiveActionManager::PrimitiveActionManager(QObject* parent) : QObject(parent), m_group(new QActionGroup(this))
{
    m_group->setExclusive(true);
    QAction* drag = addModeAction(PrimitiveManager::HandDrag, -1, QStringLiteral("tool-drag"), tr("Drag"));
    drag->setToolTip(tr("Move the picture"));
    QAction* select = addModeAction(PrimitiveManager::SelectDrag, -1, QStringLiteral("tool-select"), tr("Select"));
    select->setToolTip(tr("Select and edit tools"));
    select->setChecked(true);
    for (int type : PrimitiveType::all()) {
        if (type != PrimitiveType::ScaleBar) {
            addModeAction(PrimitiveManager::DrawDrag, type, PrimitiveType::iconName(type), PrimitiveType::name(type));
        }
    }
    m_regionGrab = new QAction(QIcon::fromTheme(QStringLiteral("tool-mark-rectangle")), tr("Region grab"), this);
    m_regionGrab->setToolTip(tr("Drag a rectangle over the picture to take it out"));
    m_regionGrab->setCheckable(true);
    m_group->addAction(m_regionGrab);
    connect(m_regionGrab, &QAction::triggered, this, [this] {
        if (m_view) {
            m_view->startRegionGrab();
        }
    });

    m_delete = new QAction(QIcon::fromTheme(QStringLiteral("tool-delete")), tr("Delete"), this);
    m_delete->setToolTip(tr("Delete the selected tools"));
    connect(m_delete, &QAction::triggered, this, [this] {
        if (m_view) {
            m_view->primitiveManager()->deleteSelectedTools();
        }
    });
    m_deleteAll = new QAction(QIcon::fromTheme(QStringLiteral("tool-delete-all")), tr("Delete all"), this);
    m_deleteAll->setToolTip(tr("Delete all tools"));
    connect(m_deleteAll, &QAction::triggered, this, [this] {
        if (m_view) {
            m_view->primitiveManager()->deleteAllTools(false);
        }
    });
}

QAction* PrimitiveActionManager::addModeAction(int group, int id, const QString& icon, const QString& text)
{
    auto* action = new QAction(QIcon::fromTheme(icon), text, this);
    action->setCheckable(true);
    action->setToolTip(text);
    m_group->addAction(action);
    m_actions.insert(qMakePair(group, id), action);
    m_order.append(qMakePair(group, id));
    connect(action, &QAction::triggered, this, [this, group, id] {
        if (m_view) {
            m_view->setPrimitiveDragMode(PrimitiveManager::DragMode(group), id);
        }
    });
    return action;
}

void PrimitiveActionManager::setGraphicsView(GraphicsView* view)
{
    if (m_view) {
        disconnect(m_view, nullptr, this, nullptr);
    }
    m_view = view;
    if (view) {
        connect(view, &GraphicsView::primitiveDragModeChanged, this, &PrimitiveActionManager::modeChanged);
        modeChanged(int(view->primitiveDragMode()), view->primitiveToolType());
    }
}

QAction* PrimitiveActionManager::action(int group, int id) const
{
    return m_actions.value(qMakePair(group, id), nullptr);
}

QList<QAction*> PrimitiveActionManager::actions(int group) const
{
    QList<QAction*> list;
    for (const auto& key : m_order) {
        if (key.first == group) {
            list.append(m_actions.value(key));
        }
    }
    return list;
}

void PrimitiveActionManager::modeChanged(int mode, int toolType)
{
    // The view changed its mode itself (after a region grab, say): show it.
    if (m_view && m_view->isRegionGrab()) {
        m_regionGrab->setChecked(true);
        return;
    }
    if (QAction* a = action(mode, mode == PrimitiveManager::DrawDrag ? toolType : -1)) {
        a->setChecked(true);
    }
}

} // namespace vrx
