#include "primitivelabel.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace vrx {

namespace {
// Screen pixels between the anchor and the text, and around the text.
constexpr double kOffset = 8;
constexpr double kPadding = 2;
} // namespace

PrimitiveLabel::PrimitiveLabel(QGraphicsItem* parent) : QGraphicsItem(parent)
{
    setFlag(ItemIgnoresTransformations);
    setAcceptedMouseButtons(Qt::LeftButton);
}

void PrimitiveLabel::setText(const QString& text)
{
    if (text == m_text) {
        return;
    }
    m_text = text;
    relayout();
}

void PrimitiveLabel::setLook(const QFont& font, const QColor& color, const QColor& background)
{
    m_font = font;
    m_color = color;
    m_background = background;
    relayout();
}

void PrimitiveLabel::relayout()
{
    prepareGeometryChange();
    // One static text per line: plain static text does not break lines, and rich text would
    // cost a document per label.
    m_lines.clear();
    QSizeF size;
    if (!m_text.isEmpty()) {
        const QFontMetricsF metrics(m_font);
        const QStringList lines = m_text.split(QLatin1Char('\n'));
        m_lines.reserve(lines.size());
        for (const QString& line : lines) {
            QStaticText staticText(line);
            staticText.setTextFormat(Qt::PlainText);
            staticText.setPerformanceHint(QStaticText::AggressiveCaching);
            staticText.prepare(QTransform(), m_font);
            size.setWidth(qMax(size.width(), staticText.size().width()));
            m_lines.append(staticText);
        }
        m_lineHeight = metrics.height();
        size.setHeight(m_lineHeight * lines.size());
    }
    m_rect = m_text.isEmpty() ? QRectF()
                              : QRectF(kOffset - kPadding, kOffset - kPadding, size.width() + 2 * kPadding,
                                       size.height() + 2 * kPadding);
    update();
}

void PrimitiveLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_lines.isEmpty()) {
        return;
    }
    if (m_background.alpha() > 0) {
        painter->fillRect(m_rect, m_background);
    }
    painter->setFont(m_font);
    painter->setPen(m_color);
    for (int i = 0; i < m_lines.size(); ++i) {
        painter->drawStaticText(QPointF(kOffset, kOffset + i * m_lineHeight), m_lines[i]);
    }
}

void PrimitiveLabel::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsItem* tool = parentItem();
    if (!tool || !(tool->flags() & ItemIsSelectable)) {
        event->ignore();
        return;
    }
    if (!(event->modifiers() & Qt::ControlModifier) && !tool->isSelected() && scene()) {
        scene()->clearSelection();
    }
    tool->setSelected(true);
    event->accept();
}

void PrimitiveLabel::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsItem* tool = parentItem();
    if (tool && (tool->flags() & ItemIsMovable)) {
        tool->moveBy(event->scenePos().x() - event->lastScenePos().x(),
                     event->scenePos().y() - event->lastScenePos().y());
    }
}

} // namespace vrx
