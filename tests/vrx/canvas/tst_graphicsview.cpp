#include "testmain.h"

#include <vrx/cursorcrosshair.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>
#include <vrx/primitiveattribute.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitivedimensiontool.h>
#include <vrx/primitiveline.h>
#include <vrx/primitivetype.h>

#include <QLabel>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

using vrx::GraphicsView;
using vrx::PrimitiveManager;
using vrx::PrimitiveQuantity;
using vrx::PrimitiveType;

namespace {

const QRgb kLeft = qRgb(30, 60, 90);
const QRgb kRight = qRgb(200, 180, 160);

/// Every pixel its own colour: red is x, green is y.
QImage distinctPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x, y, 77));
        }
    }
    return image;
}

/// Left half one colour, right half another.
QImage twoTonePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kLeft);
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x) {
            image.setPixel(x, y, kRight);
        }
    }
    return image;
}

/// A shown view of 400 x 300 over `picture`, at actual size.
std::unique_ptr<GraphicsView> showView(const QImage& picture)
{
    auto view = std::make_unique<GraphicsView>();
    view->resize(400, 300);
    view->updateBackgroundByImage(picture);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) {
        return nullptr;
    }
    view->zoomActualSize();
    return view;
}

/// A mouse move with buttons held, which QTest::mouseMove cannot send.
void moveMouse(QWidget* widget, const QPoint& pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void drag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step) {
        moveMouse(widget, from + (to - from) * step / 4, Qt::LeftButton);
    }
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
}

void click(QWidget* widget, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    moveMouse(widget, pos);
    QTest::mousePress(widget, button, Qt::NoModifier, pos);
    QTest::mouseRelease(widget, button, Qt::NoModifier, pos);
}

int toolItems(const QGraphicsScene* scene)
{
    int count = 0;
    for (QGraphicsItem* item : scene->items()) {
        count += PrimitiveType::isKnown(item->type()) && item->type() != PrimitiveType::ScaleBar;
    }
    return count;
}

double rowValue(const GraphicsView& view, int row, int quantity)
{
    const auto* model = view.primitiveManager()->dimensionModel();
    return model->index(row, vrx::PrimitiveDimensionModel::FirstValueColumn + quantity).data(Qt::EditRole).toDouble();
}

} // namespace

class TestGraphicsView final : public QObject
{
    Q_OBJECT

private slots:
    void zoomSteps();
    void bestFitFollowsResize();
    void wheelKeepsPointUnderCursor_data();
    void wheelKeepsPointUnderCursor();
    void screenshotOfPictureAndTools();
    void screenshotWithOverlay();
    void liveFramesShowToolChanges();
    void regionGrab_data();
    void regionGrab();
    void regionGrabClipsAndClears();
    void drawLineByDrag_data();
    void drawLineByDrag();
    void clicksAndEscape();
    void drawByClicks();
    void doubleClickEditsNote();
    void fullScreenAndBack();
    void fullScreenWindowClosedOrViewDeleted();
    void cursorCrosshair();
};

void TestGraphicsView::zoomSteps()
{
    GraphicsView view;
    view.resize(400, 300);
    view.updateBackgroundByImage(distinctPicture(200, 100));
    QSignalSpy spy(&view, &GraphicsView::matrixChanged);

    view.zoom(200);
    QCOMPARE(view.zoomScale(), 2.0);
    QCOMPARE(view.transform().m22(), 2.0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.last(), (QList<QVariant>{2.0, 0.0}));
    QCOMPARE(view.primitiveManager()->screenPixel(), 0.5);

    view.zoomIn(10);
    QVERIFY(qFuzzyCompare(view.zoomScale(), 2.2));
    QCOMPARE(view.zoomValue(), 220);
    view.zoomByScale(0.5);
    QCOMPARE(view.zoomValue(), 50);
    QCOMPARE(spy.last().at(0).toDouble(), 0.5);
    view.zoomActualSize();
    QCOMPARE(view.zoomScale(), 1.0);
    QCOMPARE(spy.count(), 4);

    // The slider's range: never below 1 %, never above 500.
    view.zoom(0);
    QCOMPARE(view.zoomValue(), 1);
    QVERIFY(view.zoomScale() > 0);
    view.zoom(100000);
    QCOMPARE(view.zoomValue(), 500);
    QVERIFY(std::isfinite(view.zoomScale()));

    // Nonsense leaves the zoom alone.
    view.zoom(150);
    spy.clear();
    view.zoom(std::nan(""));
    view.zoomByScale(INFINITY);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(view.zoomValue(), 150);
}

