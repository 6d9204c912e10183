#pragma once

#include <QObject>

class QAction;

namespace vrx {
class GraphicsView;
}

/// A context menu on the picture with the way into region grab: right-click, "Grab Region",
/// drag a rectangle. Not offered while a tool is being drawn, where the right button ends
/// or cancels the tool. Lives as a child of the view.
class RegionGrabMenu final : public QObject
{
    Q_OBJECT

public:
    explicit RegionGrabMenu(vrx::GraphicsView* view);

    QAction* grabAction() const { return m_grab; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    vrx::GraphicsView* m_view;
    QAction* m_grab;
};
