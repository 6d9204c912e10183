#include "primitivelabel.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

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
    m_picture = QImage(); // drawn again when next painted
    if (m_text.isEmpty()) {
        m_rect = QRectF();
        update();
        return;
    }
    const QFontMetricsF metrics(m_font);
    double width = 0;
    int lines = 0;
    for (const QString& line : m_text.split(QLatin1Char('\n'))) {
        width = qMax(width, metrics.horizontalAdvance(line));
        ++lines;
    }
    m_rect = QRectF(kOffset - kPadding, kOffset - kPadding, std::ceil(width) + 2 * kPadding,
                    std::ceil(metrics.height() * lines) + 2 * kPadding);
    update();
}

void PrimitiveLabel::drawPicture()
{
    // Sharp on high-density screens too.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1;
    m_picture = QImage((m_rect.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(m_background.alpha() > 0 ? m_background : QColor(Qt::transparent));
    const QFontMetricsF metrics(m_font);
    QPainter painter(&m_picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(m_font);
    painter.setPen(m_color);
    const QStringList lines = m_text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(QPointF(kPadding, kPadding + i * metrics.height() + metrics.ascent()), lines[i]);
    }
}

void PrimitiveLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_rect.isEmpty()) {
        return;
    }
    if (m_picture.isNull()) {
        drawPicture();
    }
    painter->drawImage(m_rect.topLeft(), m_picture);
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
