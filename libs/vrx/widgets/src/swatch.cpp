#include "swatch.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace vrx {

QIcon swatchIcon(const QColor& color, const QSize& size, const QPalette& palette, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    const QRectF frame = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    if (color.isValid()) {
        painter.fillRect(frame, color);
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette.color(QPalette::Text), 1));
        painter.drawLine(frame.bottomLeft(), frame.topRight());
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    // The text colour contrasts with the button in either kind of style.
    painter.setPen(QPen(palette.color(QPalette::Text), 1));
    painter.drawRect(frame);
    painter.end();

    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    return icon;
}

} // namespace vrx