void TestGraphicsView::bestFitFollowsResize()
{
    const auto view = showView(distinctPicture(200, 100));
    QVERIFY(view);
    auto fitted = [&] {
        const QSize area = view->viewport()->size();
        const QRectF rect = view->scene()->sceneRect();
        return std::min(area.width() / rect.width(), area.height() / rect.height());
    };
    QSignalSpy spy(view.get(), &GraphicsView::matrixChanged);
    view->zoomBestFit();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(view->zoomScale(), fitted());
    const QPoint centre = view->mapFromScene(view->scene()->sceneRect().center());
    QVERIFY((centre - view->viewport()->rect().center()).manhattanLength() <= 2);

    // Still fitted after the window grows and after a picture of another size.
    view->resize(800, 500);
    QTRY_COMPARE(view->zoomScale(), fitted());
    view->updateBackgroundByImage(distinctPicture(100, 250));
    QCOMPARE(view->scene()->sceneRect(), QRectF(0, 0, 100, 250));
    QCOMPARE(view->zoomScale(), fitted());

    // A chosen zoom stays chosen.
    view->zoom(100);
    view->resize(300, 200);
    QTRY_COMPARE(view->viewport()->width(), 300);
    QCOMPARE(view->zoomScale(), 1.0);
}

void TestGraphicsView::wheelKeepsPointUnderCursor_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("select") << int(PrimitiveManager::SelectDrag);
    QTest::newRow("hand") << int(PrimitiveManager::HandDrag);
    QTest::newRow("draw") << int(PrimitiveManager::DrawDrag);
}

void TestGraphicsView::wheelKeepsPointUnderCursor()
{
    QFETCH(int, mode);
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(kLeft);
    const auto view = showView(picture);
    QVERIFY(view);
    view->setPrimitiveDragMode(PrimitiveManager::DragMode(mode), PrimitiveType::Line);
    view->centerOn(300, 250);
    QWidget* viewport = view->viewport();

    // The mouse first rests elsewhere, then moves to where the wheel turns.
    for (const QPoint& pos : {QPoint(300, 200), QPoint(100, 80)}) {
        QCursor::setPos(viewport->mapToGlobal(pos));
        moveMouse(viewport, pos);
        QCoreApplication::processEvents();
    }
    const QPoint pos(100, 80);
    const QPointF anchor = view->mapToScene(pos);

    auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(pos), QPointF(viewport->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    };
    // Whether the picture slid under the cursor by no more than `limit` screen pixels since `from`.
    auto stayed = [&](const QPointF& from, double limit) {
        const QPointF now = view->mapToScene(pos);
        const double pixels = QLineF(from, now).length() * view->zoomScale();
        if (pixels > limit) {
            qInfo("(%g, %g) -> (%g, %g): %.2f screen pixels", from.x(), from.y(), now.x(), now.y(), pixels);
        }
        return pixels <= limit;
    };
    const double scales[] = {1.2, 1.44, 1.2, 1.0};
    const int deltas[] = {120, 120, -120, -120};
    for (int i = 0; i < 4; ++i) {
        const QPointF before = view->mapToScene(pos);
        turn(deltas[i]);
        QVERIFY(qFuzzyCompare(view->zoomScale(), scales[i]));
        QVERIFY(stayed(before, 3));
    }
    // No creeping: rounding does not add up over the notches.
    QVERIFY(stayed(anchor, 2));
    QCOMPARE(toolItems(view->scene()), 0); // turning the wheel draws nothing
}

