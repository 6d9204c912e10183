#include "vrx/primitivetwocircles.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

#include <QPainter>

namespace vrx {

PrimitiveTwoCircles::PrimitiveTwoCircles(int type, QGraphicsItem* parent) : PrimitiveDimensionTool(type, parent) {}

QPainterPath PrimitiveTwoCircles::buildPath() const
{
    const QVector<QPointF>& p = points();
    QPainterPath path;
    for (int i = 0; i + 1 < p.size(); i += 2) {
        const double r = geometry::distance(p[i], p[i + 1]);
        path.addEllipse(p[i], r, r);
    }
    if (p.size() == 3) {
        path.moveTo(p[0]);
        path.lineTo(p[2]);
    }
    return path;
}

void PrimitiveTwoCircles::paintDecorations(QPainter* painter, double) const
{
    const QVector<QPointF>& p = points();
    if (p.size() != 4) {
        return;
    }
    painter->setPen(penWithStyle(Qt::DashLine));
    painter->drawLine(p[0], p[2]);
}

void PrimitiveTwoCircles::computeValues(const QVector<QPointF>& p, Values& values) const
{
    const double r1 = geometry::distance(p[0], p[1]), r2 = geometry::distance(p[2], p[3]);
    values[PrimitiveQuantity::Radius] = r1;
    values[PrimitiveQuantity::Radius2] = r2;
    values[PrimitiveQuantity::Distance] = geometry::distance(p[0], p[2]);
    if (type() == PrimitiveType::TwoCirclesGap) {
        values[PrimitiveQuantity::EdgeDistance] = geometry::circleGap(p[0], r1, p[2], r2);
    } else if (type() == PrimitiveType::TwoCirclesSpan) {
        values[PrimitiveQuantity::EdgeDistance] = geometry::circleSpan(p[0], r1, p[2], r2);
    }
}

QPointF PrimitiveTwoCircles::labelAnchor() const
{
    const QVector<QPointF>& p = points();
    return p.size() == 4 ? (p[0] + p[2]) / 2 : Primitive::labelAnchor();
}

} // namespace vrx
