#include "vrx/primitivearc.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitiveArc::PrimitiveArc(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Arc, parent) {}

QPainterPath PrimitiveArc::buildPath() const
{
    const QVector<QPointF>& p = points();
    geometry::Arc arc;
    if (p.size() != 3 || !geometry::arcFrom3Points(p[0], p[1], p[2], &arc)) {
        return polylinePath();
    }
    const QRectF box(arc.centre - QPointF(arc.radius, arc.radius), QSizeF(2 * arc.radius, 2 * arc.radius));
    QPainterPath path;
    path.arcMoveTo(box, arc.startAngle);
    path.arcTo(box, arc.startAngle, arc.sweepAngle);
    return path;
}

void PrimitiveArc::computeValues(const QVector<QPointF>& p, Values& values) const
{
    geometry::Arc arc;
    if (!geometry::arcFrom3Points(p[0], p[1], p[2], &arc)) {
        return;
    }
    values[PrimitiveQuantity::Radius] = arc.radius;
    values[PrimitiveQuantity::Length] = arc.length;
    values[PrimitiveQuantity::Angle] = std::abs(arc.sweepAngle);
}

QPointF PrimitiveArc::labelAnchor() const
{
    return points().size() == 3 ? points()[1] : Primitive::labelAnchor();
}

} // namespace vrx