void TestGraphicsView::screenshotOfPictureAndTools()
{
    GraphicsView empty;
    QVERIFY(empty.screenshot(false).isNull());

    GraphicsView view;
    view.resize(300, 200);
    view.updateBackgroundByImage(twoTonePicture(200, 100));
    view.zoom(37); // the screenshot is at the picture's resolution whatever the zoom

    auto* line = new vrx::PrimitiveLine;
    QVERIFY(line->setPoints({{20, 50}, {180, 50}}));
    auto attributes = vrx::PrimitiveAttribute::builtinAttributes(PrimitiveType::Line);
    attributes[vrx::PrimitiveAttribute::PenColor] = QColor(255, 0, 0);
    attributes[vrx::PrimitiveAttribute::PenWidth] = 3;
    line->setAttributes(attributes);
    view.primitiveManager()->addObject(line);
    line->setSelected(true); // handles are for editing, not for pictures

    const QImage shot = view.screenshot(false);
    QCOMPARE(shot.size(), QSize(200, 100));
    QCOMPARE(shot.pixel(30, 20), kLeft);
    QCOMPARE(shot.pixel(195, 95), kRight);
    QCOMPARE(shot.pixel(60, 49), qRgb(255, 0, 0));
    QCOMPARE(shot.pixel(150, 50), qRgb(255, 0, 0));
    QCOMPARE(shot.pixel(60, 40), kLeft);
    // Where the end handles would be drawn.
    QCOMPARE(shot.pixel(17, 46), kLeft);
    QCOMPARE(shot.pixel(177, 46), kRight);
    QVERIFY(line->isSelected());

    // The label is part of the picture.
    bool labelled = false;
    for (int y = 56; y < 100 && !labelled; ++y) {
        for (int x = 106; x < 200 && !labelled; ++x) {
            labelled = shot.pixel(x, y) != kLeft && shot.pixel(x, y) != kRight;
        }
    }
    QVERIFY(labelled);

    // Without the tool only the picture remains.
    view.primitiveManager()->deleteAllTools(true);
    QCOMPARE(view.screenshot(false), twoTonePicture(200, 100));
}

void TestGraphicsView::screenshotWithOverlay()
{
    GraphicsView view;
    view.updateBackgroundByImage(twoTonePicture(200, 100));
    vrx::GraphicsScene* scene = view.scene();
    scene->setOverlayColor(QColor(0, 0, 255));
    scene->setOverlayCrossScale(0);
    scene->setOverlayType(vrx::GraphicsScene::CrossOverlay);

    auto blueNear = [](const QImage& image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QColor c = image.pixelColor(x + dx, y + dy);
                if (c.blue() > 200 && c.red() < 60 && c.green() < 60) {
                    return true;
                }
            }
        }
        return false;
    };
    QImage shot = view.screenshot(false);
    QVERIFY(blueNear(shot, 30, 50) && blueNear(shot, 170, 50));  // horizontal arm
    QVERIFY(blueNear(shot, 100, 10) && blueNear(shot, 100, 90)); // vertical arm
    QCOMPARE(shot.pixel(30, 20), kLeft);
    QCOMPARE(shot.pixel(170, 80), kRight);

    // Ticks on the arms with a cross scale.
    scene->setOverlayCrossScale(3);
    shot = view.screenshot(false);
    QVERIFY(blueNear(shot, 25, 50 - 1));

    scene->setOverlayType(42); // unknown: none
    QCOMPARE(scene->overlayType(), 0);
    QCOMPARE(view.screenshot(false), twoTonePicture(200, 100));
}

void TestGraphicsView::liveFramesShowToolChanges()
{
    // New frames reuse the drawn tools; a tool that moves, or a zoom, must still show at once.
    const QImage picture = twoTonePicture(300, 200);
    auto view = showView(picture);
    QVERIFY(view);
    auto* line = new vrx::PrimitiveLine;
    QHash<QString, QVariant> look = vrx::PrimitiveAttribute::builtinAttributes(PrimitiveType::Line);
    look[vrx::PrimitiveAttribute::PenColor] = QColor(Qt::magenta);
    look[vrx::PrimitiveAttribute::ShowLabel] = false;
    line->setAttributes(look);
    line->setPoints({{20, 50}, {120, 50}});
    view->primitiveManager()->addObject(line);
    auto shown = [&](const QPointF& scenePoint) {
        QCoreApplication::processEvents();
        view->updateBackgroundByImage(picture);
        const QImage screen = view->viewport()->grab().toImage();
        return screen.pixel(view->mapFromScene(scenePoint)) == QColor(Qt::magenta).rgb();
    };
    QVERIFY(shown({70, 50}));
    QVERIFY(shown({70, 50})); // a frame over the kept tools

    line->setPoints({{20, 150}, {120, 150}});
    QVERIFY(shown({70, 150}));
    QVERIFY(!shown({70, 50}));

    view->zoom(150);
    QVERIFY(shown({70, 150}));
    line->setVisible(false);
    QVERIFY(!shown({70, 150}));
}

void TestGraphicsView::regionGrab_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("actual size") << 100.0;
    QTest::newRow("double size") << 200.0;
}

