#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QImage>

namespace vrx {

/// The value label of a tool: screen-sized text (it ignores the zoom) on a soft background.
/// Dragging it moves its tool. The label is drawn into a picture the first time it is painted
/// after its text or look changed; painting it is otherwise a copy of that picture.
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
    void drawPicture();

    QString m_text;
    QImage m_picture;
    QFont m_font;
    QColor m_color;
    QColor m_background;
    QRectF m_rect;
};

} // namespace vrx
