#include "vrx/primitiveperpendicular.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

#include <QPainter>

namespace vrx {

PrimitivePerpendicular::PrimitivePerpendicular(int type, QGraphicsItem* parent) : PrimitiveDimensionTool(type, parent)
{}

int PrimitivePerpendicular::pointCount() const
{
    return type() == PrimitiveType::Perpendicular ? 4 : 3;
}

QPointF PrimitivePerpendicular::constrainPoint(int index, const QPointF& point) const
{
    const QVector<QPointF>& p = points();
    if (type() != PrimitiveType::Perpendicular || index != 3 || p.size() < 3 || p[0] == p[1]) {
        return point;
    }
    // Keep only the part of the movement along the base line's normal.
    const QPointF along =
        geometry::perpendicularFoot(point, p[0], p[1]) - geometry::perpendicularFoot(p[2], p[0], p[1]);
    return point - along;
}

QPainterPath PrimitivePerpendicular::buildPath() const
{
    const QVector<QPointF>& p = points();
    QPainterPath path;
    if (p.size() < 2) {
        return path;
    }
    path.moveTo(p[0]);
    path.lineTo(p[1]);
    if (type() == PrimitiveType::Perpendicular && p.size() == 4) {
        path.moveTo(p[2]);
        path.lineTo(p[3]);
    }
    return path;
}

void PrimitivePerpendicular::paintDecorations(QPainter* painter, double) const
{
    const QVector<QPointF>& p = points();
    if (p.size() < 3) {
        return;
    }
    painter->setPen(penWithStyle(Qt::DashLine));
    if (type() == PrimitiveType::PointToLine) {
        const QPointF foot = geometry::perpendicularFoot(p[2], p[0], p[1]);
        painter->drawLine(p[2], foot);
        // The base line's extension when the foot lies beyond it.
        const QPointF nearer = geometry::distance(foot, p[0]) < geometry::distance(foot, p[1]) ? p[0] : p[1];
        if (geometry::distance(foot, p[0]) + geometry::distance(foot, p[1]) > geometry::distance(p[0], p[1]) + 1e-9) {
            painter->drawLine(nearer, foot);
        }
    } else if (p.size() == 4) {
        // The segment's line down to the base.
        const QPointF foot = geometry::perpendicularFoot(p[2], p[0], p[1]);
        painter->drawLine(p[2], foot);
    }
}

void PrimitivePerpendicular::computeValues(const QVector<QPointF>& p, Values& values) const
{
    if (type() == PrimitiveType::PointToLine) {
        values[PrimitiveQuantity::Distance] = geometry::pointLineDistance(p[2], p[0], p[1]);
    } else {
        values[PrimitiveQuantity::Length] = geometry::distance(p[2], p[3]);
    }
}

} // namespace vrx