void TestGraphicsView::regionGrab()
{
    QFETCH(double, zoom);
    const QImage picture = distinctPicture(200, 100);
    const auto view = showView(picture);
    QVERIFY(view);
    view->zoom(zoom);
    QSignalSpy grabbed(view.get(), &GraphicsView::rubberBandGrab);
    view->startRegionGrab();
    QVERIFY(view->isRegionGrab());

    // From the corner of picture pixel (10, 20) to the last screen pixel before (30, 40).
    const QPoint from = view->mapFromScene(QPointF(10, 20));
    const QPoint to = view->mapFromScene(QPointF(30, 40)) - QPoint(1, 1);
    drag(view->viewport(), from, to);
    QCOMPARE(grabbed.count(), 1);
    const QImage region = grabbed.first().at(0).value<QImage>();
    QCOMPARE(region, picture.copy(10, 20, 20, 20));

    // One grab per request; the next drag is an ordinary selection.
    QVERIFY(!view->isRegionGrab());
    QCOMPARE(view->primitiveDragMode(), PrimitiveManager::SelectDrag);
    drag(view->viewport(), from, to);
    QCOMPARE(grabbed.count(), 1);
}

void TestGraphicsView::regionGrabClipsAndClears()
{
    const QImage picture = distinctPicture(200, 100);
    const auto view = showView(picture); // the picture sits at (100, 100) in the viewport
    QVERIFY(view);
    QSignalSpy grabbed(view.get(), &GraphicsView::rubberBandGrab);

    // Dragged from outside the picture: only the picture's part, and the same when dragged
    // from bottom right to top left.
    view->setRegionGrab(true);
    QVERIFY(view->isRegionGrab());
    drag(view->viewport(), view->mapFromScene(QPointF(15, 25)) - QPoint(1, 1), QPoint(1, 1));
    QCOMPARE(grabbed.count(), 1);
    QCOMPARE(grabbed.last().at(0).value<QImage>(), picture.copy(0, 0, 15, 25));

    // Entirely outside: nothing.
    view->startRegionGrab();
    drag(view->viewport(), QPoint(2, 2), QPoint(60, 60));
    QCOMPARE(grabbed.count(), 1);
    QVERIFY(!view->isRegionGrab());

    // Escape and another mode both end the request.
    view->startRegionGrab();
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QVERIFY(!view->isRegionGrab());
    view->startRegionGrab();
    view->setPrimitiveDragMode(PrimitiveManager::HandDrag, -1);
    QVERIFY(!view->isRegionGrab());
    view->setPrimitiveDragMode(PrimitiveManager::SelectDrag, -1);
    drag(view->viewport(), view->mapFromScene(QPointF(10, 10)), view->mapFromScene(QPointF(50, 50)));
    QCOMPARE(grabbed.count(), 1);
}

void TestGraphicsView::drawLineByDrag_data()
{
    regionGrab_data();
}

void TestGraphicsView::drawLineByDrag()
{
    QFETCH(double, zoom);
    const auto view = showView(distinctPicture(200, 100));
    QVERIFY(view);
    view->zoom(zoom);
    view->setPrimitiveDragMode(PrimitiveManager::DrawDrag, PrimitiveType::Line);
    QSignalSpy inserted(view->primitiveManager()->dimensionModel(), &QAbstractItemModel::rowsInserted);

    drag(view->viewport(), view->mapFromScene(QPointF(20, 30)), view->mapFromScene(QPointF(120, 30)));
    QCOMPARE(inserted.count(), 1);
    QVERIFY(!view->drawingTool());
    QCOMPARE(rowValue(*view, 0, PrimitiveQuantity::Length), 100.0); // picture pixels, whatever the zoom
    QCOMPARE(rowValue(*view, 0, PrimitiveQuantity::Angle), 0.0);
    vrx::PrimitiveDimensionTool* line = view->primitiveManager()->tool(0);
    QCOMPARE(line->mapToScene(line->points()[0]), QPointF(20, 30));
    QCOMPARE(toolItems(view->scene()), 1);

    // The mode stays for the next one.
    drag(view->viewport(), view->mapFromScene(QPointF(10, 10)), view->mapFromScene(QPointF(10, 90)));
    QCOMPARE(view->primitiveManager()->dimensionModel()->rowCount(), 2);
    QCOMPARE(rowValue(*view, 1, PrimitiveQuantity::Length), 80.0);
    QCOMPARE(rowValue(*view, 1, PrimitiveQuantity::Angle), 270.0);
}

