#include "vrx/primitiveline.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitiveLine::PrimitiveLine(QGraphicsItem* parent) : PrimitiveTwoPointTool(PrimitiveType::Line, parent) {}

QPainterPath PrimitiveLine::buildPath() const
{
    return polylinePath();
}

void PrimitiveLine::computeValues(Values& values) const
{
    values[PrimitiveQuantity::Length] = geometry::distance(p1(), p2());
    values[PrimitiveQuantity::Angle] = geometry::lineAngle(p1(), p2());
}

} // namespace vrx
