#include "vrx/primitivecounter.h"

#include "vrx/primitivetype.h"

#include <QPainter>

namespace vrx {

PrimitiveCounter::PrimitiveCounter(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Counter, parent) {}

void PrimitiveCounter::computeValues(const QVector<QPointF>& p, Values& values) const
{
    values[PrimitiveQuantity::Count] = p.size();
}

void PrimitiveCounter::paintDecorations(QPainter* painter, double pixel) const
{
    const double half = 6 * pixel;
    painter->setPen(penWithStyle(Qt::SolidLine));
    for (const QPointF& p : points()) {
        painter->drawLine(p - QPointF(half, half), p + QPointF(half, half));
        painter->drawLine(p - QPointF(half, -half), p + QPointF(half, -half));
    }
}

} // namespace vrx
