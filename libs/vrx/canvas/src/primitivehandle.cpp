#include "primitivehandle.h"

#include "vrx/graphicsscene.h"
#include "vrx/primitive.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace vrx {

namespace {
constexpr double kHalf = 4; // screen pixels
}

PrimitiveHandle::PrimitiveHandle(Primitive* tool, int index) : QGraphicsItem(tool), m_tool(tool), m_index(index)
{
    setFlag(ItemIgnoresTransformations);
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::LeftButton);
    setCursor(Qt::SizeAllCursor);
    setZValue(2);
}

QRectF PrimitiveHandle::boundingRect() const
{
    return QRectF(-kHalf - 1, -kHalf - 1, 2 * kHalf + 2, 2 * kHalf + 2);
}

void PrimitiveHandle::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (auto* canvas = qobject_cast<GraphicsScene*>(scene()); canvas && canvas->isExporting()) {
        return;
    }
    painter->setPen(QPen(Qt::black, 1));
    painter->setBrush(m_hovered ? QColor(255, 200, 0) : QColor(255, 255, 255));
    painter->drawRect(QRectF(-kHalf, -kHalf, 2 * kHalf, 2 * kHalf));
}

void PrimitiveHandle::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    event->accept();
}

void PrimitiveHandle::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    m_tool->setPoint(m_index, m_tool->mapFromScene(event->scenePos()));
}

void PrimitiveHandle::hoverEnterEvent(QGraphicsSceneHoverEvent*)
{
    m_hovered = true;
    update();
}

void PrimitiveHandle::hoverLeaveEvent(QGraphicsSceneHoverEvent*)
{
    m_hovered = false;
    update();
}

} // namespace vrx
