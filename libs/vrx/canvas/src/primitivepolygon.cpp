#include "vrx/primitivepolygon.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitivePolygon::PrimitivePolygon(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Polygon, parent) {}

QPainterPath PrimitivePolygon::buildPath() const
{
    return polylinePath(true);
}

void PrimitivePolygon::computeValues(const QVector<QPointF>& p, Values& values) const
{
    values[PrimitiveQuantity::Perimeter] = geometry::polygonPerimeter(p);
    values[PrimitiveQuantity::Area] = geometry::polygonArea(p);
}

} // namespace vrx
