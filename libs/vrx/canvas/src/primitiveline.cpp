#include "vrx/primitiveline.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitiveLine::PrimitiveLine(QGraphicsItem* parent) : PrimitiveTwoPointTool(PrimitiveType::Line, parent) {}

QPainterPath PrimitiveLine::buildPath() const
{
    return polylinePath();
}

void PrimitiveLine::computeValues(const QVector<QPointF>& p, Values& values) const
{
    values[PrimitiveQuantity::Length] = geometry::distance(p[0], p[1]);
    values[PrimitiveQuantity::Angle] = geometry::lineAngle(p[0], p[1]);
}

} // namespace vrx
