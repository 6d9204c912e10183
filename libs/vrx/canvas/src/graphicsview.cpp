#include "vrx/graphicsview.h"

#include "vrx/cursorcrosshair.h"
#include "vrx/graphicsscene.h"
#include "vrx/primitive.h"
#include "vrx/primitiveattribute.h"
#include "vrx/primitivedimensiontool.h"
#include "vrx/primitivefactory.h"
#include "vrx/primitivetype.h"

#include <QDebug>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

namespace vrx {

namespace {
constexpr double kMinScale = 0.01;
constexpr double kMaxScale = 50;
// A press and release closer than this (screen pixels) is a click, not a drag.
constexpr int kClickSlop = 4;
constexpr int kMinRegion = 2;

bool askText(QWidget* parent, const QString& title, const QString& current, QString* text)
{
    bool ok = false;
    const QString answer = QInputDialog::getMultiLineText(parent, title, GraphicsView::tr("Text:"), current, &ok);
    if (ok) {
        *text = answer;
    }
    return ok;
}

GraphicsView::TextPrompt& textPrompt()
{
    static GraphicsView::TextPrompt prompt = askText;
    return prompt;
}
} // namespace

void GraphicsView::setTextPrompt(TextPrompt prompt)
{
    textPrompt() = prompt ? std::move(prompt) : TextPrompt(askText);
}

GraphicsView::GraphicsView(QWidget* parent)
    : QGraphicsView(parent), m_scene(new GraphicsScene(this)), m_manager(new PrimitiveManager(m_scene, this)),
      m_crosshair(new CursorCrosshair(this))
{
    setScene(m_scene);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setOptimizationFlags(QGraphicsView::DontSavePainterState | QGraphicsView::DontAdjustForAntialiasing |
                         QGraphicsView::IndirectPainting);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setBackgroundBrush(Qt::NoBrush);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setPrimitiveDragMode(PrimitiveManager::SelectDrag, -1);
    connect(m_scene, &QGraphicsScene::sceneRectChanged, this, &GraphicsView::onSceneRectChanged);
    connect(m_crosshair, &CursorCrosshair::changed, viewport(), qOverload<>(&QWidget::update));
    // Any change of an item (drawn, moved, selected, hovered, added, removed) or an overlay.
    connect(m_scene, &QGraphicsScene::changed, this, [this] { m_toolLayerValid = false; });
}

GraphicsView::~GraphicsView()
{
    // The manager goes before the scene deletes the tools.
    delete m_manager;
    m_manager = nullptr;
    if (m_fullScreenWindow) {
        // The view is a child of that window: out of it first, or it would be deleted twice.
        QWidget* window = m_fullScreenWindow;
        m_fullScreenWindow = nullptr;
        setParent(nullptr);
        delete window;
        delete m_placeholder;
    }
}

int GraphicsView::zoomValue() const
{
    return qBound(0, int(m_scale * 100), 500);
}

void GraphicsView::updateBackgroundByImage(const QImage& image)
{
    m_scene->setBackgroundImage(image);
}

QImage GraphicsView::screenshot(bool viewportOnly)
{
    if (viewportOnly) {
        m_toolLayerValid = false; // drawn afresh, without the handles
        QImage image(viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        m_hideCrosshair = true;
        m_scene->setExporting(true);
        render(&painter, QRectF(image.rect()), viewport()->rect());
        m_scene->setExporting(false);
        m_hideCrosshair = false;
        m_toolLayerValid = false;
        return image;
    }
    const QImage& picture = m_scene->backgroundImage();
    if (picture.isNull()) {
        return QImage();
    }
    QImage image(picture.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_scene->setExporting(true);
    m_scene->render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), QSizeF(picture.size())));
    m_scene->setExporting(false);
    return image;
}

void GraphicsView::applyScale(double scale, bool keepFitting)
{
    if (!std::isfinite(scale)) {
        return;
    }
    m_fitting = keepFitting;
    m_scale = qBound(kMinScale, scale, kMaxScale);
    setTransform(QTransform::fromScale(m_scale, m_scale));
    m_manager->setScreenPixel(1 / m_scale);
    emit matrixChanged(m_scale, 0);
}

