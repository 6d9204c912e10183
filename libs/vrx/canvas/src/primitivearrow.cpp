#include "vrx/primitivearrow.h"

#include "vrx/primitivetype.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

namespace vrx {

namespace {

constexpr double kHeadLength = 12; // screen pixels
constexpr double kHeadAngle = 25;  // degrees either side of the shaft

// The two barb ends of a head at `tip` pointing away from `from`.
void barbs(const QPointF& from, const QPointF& tip, double length, QPointF* left, QPointF* right)
{
    const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    const double spread = qDegreesToRadians(kHeadAngle);
    *left = tip - QPointF(std::cos(angle - spread), std::sin(angle - spread)) * length;
    *right = tip - QPointF(std::cos(angle + spread), std::sin(angle + spread)) * length;
}

void openHead(QPainter* painter, const QPointF& from, const QPointF& tip, double length)
{
    QPointF l, r;
    barbs(from, tip, length, &l, &r);
    const QPointF lines[] = {l, tip, tip, r};
    painter->drawLines(lines, 2);
}

void filledHead(QPainter* painter, const QPointF& from, const QPointF& tip, double length)
{
    QPointF l, r;
    barbs(from, tip, length, &l, &r);
    const QPointF triangle[] = {tip, l, r};
    painter->drawPolygon(triangle, 3);
}

void endBar(QPainter* painter, const QPointF& from, const QPointF& at, double length)
{
    const QPointF d = at - from;
    const double len = std::hypot(d.x(), d.y());
    if (len == 0) {
        return;
    }
    const QPointF n(-d.y() / len * length, d.x() / len * length);
    painter->drawLine(at - n, at + n);
}

} // namespace

PrimitiveArrow::PrimitiveArrow(int type, QGraphicsItem* parent) : PrimitiveTwoPointTool(type, parent) {}

QPainterPath PrimitiveArrow::buildPath() const
{
    return polylinePath();
}

void PrimitiveArrow::paintDecorations(QPainter* painter, double pixel) const
{
    if (points().size() < 2 || p1() == p2()) {
        return;
    }
    const double head = kHeadLength * pixel;
    painter->setPen(penWithStyle(Qt::SolidLine));
    painter->setBrush(pen().color());
    switch (type()) {
    case PrimitiveType::ArrowOpen:
        openHead(painter, p1(), p2(), head);
        break;
    case PrimitiveType::ArrowFilled:
        filledHead(painter, p1(), p2(), head);
        break;
    case PrimitiveType::ArrowDouble:
        filledHead(painter, p1(), p2(), head);
        filledHead(painter, p2(), p1(), head);
        break;
    case PrimitiveType::ArrowDimension:
        openHead(painter, p1(), p2(), head);
        openHead(painter, p2(), p1(), head);
        endBar(painter, p1(), p2(), head * 0.6);
        endBar(painter, p2(), p1(), head * 0.6);
        break;
    case PrimitiveType::ArrowDot:
        painter->drawEllipse(p2(), head * 0.35, head * 0.35);
        break;
    default:
        break;
    }
}

} // namespace vrx