void TestGraphicsView::clicksAndEscape()
{
    const auto view = showView(distinctPicture(200, 100));
    QVERIFY(view);
    view->setPrimitiveDragMode(PrimitiveManager::DrawDrag, PrimitiveType::Line);
    const auto* model = view->primitiveManager()->dimensionModel();
    QWidget* viewport = view->viewport();
    const QPoint a = view->mapFromScene(QPointF(20, 30));
    const QPoint b = view->mapFromScene(QPointF(50, 70));

    // A click only anchors the line; Escape drops it.
    click(viewport, a);
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(view->drawingTool());
    moveMouse(viewport, b);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QVERIFY(!view->drawingTool());
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(toolItems(view->scene()), 0);

    // Two clicks on the same spot measure nothing.
    click(viewport, a);
    click(viewport, a);
    QVERIFY(!view->drawingTool());
    QCOMPARE(toolItems(view->scene()), 0);

    // Two clicks apart make a line.
    click(viewport, a);
    moveMouse(viewport, b);
    click(viewport, b);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(rowValue(*view, 0, PrimitiveQuantity::Length), 50.0); // 30 across, 40 down

    // Another mode while drawing drops the unfinished tool.
    click(viewport, a);
    QVERIFY(view->drawingTool());
    view->setPrimitiveDragMode(PrimitiveManager::SelectDrag, -1);
    QVERIFY(!view->drawingTool());
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(toolItems(view->scene()), 1);

    // A type that cannot be drawn is refused and the mode kept.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot draw")));
    view->setPrimitiveDragMode(PrimitiveManager::DrawDrag, 12345);
    QCOMPARE(view->primitiveDragMode(), PrimitiveManager::SelectDrag);
}

void TestGraphicsView::drawByClicks()
{
    const auto view = showView(distinctPicture(200, 100));
    QVERIFY(view);
    const auto* model = view->primitiveManager()->dimensionModel();
    QWidget* viewport = view->viewport();
    auto at = [&](double x, double y) { return view->mapFromScene(QPointF(x, y)); };

    // A polygon: a click per corner, Enter ends it.
    view->setPrimitiveDragMode(PrimitiveManager::DrawDrag, PrimitiveType::Polygon);
    for (const QPoint& p : {at(20, 20), at(120, 20), at(20, 80)}) {
        click(viewport, p);
    }
    QCOMPARE(model->rowCount(), 0);
    QTest::keyClick(view.get(), Qt::Key_Return);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(rowValue(*view, 0, PrimitiveQuantity::Area), 3000.0);
    QCOMPARE(rowValue(*view, 0, PrimitiveQuantity::Perimeter), 100 + 60 + std::hypot(100.0, 60.0));

    // Too few corners: Enter gives nothing.
    click(viewport, at(20, 20));
    click(viewport, at(120, 20));
    QTest::keyClick(view.get(), Qt::Key_Return);
    QVERIFY(!view->drawingTool());
    QCOMPARE(toolItems(view->scene()), 1);

    // A polyline ends with a right click.
    view->setPrimitiveDragMode(PrimitiveManager::DrawDrag, PrimitiveType::Polyline);
    for (const QPoint& p : {at(10, 10), at(40, 50), at(40, 90)}) {
        click(viewport, p);
    }
    click(viewport, at(40, 90), Qt::RightButton);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(rowValue(*view, 1, PrimitiveQuantity::Length), 90.0);

    // A counter: one mark a click.
    view->setPrimitiveDragMode(PrimitiveManager::DrawDrag, PrimitiveType::Counter);
    for (const QPoint& p : {at(10, 10), at(30, 10), at(50, 10), at(70, 10)}) {
        click(viewport, p);
    }
    QTest::keyClick(view.get(), Qt::Key_Enter);
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(rowValue(*view, 2, PrimitiveQuantity::Count), 4.0);

    // Escape in the middle of a polygon leaves nothing behind.
    view->setPrimitiveDragMode(PrimitiveManager::DrawDrag, PrimitiveType::Polygon);
    click(viewport, at(20, 20));
    click(viewport, at(120, 20));
    click(viewport, at(120, 80));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(toolItems(view->scene()), 3);
}