void GraphicsView::zoom(double percent)
{
    applyScale(percent / 100);
}

void GraphicsView::zoomIn(double percent)
{
    applyScale(m_scale * (1 + percent / 100));
}

void GraphicsView::zoomOut(double percent)
{
    applyScale(m_scale / (1 + percent / 100));
}

void GraphicsView::zoomByScale(double scale)
{
    applyScale(scale);
}

void GraphicsView::zoomActualSize()
{
    applyScale(1);
}

void GraphicsView::zoomBestFit()
{
    const QRectF rect = m_scene->sceneRect();
    const QSize area = viewport()->size();
    if (rect.isEmpty() || area.isEmpty()) {
        m_fitting = true;
        return;
    }
    applyScale(qMin(area.width() / rect.width(), area.height() / rect.height()), true);
    centerOn(rect.center());
}

void GraphicsView::onSceneRectChanged()
{
    if (m_fitting) {
        zoomBestFit();
    }
}

void GraphicsView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (m_fitting) {
        zoomBestFit();
    }
}

void GraphicsView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    // Each notch zooms by a fifth, about the point under the cursor: the picture point there
    // is put back under it by scrolling.
    const QPointF cursor = event->position();
    const QPointF anchor = viewportTransform().inverted().map(cursor);
    applyScale(m_scale * std::pow(1.2, delta / 120.0));
    const QPointF shift = viewportTransform().map(anchor) - cursor;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(shift.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(shift.y()));
    event->accept();
}

void GraphicsView::setPrimitiveDragMode(const PrimitiveManager::DragMode& mode, int toolType)
{
    cancelTool();
    if (mode != PrimitiveManager::SelectDrag || toolType != -1) {
        m_regionGrab = false;
    }
    if (mode == PrimitiveManager::DrawDrag && !PrimitiveType::isKnown(toolType)) {
        qWarning() << "cannot draw tool type" << Qt::hex << toolType;
        return;
    }
    m_mode = mode;
    m_toolType = mode == PrimitiveManager::DrawDrag ? toolType : -1;
    switch (mode) {
    case PrimitiveManager::HandDrag:
        setDragMode(QGraphicsView::ScrollHandDrag);
        setInteractive(false);
        break;
    case PrimitiveManager::SelectDrag:
        setDragMode(m_regionGrab ? QGraphicsView::NoDrag : QGraphicsView::RubberBandDrag);
        setInteractive(!m_regionGrab);
        viewport()->setCursor(m_regionGrab ? Qt::CrossCursor : Qt::ArrowCursor);
        break;
    case PrimitiveManager::DrawDrag:
        setDragMode(QGraphicsView::NoDrag);
        setInteractive(true);
        m_scene->clearSelection();
        viewport()->setCursor(Qt::CrossCursor);
        break;
    }
    emit primitiveDragModeChanged(int(m_mode), m_toolType);
}

void GraphicsView::setRegionGrab(bool on)
{
    m_regionGrab = on;
    if (m_mode == PrimitiveManager::SelectDrag) {
        setPrimitiveDragMode(PrimitiveManager::SelectDrag, -1);
    }
}

void GraphicsView::startRegionGrab()
{
    m_regionGrab = true;
    setPrimitiveDragMode(PrimitiveManager::SelectDrag, -1);
}

void GraphicsView::startTool(const QPointF& scenePos)
{
    Primitive* tool = PrimitiveFactory::create(m_toolType);
    if (!tool) {
        return;
    }
    tool->setAttributes(PrimitiveAttribute::attributes(m_toolType));
    tool->setManager(m_manager);
    m_scene->addItem(tool);
    m_drawing = tool;
    tool->beginDrawing(scenePos);
    if (!tool->followsMouse() && tool->isComplete() && tool->pointCount() > 0) {
        tool->finishDrawing();
        finishTool();
    }
}

