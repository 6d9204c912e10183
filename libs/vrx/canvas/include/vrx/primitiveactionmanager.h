#pragma once

#include <QHash>
#include <QObject>
#include <QPair>
#include <QPointer>

class QAction;
class QActionGroup;

namespace vrx {

class GraphicsView;

/// The canvas's mode actions, shared by every palette: group 0 the hand drag (id -1), group 1
/// the selection (id -1), group 2 one action per tool type (id = the type). They are checkable
/// and mutually exclusive, together with the region-grab action. The delete actions work on
/// the view's selection. Everything goes to the view set last.
class PrimitiveActionManager final : public QObject
{
    Q_OBJECT
public:
    /// Created on first use, owned by the application object.
    static PrimitiveActionManager* getInstance();

    void setGraphicsView(GraphicsView* view);
    GraphicsView* graphicsView() const { return m_view; }

    /// Null for an unknown group or id.
    QAction* action(int group, int id) const;
    QList<QAction*> actions(int group) const;
    QAction* deleteAction() const { return m_delete; }
    QAction* deleteAllAction() const { return m_deleteAll; }
    QAction* regionGrabAction() const { return m_regionGrab; }

private:
    explicit PrimitiveActionManager(QObject* parent);
    QAction* addModeAction(int group, int id, const QString& icon, const QString& text);
    void modeChanged(int mode, int toolType);

    QActionGroup* m_group;
    QHash<QPair<int, int>, QAction*> m_actions;
    QList<QPair<int, int>> m_order;
    QAction* m_delete;
    QAction* m_deleteAll;
    QAction* m_regionGrab;
    QPointer<GraphicsView> m_view;
};

} // namespace vrx
