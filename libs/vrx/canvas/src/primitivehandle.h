#pragma once

#include <QGraphicsItem>

namespace vrx {

class Primitive;

/// A screen-sized square on one point of a selected tool; dragging it moves that point.
class PrimitiveHandle final : public QGraphicsItem
{
public:
    PrimitiveHandle(Primitive* tool, int index);

    int index() const { return m_index; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    Primitive* m_tool;
    int m_index;
    bool m_hovered = false;
};

} // namespace vrx
