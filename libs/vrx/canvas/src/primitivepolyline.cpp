#include "vrx/primitivepolyline.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitivePolyline::PrimitivePolyline(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Polyline, parent) {}

QPainterPath PrimitivePolyline::buildPath() const
{
    return polylinePath();
}

void PrimitivePolyline::computeValues(const QVector<QPointF>& p, Values& values) const
{
    values[PrimitiveQuantity::Length] = geometry::polylineLength(p);
}

} // namespace vrx
