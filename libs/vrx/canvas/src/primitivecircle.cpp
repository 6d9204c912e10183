#include "vrx/primitivecircle.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

namespace vrx {

PrimitiveCircle::PrimitiveCircle(int type, QGraphicsItem* parent) : PrimitiveDimensionTool(type, parent) {}

int PrimitiveCircle::pointCount() const
{
    return type() == PrimitiveType::Circle3Points ? 3 : 2;
}

bool PrimitiveCircle::circle(QPointF* centre, double* radius) const
{
    return circleOf(points(), centre, radius);
}

bool PrimitiveCircle::circleOf(const QVector<QPointF>& p, QPointF* centre, double* radius) const
{
    if (p.size() != pointCount()) {
        return false;
    }
    switch (type()) {
    case PrimitiveType::Circle3Points:
        return geometry::circleFrom3Points(p[0], p[1], p[2], centre, radius);
    case PrimitiveType::CircleDiameter:
        *centre = (p[0] + p[1]) / 2;
        *radius = geometry::distance(p[0], p[1]) / 2;
        return true;
    default:
        *centre = p[0];
        *radius = geometry::distance(p[0], p[1]);
        return true;
    }
}

QPainterPath PrimitiveCircle::buildPath() const
{
    QPointF centre;
    double radius = 0;
    if (!circle(&centre, &radius)) {
        return polylinePath();
    }
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    if (type() == PrimitiveType::CircleCentre) {
        path.moveTo(centre);
        path.lineTo(points()[1]);
    } else if (type() == PrimitiveType::CircleDiameter) {
        path.moveTo(points()[0]);
        path.lineTo(points()[1]);
    }
    return path;
}

void PrimitiveCircle::computeValues(const QVector<QPointF>& p, Values& values) const
{
    QPointF centre;
    double radius = 0;
    if (!circleOf(p, &centre, &radius)) {
        return;
    }
    values[PrimitiveQuantity::Radius] = radius;
    values[PrimitiveQuantity::Diameter] = 2 * radius;
    values[PrimitiveQuantity::Perimeter] = geometry::circlePerimeter(radius);
    values[PrimitiveQuantity::Area] = geometry::circleArea(radius);
}

QPointF PrimitiveCircle::labelAnchor() const
{
    QPointF centre;
    double radius = 0;
    if (!circle(&centre, &radius)) {
        return Primitive::labelAnchor();
    }
    return centre + QPointF(radius * 0.7071, radius * 0.7071);
}

} // namespace vrx
