#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QStaticText>
#include <QVector>

namespace vrx {

/// The value label of a tool: screen-sized text (it ignores the zoom) on a soft background.
/// Dragging it moves its tool.
class PrimitiveLabel final : public QGraphicsItem
{
public:
    explicit PrimitiveLabel(QGraphicsItem* parent);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setLook(const QFont& font, const QColor& color, const QColor& background);

    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;

private:
    void relayout();

    QString m_text;
    QVector<QStaticText> m_lines;
    double m_lineHeight = 0;
    QFont m_font;
    QColor m_color;
    QColor m_background;
    QRectF m_rect;
};

} // namespace vrx
