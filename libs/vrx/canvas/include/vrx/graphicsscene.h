#pragma once

#include <QColor>
#include <QGraphicsScene>
#include <QImage>

namespace vrx {

/// The scene of the picture: the current frame as its background (the scene rectangle is the
/// picture) and an overlay drawn over everything.
///
/// Overlays (all centred on the picture, cosmetic lines in the overlay colour):
/// - 1 cross: a full-width and full-height cross; the cross scale (0-99) is the number of
///   tick marks on each half axis, 0 for a plain cross;
/// - 2 concentric circles: rings every (circle scale / 1000) of the picture's shorter side, out
///   to the picture's corners, with the centre cross;
/// - 3 grid: square cells of (grid scale / 1000) of the shorter side, lines through the centre.
class GraphicsScene final : public QGraphicsScene
{
    Q_OBJECT
public:
    enum OverlayType
    {
        NoOverlay = 0,
        CrossOverlay = 1,
        CircleOverlay = 2,
        GridOverlay = 3
    };

    explicit GraphicsScene(QObject* parent = nullptr);

    /// Shares the image (no copy); a new size changes the scene rectangle.
    void setBackgroundImage(const QImage& image);
    const QImage& backgroundImage() const { return m_image; }

    void setOverlayType(int type);
    int overlayType() const { return m_overlayType; }
    void setOverlayAntialiasing(bool on);
    bool overlayAntialiasing() const { return m_antialiasing; }
    void setOverlayColor(const QColor& color);
    QColor overlayColor() const { return m_color; }
    void setOverlayCrossScale(int scale);
    int overlayCrossScale() const { return m_crossScale; }
    void setOverlayCircleScale(int scale);
    int overlayCircleScale() const { return m_circleScale; }
    void setOverlayGridScale(int scale);
    int overlayGridScale() const { return m_gridScale; }

    /// While set, editing aids (handles) are left out of the drawing, as for a screenshot.
    void setExporting(bool exporting) { m_exporting = exporting; }
    bool isExporting() const { return m_exporting; }
    /// While set, rendering draws the items only: no picture, no overlay (a view's tool layer).
    void setItemsOnly(bool itemsOnly) { m_itemsOnly = itemsOnly; }

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void drawOverlay(QPainter* painter) const;

    QImage m_image;
    int m_overlayType = NoOverlay;
    bool m_antialiasing = false;
    QColor m_color = Qt::red;
    int m_crossScale = 5;
    int m_circleScale = 50;
    int m_gridScale = 50;
    bool m_exporting = false;
    bool m_itemsOnly = false;
};

} // namespace vrx
