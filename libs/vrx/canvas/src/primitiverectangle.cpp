#include "vrx/primitiverectangle.h"

#include "vrx/primitivetype.h"

#include <cmath>

namespace vrx {

PrimitiveRectangle::PrimitiveRectangle(QGraphicsItem* parent) : PrimitiveTwoPointTool(PrimitiveType::Rectangle, parent)
{}

QPainterPath PrimitiveRectangle::buildPath() const
{
    QPainterPath path;
    if (points().size() == 2) {
        path.addRect(QRectF(p1(), p2()).normalized());
    }
    return path;
}

void PrimitiveRectangle::computeValues(const QVector<QPointF>& p, Values& values) const
{
    const double w = std::abs(p[1].x() - p[0].x());
    const double h = std::abs(p[1].y() - p[0].y());
    values[PrimitiveQuantity::Width] = w;
    values[PrimitiveQuantity::Height] = h;
    values[PrimitiveQuantity::Perimeter] = 2 * (w + h);
    values[PrimitiveQuantity::Area] = w * h;
}

QPointF PrimitiveRectangle::labelAnchor() const
{
    const QRectF r = QRectF(p1(), p2()).normalized();
    return r.bottomRight();
}

} // namespace vrx