void GraphicsView::finishTool()
{
    Primitive* tool = m_drawing;
    if (!tool) {
        return;
    }
    if (tool->isDrawing() && !tool->finishDrawing()) {
        cancelTool();
        return;
    }
    // A tool whose points all fall together (a stray click) measures nothing.
    const QVector<QPointF>& points = tool->points();
    bool collapsed = tool->followsMouse();
    for (const QPointF& p : points) {
        collapsed = collapsed && p == points.first();
    }
    if (collapsed) {
        cancelTool();
        return;
    }
    if (tool->type() == PrimitiveType::Text) {
        // An annotation is its text: none given, no annotation.
        QString text;
        if (!textPrompt()(this, tr("Annotation"), QString(), &text) || text.trimmed().isEmpty()) {
            cancelTool();
            return;
        }
        static_cast<PrimitiveDimensionTool*>(tool)->setNote(text);
    }
    m_drawing = nullptr;
    m_manager->addObject(tool);
}

void GraphicsView::cancelTool()
{
    delete m_drawing;
    m_drawing = nullptr;
}

void GraphicsView::mousePressEvent(QMouseEvent* event)
{
    m_mousePos = event->pos();
    if (m_mode == PrimitiveManager::DrawDrag) {
        const QPointF at = mapToScene(event->pos());
        if (event->button() == Qt::RightButton) {
            if (m_drawing && m_drawing->pointCount() == 0) {
                finishTool();
            } else {
                cancelTool();
            }
        } else if (event->button() == Qt::LeftButton) {
            m_pressPos = event->pos();
            if (!m_drawing) {
                m_firstPress = true;
                startTool(at);
            } else if (m_drawing->followsMouse()) {
                m_drawing->moveDrawingPoint(m_drawing->mapFromScene(at));
            } else if (m_drawing->addDrawingPoint(m_drawing->mapFromScene(at))) {
                finishTool();
            }
        }
        event->accept();
        return;
    }
    if (m_regionGrab && m_mode == PrimitiveManager::SelectDrag && event->button() == Qt::LeftButton) {
        m_regionOrigin = event->pos();
        m_regionDragging = true;
        if (!m_rubberBand) {
            m_rubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
        }
        m_rubberBand->setGeometry(QRect(m_regionOrigin, QSize()));
        m_rubberBand->show();
        event->accept();
        return;
    }
    QGraphicsView::mousePressEvent(event);
}

void GraphicsView::mouseMoveEvent(QMouseEvent* event)
{
    updateCrosshair(event->pos());
    if (m_mode == PrimitiveManager::DrawDrag) {
        if (m_drawing && m_drawing->followsMouse()) {
            m_drawing->moveDrawingPoint(m_drawing->mapFromScene(mapToScene(event->pos())));
        }
        event->accept();
        return;
    }
    if (m_regionDragging) {
        m_rubberBand->setGeometry(QRect(m_regionOrigin, event->pos()).normalized());
        event->accept();
        return;
    }
    QGraphicsView::mouseMoveEvent(event);
}

void GraphicsView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_mode == PrimitiveManager::DrawDrag) {
        if (event->button() == Qt::LeftButton && m_drawing && m_drawing->followsMouse()) {
            const bool click = (event->pos() - m_pressPos).manhattanLength() < kClickSlop;
            // The first click only anchors: the next point follows the mouse until clicked.
            if (!(m_firstPress && click)) {
                m_drawing->moveDrawingPoint(m_drawing->mapFromScene(mapToScene(event->pos())));
                if (m_drawing->commitDrawingPoint()) {
                    finishTool();
                }
            }
            m_firstPress = false;
        }
        event->accept();
        return;
    }
    if (m_regionDragging && event->button() == Qt::LeftButton) {
        finishRegion(event->pos());
        event->accept();
        return;
    }
    QGraphicsView::mouseReleaseEvent(event);
}

