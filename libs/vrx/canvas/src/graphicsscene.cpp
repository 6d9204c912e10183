#include "vrx/graphicsscene.h"

#include <QGraphicsView>
#include <QPainter>
#include <QVarLengthArray>
#include <cmath>

namespace vrx {

namespace {
const QColor kOutside(40, 40, 40);
}

GraphicsScene::GraphicsScene(QObject* parent) : QGraphicsScene(parent)
{
    setSceneRect(0, 0, 640, 480);
}

void GraphicsScene::setBackgroundImage(const QImage& image)
{
    const bool resized = image.size() != m_image.size();
    m_image = image;
    if (resized && !image.isNull()) {
        setSceneRect(QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    // The views repaint the picture; the scene itself is not changed by a new frame, so views
    // may keep what they cached of the tools.
    const QList<QGraphicsView*> viewList = views();
    for (QGraphicsView* view : viewList) {
        view->viewport()->update(view->viewportTransform().mapRect(sceneRect()).toAlignedRect().adjusted(-1, -1, 1, 1));
    }
    if (viewList.isEmpty()) {
        update();
    }
}

void GraphicsScene::setOverlayType(int type)
{
    m_overlayType = type >= NoOverlay && type <= GridOverlay ? type : NoOverlay;
    update();
}

void GraphicsScene::setOverlayAntialiasing(bool on)
{
    m_antialiasing = on;
    update();
}

void GraphicsScene::setOverlayColor(const QColor& color)
{
    m_color = color.isValid() ? color : QColor(Qt::red);
    update();
}

void GraphicsScene::setOverlayCrossScale(int scale)
{
    m_crossScale = qBound(0, scale, 99);
    update();
}

void GraphicsScene::setOverlayCircleScale(int scale)
{
    m_circleScale = qBound(5, scale, 99);
    update();
}

void GraphicsScene::setOverlayGridScale(int scale)
{
    m_gridScale = qBound(5, scale, 99);
    update();
}

void GraphicsScene::drawBackground(QPainter* painter, const QRectF& rect)
{
    if (m_itemsOnly) {
        return;
    }
    const QRectF picture(QPointF(0, 0), QSizeF(m_image.size()));
    if (m_image.isNull() || !picture.contains(rect)) {
        painter->fillRect(rect, kOutside);
    }
    if (m_image.isNull()) {
        return;
    }
    // Smooth when shrinking, sharp pixels when magnifying: what a microscope user expects.
    const bool shrinking = painter->worldTransform().m11() < 1;
    painter->setRenderHint(QPainter::SmoothPixmapTransform, shrinking);
    const QRectF exposed = rect.intersected(picture);
    if (exposed.isEmpty()) {
        return;
    }
    // Only the exposed part: a partial repaint does not pay for the whole frame.
    const QRect source = exposed.toAlignedRect().intersected(m_image.rect());
    painter->drawImage(QRectF(source), m_image, QRectF(source));
}

void GraphicsScene::drawForeground(QPainter* painter, const QRectF&)
{
    if (m_overlayType != NoOverlay && !m_itemsOnly) {
        painter->save();
        drawOverlay(painter);
        painter->restore();
    }
}

void GraphicsScene::drawOverlay(QPainter* painter) const
{
    const QRectF r = sceneRect();
    if (r.isEmpty()) {
        return;
    }
    painter->setRenderHint(QPainter::Antialiasing, m_antialiasing);
    QPen pen(m_color, 1);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const QPointF c = r.center();
    const double shorter = qMin(r.width(), r.height());
    QVarLengthArray<QLineF, 256> lines;
    lines.append(QLineF(r.left(), c.y(), r.right(), c.y()));
    lines.append(QLineF(c.x(), r.top(), c.x(), r.bottom()));
    if (m_overlayType == CrossOverlay && m_crossScale > 0) {
        const double tick = shorter / 80;
        const double stepX = r.width() / 2 / (m_crossScale + 1), stepY = r.height() / 2 / (m_crossScale + 1);
        for (int i = 1; i <= m_crossScale; ++i) {
            for (int sign : {-1, 1}) {
                const double x = c.x() + sign * i * stepX, y = c.y() + sign * i * stepY;
                lines.append(QLineF(x, c.y() - tick, x, c.y() + tick));
                lines.append(QLineF(c.x() - tick, y, c.x() + tick, y));
            }
        }
    } else if (m_overlayType == CircleOverlay) {
        const double step = shorter * m_circleScale / 1000.0;
        const double reach = std::hypot(r.width(), r.height()) / 2;
        for (double radius = step; radius <= reach; radius += step) {
            painter->drawEllipse(c, radius, radius);
        }
    } else if (m_overlayType == GridOverlay) {
        const double step = shorter * m_gridScale / 1000.0;
        for (double x = c.x() + step; x < r.right(); x += step) {
            lines.append(QLineF(x, r.top(), x, r.bottom()));
            lines.append(QLineF(2 * c.x() - x, r.top(), 2 * c.x() - x, r.bottom()));
        }
        for (double y = c.y() + step; y < r.bottom(); y += step) {
            lines.append(QLineF(r.left(), y, r.right(), y));
            lines.append(QLineF(r.left(), 2 * c.y() - y, r.right(), 2 * c.y() - y));
        }
    }
    painter->drawLines(lines.constData(), lines.size());
}

} // namespace vrx
