#include "vrx/primitivecounter.h"

#include "vrx/primitivetype.h"

#include <QPainter>

namespace vrx {

PrimitiveCounter::PrimitiveCounter(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Counter, parent) {}

void PrimitiveCounter::computeValues(Values& values) const
{
    values[PrimitiveQuantity::Count] = points().size();
}

void PrimitiveCounter::paintDecorations(QPainter* painter, double pixel) const
{
    const double half = 6 * pixel;
    QPen solid = pen();
    solid.setStyle(Qt::SolidLine);
    painter->setPen(solid);
    for (const QPointF& p : points()) {
        painter->drawLine(p - QPointF(half, half), p + QPointF(half, half));
        painter->drawLine(p - QPointF(half, -half), p + QPointF(half, -half));
    }
}

} // namespace vrx
