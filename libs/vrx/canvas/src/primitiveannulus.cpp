#include "vrx/primitiveannulus.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitiveAnnulus::PrimitiveAnnulus(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Annulus, parent) {}

QPainterPath PrimitiveAnnulus::buildPath() const
{
    const QVector<QPointF>& p = points();
    QPainterPath path;
    if (p.size() < 2) {
        return path;
    }
    for (int i = 1; i < p.size(); ++i) {
        const double r = geometry::distance(p[0], p[i]);
        path.addEllipse(p[0], r, r);
    }
    return path;
}

void PrimitiveAnnulus::computeValues(const QVector<QPointF>& p, Values& values) const
{
    const double a = geometry::distance(p[0], p[1]), b = geometry::distance(p[0], p[2]);
    const double outer = qMax(a, b), inner = qMin(a, b);
    values[PrimitiveQuantity::Radius] = outer;
    values[PrimitiveQuantity::Radius2] = inner;
    values[PrimitiveQuantity::Width] = outer - inner;
    values[PrimitiveQuantity::Area] = geometry::annulusArea(outer, inner);
}

QPointF PrimitiveAnnulus::labelAnchor() const
{
    const QVector<QPointF>& p = points();
    if (p.size() != 3) {
        return Primitive::labelAnchor();
    }
    const double r = qMax(geometry::distance(p[0], p[1]), geometry::distance(p[0], p[2]));
    return p[0] + QPointF(r * 0.7071, r * 0.7071);
}

} // namespace vrx
