#include "vrx/primitivecalibrationruler.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

#include <QPainter>
#include <cmath>

namespace vrx {

PrimitiveCalibrationRuler::PrimitiveCalibrationRuler(QGraphicsItem* parent)
    : Primitive(PrimitiveType::CalibrationRuler, parent)
{}

double PrimitiveCalibrationRuler::pixelLength() const
{
    return points().size() == 2 ? geometry::distance(points()[0], points()[1]) : 0;
}

QPainterPath PrimitiveCalibrationRuler::buildPath() const
{
    return polylinePath();
}

void PrimitiveCalibrationRuler::paintDecorations(QPainter* painter, double pixel) const
{
    if (points().size() != 2) {
        return;
    }
    const QPointF a = points()[0], b = points()[1];
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    if (len == 0) {
        return;
    }
    // End ticks across the ruler, 10 screen pixels long.
    const QPointF n(-d.y() / len * 5 * pixel, d.x() / len * 5 * pixel);
    const QPointF ticks[] = {a - n, a + n, b - n, b + n};
    painter->drawLines(ticks, 2);
}

QString PrimitiveCalibrationRuler::buildLabelText() const
{
    return QString::number(pixelLength(), 'f', decimals()) + QLatin1String(" px");
}

QPointF PrimitiveCalibrationRuler::labelAnchor() const
{
    return points().size() == 2 ? (points()[0] + points()[1]) / 2 : Primitive::labelAnchor();
}

} // namespace vrx
