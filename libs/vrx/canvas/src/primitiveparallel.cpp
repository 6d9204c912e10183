#include "vrx/primitiveparallel.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

#include <QPainter>

namespace vrx {

PrimitiveParallel::PrimitiveParallel(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Parallel, parent) {}

QPainterPath PrimitiveParallel::buildPath() const
{
    const QVector<QPointF>& p = points();
    if (p.size() != 3) {
        return polylinePath();
    }
    // The parallel has the base's length, shifted to pass through the third point.
    const QPointF shift = p[2] - geometry::perpendicularFoot(p[2], p[0], p[1]);
    QPainterPath path;
    path.moveTo(p[0]);
    path.lineTo(p[1]);
    path.moveTo(p[0] + shift);
    path.lineTo(p[1] + shift);
    return path;
}

void PrimitiveParallel::paintDecorations(QPainter* painter, double) const
{
    const QVector<QPointF>& p = points();
    if (p.size() != 3) {
        return;
    }
    // The distance itself, dashed, from the base to the third point.
    painter->setPen(penWithStyle(Qt::DashLine));
    painter->drawLine(geometry::perpendicularFoot(p[2], p[0], p[1]), p[2]);
}

void PrimitiveParallel::computeValues(const QVector<QPointF>& p, Values& values) const
{
    values[PrimitiveQuantity::Distance] = geometry::pointLineDistance(p[2], p[0], p[1]);
}

} // namespace vrx