void GraphicsView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_mode == PrimitiveManager::DrawDrag) {
        if (m_drawing && m_drawing->pointCount() == 0 && event->button() == Qt::LeftButton) {
            finishTool();
        } else {
            mousePressEvent(event);
        }
        event->accept();
        return;
    }
    if (m_mode == PrimitiveManager::SelectDrag && !m_regionGrab && event->button() == Qt::LeftButton &&
        editNoteAt(event->pos())) {
        event->accept();
        return;
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

bool GraphicsView::editNoteAt(const QPoint& pos)
{
    PrimitiveDimensionTool* tool = nullptr;
    for (QGraphicsItem* item = itemAt(pos); item && !tool; item = item->parentItem()) {
        if (Primitive::isDimensionTool(item)) {
            tool = static_cast<PrimitiveDimensionTool*>(static_cast<Primitive*>(item->toGraphicsObject()));
        }
    }
    if (!tool) {
        return false;
    }
    const bool annotation = tool->type() == PrimitiveType::Text;
    QString text;
    if (textPrompt()(this, annotation ? tr("Annotation") : tr("Note"), tool->note(), &text) &&
        !(annotation && text.trimmed().isEmpty())) {
        tool->setNote(text);
    }
    return true;
}

void GraphicsView::finishRegion(const QPoint& end)
{
    m_regionDragging = false;
    m_rubberBand->hide();
    const QRect dragged = QRect(m_regionOrigin, end).normalized();
    if (dragged.width() < kMinRegion || dragged.height() < kMinRegion) {
        return;
    }
    // Corners of the dragged screen pixels, in picture pixels: every picture pixel touched.
    const QPointF a = mapToScene(dragged.topLeft());
    const QPointF b = mapToScene(dragged.bottomRight() + QPoint(1, 1));
    const QImage& picture = m_scene->backgroundImage();
    const QRect pixels = QRect(QPoint(int(std::floor(qMin(a.x(), b.x()))), int(std::floor(qMin(a.y(), b.y())))),
                               QPoint(int(std::ceil(qMax(a.x(), b.x()))) - 1, int(std::ceil(qMax(a.y(), b.y()))) - 1))
                             .intersected(picture.rect());
    // One grab per entry into the mode; the caller re-enters for another.
    m_regionGrab = false;
    setPrimitiveDragMode(PrimitiveManager::SelectDrag, -1);
    if (pixels.isEmpty()) {
        return;
    }
    emit rubberBandGrab(picture.copy(pixels));
}

void GraphicsView::keyPressEvent(QKeyEvent* event)
{
    const QKeySequence pressed(int(event->modifiers()) | event->key());
    if (isFullScreenMode() &&
        (event->key() == Qt::Key_Escape || (!m_fullScreenKey.isEmpty() && pressed == m_fullScreenKey))) {
        fullScreen();
        event->accept();
        return;
    }
    if (m_drawing) {
        if (event->key() == Qt::Key_Escape) {
            cancelTool();
            event->accept();
            return;
        }
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_drawing->pointCount() == 0) {
            finishTool();
            event->accept();
            return;
        }
    }
    if (event->key() == Qt::Key_Escape && m_regionGrab) {
        setRegionGrab(false);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && m_mode == PrimitiveManager::SelectDrag) {
        m_manager->deleteSelectedTools();
        event->accept();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void GraphicsView::fullScreen()
{
    if (!m_fullScreenWindow) {
        m_normalParent = parentWidget();
        m_normalGeometry = geometry();
        QLayout* layout = m_normalParent ? m_normalParent->layout() : nullptr;
        if (layout && layout->indexOf(this) >= 0) {
            // A placeholder keeps the view's place in the layout until it comes back.
            m_placeholder = new QWidget(m_normalParent);
            layout->replaceWidget(this, m_placeholder);
        }
        m_fullScreenWindow = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
        m_fullScreenWindow->setWindowTitle(window()->windowTitle());
        // Closed by the window manager (Alt+F4): the view comes back instead.
        m_fullScreenWindow->installEventFilter(this);
        auto* box = new QVBoxLayout(m_fullScreenWindow);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(this);
        m_fullScreenWindow->showFullScreen();
        setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget* window = m_fullScreenWindow;
    m_fullScreenWindow = nullptr;
    window->layout()->removeWidget(this);
    setParent(m_normalParent);
    if (m_placeholder && m_normalParent && m_normalParent->layout()) {
        m_normalParent->layout()->replaceWidget(m_placeholder, this);
    } else {
        setGeometry(m_normalGeometry);
    }
    delete m_placeholder;
    m_placeholder = nullptr;
    show();
    setFocus(Qt::OtherFocusReason);
    window->deleteLater();
}

bool GraphicsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fullScreenWindow && event->type() == QEvent::Close) {
        event->ignore();
        fullScreen();
        return true;
    }
    return QGraphicsView::eventFilter(watched, event);
}

void GraphicsView::paintEvent(QPaintEvent* event)
{
    m_exposed = event->region();
    QGraphicsView::paintEvent(event);
}

bool GraphicsView::repaintsWholePicture() const
{
    const QRect picture =
        viewportTransform().mapRect(m_scene->sceneRect()).toAlignedRect().intersected(viewport()->rect());
    return m_exposed.boundingRect().contains(picture);
}

void GraphicsView::drawItems(QPainter* painter, int count, QGraphicsItem* items[],
                             const QStyleOptionGraphicsItem options[])
{
    const bool current = m_toolLayerValid && m_toolLayerTransform == viewportTransform() &&
                         m_toolLayer.size() == viewport()->size() * viewport()->devicePixelRatioF();
    if (!current && !repaintsWholePicture()) {
        // A tool changed and only its surroundings are repainted: draw those items directly.
        QGraphicsView::drawItems(painter, count, items, options);
        return;
    }
    if (!current) {
        renderToolLayer();
    }
    painter->save();
    painter->resetTransform();
    painter->drawImage(QPointF(0, 0), m_toolLayer);
    painter->restore();
}

void GraphicsView::renderToolLayer()
{
    const qreal ratio = viewport()->devicePixelRatioF();
    if (m_toolLayer.size() != viewport()->size() * ratio) {
        m_toolLayer = QImage(viewport()->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        m_toolLayer.setDevicePixelRatio(ratio);
    }
    m_toolLayer.fill(Qt::transparent);
    QPainter painter(&m_toolLayer);
    painter.setRenderHints(renderHints());
    const QRectF target(QPointF(0, 0), QSizeF(viewport()->size()));
    m_scene->setItemsOnly(true);
    m_scene->render(&painter, target, viewportTransform().inverted().mapRect(target), Qt::IgnoreAspectRatio);
    m_scene->setItemsOnly(false);
    m_toolLayerTransform = viewportTransform();
    m_toolLayerValid = true;
}

void GraphicsView::updateCrosshair(const QPoint& pos)
{
    const QPoint old = m_mousePos;
    const bool wasInside = m_mouseInside;
    m_mousePos = pos;
    m_mouseInside = true;
    if (!m_crosshair->isShown()) {
        return;
    }
    // Only the strips of the old and the new lines are repainted.
    const int w = qMax(2, int(m_crosshair->pen().widthF()) + 2);
    const QRect area = viewport()->rect();
    QRegion region;
    if (wasInside) {
        region += QRect(old.x() - w, 0, 2 * w, area.height());
        region += QRect(0, old.y() - w, area.width(), 2 * w);
    }
    region += QRect(pos.x() - w, 0, 2 * w, area.height());
    region += QRect(0, pos.y() - w, area.width(), 2 * w);
    viewport()->update(region);
}

void GraphicsView::leaveEvent(QEvent* event)
{
    m_mouseInside = false;
    if (m_crosshair->isShown()) {
        viewport()->update();
    }
    QGraphicsView::leaveEvent(event);
}

void GraphicsView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (!m_crosshair->isShown() || !m_mouseInside || m_hideCrosshair) {
        return;
    }
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(m_crosshair->pen());
    const QRect area = viewport()->rect();
    painter->drawLine(QPoint(area.left(), m_mousePos.y()), QPoint(area.right(), m_mousePos.y()));
    painter->drawLine(QPoint(m_mousePos.x(), area.top()), QPoint(m_mousePos.x(), area.bottom()));
    painter->restore();
}

} // namespace vrx