void TestGraphicsView::doubleClickEditsNote()
{
    const auto view = showView(distinctPicture(200, 100));
    QVERIFY(view);
    auto* line = new vrx::PrimitiveLine;
    QVERIFY(line->setPoints({{20, 50}, {180, 50}}));
    view->primitiveManager()->addObject(line);

    QStringList asked;
    QString answer = QStringLiteral("scratch");
    bool accept = true;
    GraphicsView::setTextPrompt([&](QWidget*, const QString& title, const QString& current, QString* text) {
        asked.append(title + QLatin1Char('|') + current);
        *text = answer;
        return accept;
    });
    const QPoint on = view->mapFromScene(QPointF(60, 50));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, on);
    QCOMPARE(asked, QStringList{QStringLiteral("Note|")});
    QCOMPARE(line->note(), QStringLiteral("scratch"));

    // Cancelled: the note stays.
    accept = false;
    answer = QStringLiteral("ignored");
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, on);
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked.last(), QStringLiteral("Note|scratch"));
    QCOMPARE(line->note(), QStringLiteral("scratch"));

    // Off the tool nothing is asked.
    const QPoint off = view->mapFromScene(QPointF(60, 90));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, off, view->viewport()->mapToGlobal(off), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &doubleClick);
    QCOMPARE(asked.size(), 2);
    GraphicsView::setTextPrompt(nullptr);
}

void TestGraphicsView::fullScreenAndBack()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("above")));
    auto* view = new GraphicsView;
    layout->addWidget(view);
    layout->addWidget(new QLabel(QStringLiteral("below")));
    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(layout->indexOf(view), 1);

    for (bool byKey : {false, true}) {
        view->fullScreen();
        QVERIFY(view->isFullScreenMode());
        QCOMPARE(layout->count(), 3); // a placeholder keeps the place
        QVERIFY(view->window()->windowState() & Qt::WindowFullScreen);
        QPointer<QWidget> fullScreenWindow = view->window();

        if (byKey) {
            QTest::keyClick(view, Qt::Key_Escape);
        } else {
            view->fullScreen();
        }
        QVERIFY(!view->isFullScreenMode());
        QCOMPARE(view->parentWidget(), &window);
        QCOMPARE(layout->indexOf(view), 1);
        QCOMPARE(layout->count(), 3);
        QVERIFY(view->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(fullScreenWindow.isNull());
    }

    // The chosen key leaves too.
    view->setFullScreenShortcut(QKeySequence(Qt::Key_F));
    view->fullScreen();
    QTest::keyClick(view, Qt::Key_F);
    QVERIFY(!view->isFullScreenMode());
    QCOMPARE(layout->indexOf(view), 1);
}

void TestGraphicsView::fullScreenWindowClosedOrViewDeleted()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* view = new GraphicsView;
    layout->addWidget(view);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Closed by the window manager (Alt+F4) instead of Esc: the view must come home.
    view->fullScreen();
    QVERIFY(view->window() != &window);
    view->window()->close();
    QCoreApplication::processEvents();
    QCOMPARE(view->window(), &window);
    if (view->isFullScreenMode()) {
        view->fullScreen();
    }
    QCOMPARE(layout->indexOf(view), 0);
    QVERIFY(view->isVisible());

    // Deleted as a child of the full-screen window: it must not be deleted twice.
    view->fullScreen();
    QPointer<QWidget> fullScreenWindow = view->window();
    delete view;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(fullScreenWindow.isNull());
}

void TestGraphicsView::cursorCrosshair()
{
    const auto view = showView(distinctPicture(200, 100)); // the picture sits at (100, 100)
    QVERIFY(view);
    vrx::CursorCrosshair* crosshair = view->cursorCrosshair();
    QVERIFY(!crosshair->isShown());
    QSignalSpy changed(crosshair, &vrx::CursorCrosshair::changed);
    crosshair->setPen(QPen(QColor(255, 255, 0), 1));
    QVERIFY(crosshair->pen().isCosmetic());
    crosshair->show(true);
    crosshair->show(true);
    QCOMPARE(changed.count(), 2);

    const QPoint mouse(150, 150); // picture pixel (50, 50)
    moveMouse(view->viewport(), mouse);
    const QImage screen = view->viewport()->grab().toImage();
    QCOMPARE(QColor(screen.pixel(mouse.x(), 120)), QColor(255, 255, 0));
    QCOMPARE(QColor(screen.pixel(130, mouse.y())), QColor(255, 255, 0));

    // Never in a screenshot.
    const QImage viewportShot = view->screenshot(true);
    QCOMPARE(viewportShot.size(), view->viewport()->size());
    QCOMPARE(viewportShot.pixel(mouse.x(), 120), qRgb(50, 20, 77));
    QCOMPARE(view->screenshot(false), distinctPicture(200, 100));

    crosshair->show(false);
    const QImage hidden = view->viewport()->grab().toImage();
    QCOMPARE(hidden.pixel(mouse.x(), 120), qRgb(50, 20, 77));
}

QUARNEL_TEST_MAIN(TestGraphicsView)
#include "tst_graphicsview.moc"
