#include "vrx/primitiveangle.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitiveAngle::PrimitiveAngle(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Angle, parent) {}

QPainterPath PrimitiveAngle::buildPath() const
{
    QPainterPath path = polylinePath();
    const QVector<QPointF>& p = points();
    if (p.size() != 3) {
        return path;
    }
    const double radius = qMin(geometry::distance(p[0], p[1]), geometry::distance(p[2], p[1])) / 3;
    if (radius <= 0) {
        return path;
    }
    const double start = geometry::lineAngle(p[1], p[0]);
    double sweep = geometry::lineAngle(p[1], p[2]) - start;
    if (sweep > 180) {
        sweep -= 360;
    } else if (sweep < -180) {
        sweep += 360;
    }
    const QRectF box(p[1] - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    return path;
}

void PrimitiveAngle::computeValues(const QVector<QPointF>& p, Values& values) const
{
    values[PrimitiveQuantity::Angle] = geometry::angleAt(p[0], p[1], p[2]);
}

QPointF PrimitiveAngle::labelAnchor() const
{
    return points().size() == 3 ? points()[1] : Primitive::labelAnchor();
}

} // namespace vrx
