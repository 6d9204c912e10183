#include "vrx/primitivepolygon.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitivePolygon::PrimitivePolygon(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Polygon, parent) {}

QPainterPath PrimitivePolygon::buildPath() const
{
    return polylinePath(true);
}

void PrimitivePolygon::computeValues(Values& values) const
{
    values[PrimitiveQuantity::Perimeter] = geometry::polygonPerimeter(points());
    values[PrimitiveQuantity::Area] = geometry::polygonArea(points());
}

} // namespace vrx
