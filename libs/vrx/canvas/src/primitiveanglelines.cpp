#include "vrx/primitiveanglelines.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

#include <QPainter>

namespace vrx {

namespace {
// Lines meeting farther away than this many times their length are drawn without extensions.
constexpr double kFarFactor = 20;
} // namespace

PrimitiveAngleLines::PrimitiveAngleLines(QGraphicsItem* parent)
    : PrimitiveDimensionTool(PrimitiveType::AngleLines, parent)
{}

QPainterPath PrimitiveAngleLines::buildPath() const
{
    const QVector<QPointF>& p = points();
    QPainterPath path;
    if (p.size() < 2) {
        return path;
    }
    path.moveTo(p[0]);
    path.lineTo(p[1]);
    if (p.size() >= 3) {
        path.moveTo(p[2]);
        path.lineTo(p.value(3, p[2]));
    }
    return path;
}

void PrimitiveAngleLines::paintDecorations(QPainter* painter, double) const
{
    const QVector<QPointF>& p = points();
    QPointF at;
    if (p.size() != 4 || !geometry::lineIntersection(p[0], p[1], p[2], p[3], &at)) {
        return;
    }
    const double span = geometry::distance(p[0], p[1]) + geometry::distance(p[2], p[3]);
    if (geometry::distance(at, p[0]) > kFarFactor * span) {
        return;
    }
    painter->setPen(penWithStyle(Qt::DotLine));
    auto nearer = [&](const QPointF& a, const QPointF& b) {
        return geometry::distance(at, a) < geometry::distance(at, b) ? a : b;
    };
    painter->drawLine(nearer(p[0], p[1]), at);
    painter->drawLine(nearer(p[2], p[3]), at);
}

void PrimitiveAngleLines::computeValues(const QVector<QPointF>& p, Values& values) const
{
    values[PrimitiveQuantity::Angle] = geometry::angleBetweenLines(p[0], p[1], p[2], p[3]);
}

QPointF PrimitiveAngleLines::labelAnchor() const
{
    const QVector<QPointF>& p = points();
    QPointF at;
    if (p.size() == 4 && geometry::lineIntersection(p[0], p[1], p[2], p[3], &at) &&
        geometry::distance(at, p[0]) <=
            kFarFactor * (geometry::distance(p[0], p[1]) + geometry::distance(p[2], p[3]))) {
        return at;
    }
    return Primitive::labelAnchor();
}

} // namespace vrx
