#include "vrx/primitivescalebar.h"

#include "vrx/geometry.h"
#include "vrx/primitivetype.h"

#include <QPainter>

namespace vrx {

PrimitiveScaleBar::PrimitiveScaleBar(QGraphicsItem* parent) : Primitive(PrimitiveType::ScaleBar, parent)
{
    setZValue(10);
}

void PrimitiveScaleBar::layout(const QRectF& pictureRect)
{
    const double upp = unitsPerPixel();
    if (pictureRect.isEmpty() || !(upp > 0)) {
        return;
    }
    m_length = geometry::niceLength(pictureRect.width() * 0.2 * upp);
    const double pixels = m_length / upp;
    const QPointF right(pictureRect.right() - pictureRect.width() * 0.04,
                        pictureRect.bottom() - pictureRect.height() * 0.08);
    setPoints({right - QPointF(pixels, 0), right});
}

QPainterPath PrimitiveScaleBar::buildPath() const
{
    return polylinePath();
}

void PrimitiveScaleBar::paintDecorations(QPainter* painter, double pixel) const
{
    if (points().size() != 2) {
        return;
    }
    const QPointF up(0, 6 * pixel);
    const QPointF ticks[] = {points()[0] - up, points()[0] + up, points()[1] - up, points()[1] + up};
    painter->drawLines(ticks, 2);
}

QString PrimitiveScaleBar::buildLabelText() const
{
    if (m_length <= 0) {
        return QString();
    }
    return QString::number(m_length, 'g', 6) + QLatin1Char(' ') + unitSymbol();
}

QPointF PrimitiveScaleBar::labelAnchor() const
{
    return points().value(0);
}

} // namespace vrx
