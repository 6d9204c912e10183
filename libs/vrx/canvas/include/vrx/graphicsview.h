#pragma once

#include "vrx/primitivemanager.h"

#include <QGraphicsView>
#include <QImage>
#include <QKeySequence>
#include <QPointer>

#include <functional>

class QRubberBand;

namespace vrx {

class CursorCrosshair;
class GraphicsScene;
class Primitive;

/// The zoomable picture with its tools. It shows each new frame, pans, zooms, draws and edits
/// tools with the mouse, grabs regions, takes screenshots and has its own full-screen mode.
///
/// Zoom: the scale is picture pixels to screen pixels (1.0 = actual size); the zoom value is
/// the scale in percent, the status bar slider's range 0-500 (below 1 % is kept at 1 %).
class GraphicsView final : public QGraphicsView
{
    Q_OBJECT
public:
    explicit GraphicsView(QWidget* parent = nullptr);
    ~GraphicsView() override;

    GraphicsScene* scene() const { return m_scene; }
    PrimitiveManager* primitiveManager() const { return m_manager; }
    CursorCrosshair* cursorCrosshair() const { return m_crosshair; }

    /// false: the whole picture at its own resolution with the tools, the scale bar and the
    /// overlay (no selection handles, no cursor cross-hair); null when there is no picture.
    /// true: what the viewport shows, at screen resolution, without the cursor cross-hair.
    QImage screenshot(bool viewport = false);

    double zoomScale() const { return m_scale; }
    int zoomValue() const;

    /// Hand drag pans; select drag selects and edits (a region is grabbed instead while the
    /// region-grab flag is set); draw drag draws tools of `toolType`.
    void setPrimitiveDragMode(const PrimitiveManager::DragMode& mode, int toolType);
    PrimitiveManager::DragMode primitiveDragMode() const { return m_mode; }
    int primitiveToolType() const { return m_toolType; }
    /// Region grab: in select drag mode a dragged rectangle is emitted as rubberBandGrab(); the
    /// flag clears after one grab and when another mode is chosen.
    void setRegionGrab(bool on);
    bool isRegionGrab() const { return m_regionGrab; }
    /// The tool being drawn, null between tools.
    Primitive* drawingTool() const { return m_drawing; }

    /// The key that leaves full screen (besides Esc) while the view is full screen.
    void setFullScreenShortcut(const QKeySequence& key) { m_fullScreenKey = key; }
    QKeySequence fullScreenShortcut() const { return m_fullScreenKey; }
    bool isFullScreenMode() const { return m_fullScreenWindow != nullptr; }

    /// Asks the user for a tool's text (an annotation's text, another tool's note); false when
    /// cancelled. The default is a multi-line input dialog; tests put their own answer here.
    using TextPrompt =
        std::function<bool(QWidget* parent, const QString& title, const QString& current, QString* text)>;
    static void setTextPrompt(TextPrompt prompt);

public slots:
    void updateBackgroundByImage(const QImage& image);
    /// Sets the zoom in percent.
    void zoom(double percent);
    /// Enlarges (shrinks) the picture by `percent` of the current scale.
    void zoomIn(double percent = 10);
    void zoomOut(double percent = 10);
    void zoomByScale(double scale);
    void zoomActualSize();
    /// Fits the picture into the view, and keeps it fitted as the view or picture resizes.
    void zoomBestFit();
    /// Moves the view into a borderless full-screen window, or back.
    void fullScreen();
    /// Sets the region-grab flag and select drag mode.
    void startRegionGrab();

signals:
    void matrixChanged(double scale, double rotate);
    void rubberBandGrab(const QImage& image);
    void primitiveDragModeChanged(int mode, int toolType);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void drawItems(QPainter* painter, int count, QGraphicsItem* items[],
                   const QStyleOptionGraphicsItem options[]) override;

private:
    void applyScale(double scale, bool keepFitting = false);
    void startTool(const QPointF& scenePos);
    void finishTool();
    void cancelTool();
    void finishRegion(const QPoint& end);
    /// Lets the user edit the note of the tool under `pos`; false when there is none.
    bool editNoteAt(const QPoint& pos);
    void updateCrosshair(const QPoint& pos);
    void onSceneRectChanged();
    bool repaintsWholePicture() const;
    void renderToolLayer();

    GraphicsScene* m_scene;
    PrimitiveManager* m_manager;
    CursorCrosshair* m_crosshair;
    double m_scale = 1;
    bool m_fitting = true;
    PrimitiveManager::DragMode m_mode = PrimitiveManager::SelectDrag;
    int m_toolType = -1;
    bool m_regionGrab = false;
    QRubberBand* m_rubberBand = nullptr;
    QPoint m_regionOrigin;
    bool m_regionDragging = false;
    Primitive* m_drawing = nullptr;
    QPoint m_pressPos;
    bool m_firstPress = false;
    QPoint m_mousePos;
    bool m_mouseInside = false;
    bool m_hideCrosshair = false;
    QKeySequence m_fullScreenKey = QKeySequence(Qt::Key_F11);
    QWidget* m_fullScreenWindow = nullptr;
    QPointer<QWidget> m_normalParent;
    QWidget* m_placeholder = nullptr;
    QRect m_normalGeometry;
    // The tools as last drawn over the whole viewport, so that a new frame costs only the
    // picture: redrawn when a tool, the zoom or the scroll position changes.
    QImage m_toolLayer;
    QTransform m_toolLayerTransform;
    bool m_toolLayerValid = false;
    QRegion m_exposed;
};

} // namespace vrx
