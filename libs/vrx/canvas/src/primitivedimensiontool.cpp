#include "vrx/primitivedimensiontool.h"

#include <cmath>
#include <limits>

namespace vrx {

PrimitiveDimensionTool::PrimitiveDimensionTool(int type, QGraphicsItem* parent) : Primitive(type, parent)
{
    m_values.fill(std::numeric_limits<double>::quiet_NaN());
}

double PrimitiveDimensionTool::value(int quantity) const
{
    if (quantity < 0 || quantity >= PrimitiveQuantity::QuantityCount) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return m_values[std::size_t(quantity)];
}

void PrimitiveDimensionTool::setNote(const QString& note)
{
    if (note == m_note) {
        return;
    }
    m_note = note;
    refresh();
    emit noteChanged();
}

void PrimitiveDimensionTool::measure()
{
    m_values.fill(std::numeric_limits<double>::quiet_NaN());
    if (!isComplete()) {
        return;
    }
    const double aspect = pixelAspect();
    if (aspect == 1) {
        computeValues(points(), m_values);
        return;
    }
    // Pixels that are not square: measure where every pixel is as tall as it is wide.
    QVector<QPointF> scaled = points();
    for (QPointF& point : scaled) {
        point.ry() *= aspect;
    }
    computeValues(scaled, m_values);
}

QString PrimitiveDimensionTool::buildLabelText() const
{
    QString text;
    const double upp = unitsPerPixel();
    const QString symbol = unitSymbol();
    const int places = decimals();
    for (int q = 0; q < PrimitiveQuantity::QuantityCount; ++q) {
        const double v = m_values[std::size_t(q)];
        if (std::isnan(v)) {
            continue;
        }
        if (!text.isEmpty()) {
            text += QLatin1Char('\n');
        }
        text += PrimitiveQuantity::prefix(q) + QLatin1String(": ") +
                PrimitiveQuantity::format(PrimitiveQuantity::convert(v, q, upp), q, places, symbol);
    }
    if (!m_note.isEmpty()) {
        if (!text.isEmpty()) {
            text += QLatin1Char('\n');
        }
        text += m_note;
    }
    return text;
}

} // namespace vrx
