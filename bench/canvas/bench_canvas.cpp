// What showing a frame on the picture view costs, against a plain QLabel showing the same
// frame, and what 2,000 measurement tools cost the paint and the result model.
//
// Every paint is a synchronous viewport()->repaint() of a shown window: under the offscreen
// platform that runs the widget's real paint event into the window's raster backing store,
// as on screen, less the copy to the display. A paint-event counter checks that each timed
// repaint really painted. The scene's own queued update is never processed inside the loop
// (a running event loop would fold it into the same paint).

#include "ratioreporter.h"

#include "vrx/graphicsview.h"
#include "vrx/primitive.h"
#include "vrx/primitivedimensionmodel.h"
#include "vrx/primitivedimensiontool.h"
#include "vrx/primitivefactory.h"
#include "vrx/primitivemanager.h"
#include "vrx/primitivequantity.h"
#include "vrx/primitivetype.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTableView>
#include <QWindow>

#include <cmath>
#include <memory>
#include <random>

namespace {

constexpr int kViewWidth = 1280;
constexpr int kViewHeight = 720;
constexpr int kToolCount = 2000;
const QSize kToolPicture(1920, 1080);

/// Counts the paint events a widget receives.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++m_count;
        }
        return false;
    }

private:
    int m_count = 0;
};

/// A camera-like picture: smooth gradients with fine detail, different for each phase.
QImage makeFrame(QSize size, int phase)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int detail = ((x ^ y) + phase * 37) & 0x3f;
            line[x] = qRgb((x * 255 / size.width() + detail) & 0xff, (y * 255 / size.height() + phase * 64) & 0xff,
                           (detail * 4) & 0xff);
        }
    }
    return image;
}

/// Two different frames of one size, made once.
const QImage& frame(QSize size, int index)
{
    static const QImage hd[2] = {makeFrame(QSize(1920, 1080), 0), makeFrame(QSize(1920, 1080), 1)};
    static const QImage uhd[2] = {makeFrame(QSize(3840, 2160), 0), makeFrame(QSize(3840, 2160), 1)};
    return (size == QSize(1920, 1080) ? hd : uhd)[index & 1];
}

bool showAndWait(QWidget* widget)
{
    widget->show();
    QElapsedTimer timer;
    timer.start();
    while (!(widget->windowHandle() && widget->windowHandle()->isExposed()) && timer.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QApplication::processEvents();
    return widget->windowHandle() && widget->windowHandle()->isExposed();
}

/// The tools of a busy measurement: lines, rectangles, circles, pentagons and angles, each a
/// few dozen pixels across, spread over the whole picture. Always the same layout.
QVector<vrx::Primitive*> makeTools(int count, QSize picture)
{
    static const int types[] = {vrx::PrimitiveType::Line, vrx::PrimitiveType::Rectangle,
                                vrx::PrimitiveType::CircleCentre, vrx::PrimitiveType::Polygon,
                                vrx::PrimitiveType::Angle};
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> x(60, picture.width() - 60), y(60, picture.height() - 60);
    std::uniform_real_distribution<double> size(10, 50), turn(0, 2 * M_PI);
    QVector<vrx::Primitive*> tools;
    tools.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int type = types[i % 5];
        const QPointF c(x(random), y(random));
        const double r = size(random), a = turn(random);
        const QPointF arm(r * std::cos(a), r * std::sin(a));
        QVector<QPointF> points;
        switch (type) {
        case vrx::PrimitiveType::Line:
        case vrx::PrimitiveType::Rectangle:
            points = {c - arm, c + arm};
            break;
        case vrx::PrimitiveType::CircleCentre:
            points = {c, c + arm};
            break;
        case vrx::PrimitiveType::Polygon:
            for (int k = 0; k < 5; ++k) {
                points.append(c + QPointF(r * std::cos(a + k * 2 * M_PI / 5), r * std::sin(a + k * 2 * M_PI / 5)));
            }
            break;
        default: // angle: arm end, vertex, arm end
            points = {c + arm, c, c + QPointF(r * std::cos(a + 1), r * std::sin(a + 1))};
            break;
        }
        vrx::Primitive* tool = vrx::PrimitiveFactory::create(type);
        if (!tool || !tool->setPoints(points)) {
            delete tool;
            qFatal("cannot make benchmark tool type %d", type);
        }
        tools.append(tool);
    }
    return tools;
}

/// A shown picture view at best fit, with or without the tools, and a shown result table.
struct Canvas
{
    std::unique_ptr<vrx::GraphicsView> view = std::make_unique<vrx::GraphicsView>();
    std::unique_ptr<QTableView> table;
    PaintCounter* paints = new PaintCounter(view->viewport());
    bool shown = false;

    explicit Canvas(bool withTools)
    {
        view->resize(kViewWidth, kViewHeight);
        view->updateBackgroundByImage(frame(kToolPicture, 0));
        view->zoomBestFit();
        bool tableShown = true;
        if (withTools) {
            for (vrx::Primitive* tool : makeTools(kToolCount, kToolPicture)) {
                view->primitiveManager()->addObject(tool);
            }
            table = std::make_unique<QTableView>();
            table->setModel(view->primitiveManager()->dimensionModel());
            table->resize(600, 400);
            table->move(kViewWidth + 10, 0);
            tableShown = showAndWait(table.get());
        }
        shown = showAndWait(view.get()) && tableShown;
    }
};

/// Shared shown windows, closed before the application object goes.
struct Windows
{
    std::unique_ptr<QLabel> label;
    PaintCounter* labelPaints = nullptr;
    std::unique_ptr<Canvas> pictureOnly;
    std::unique_ptr<Canvas> withTools;
    std::unique_ptr<QTableView> emptyTable;
};

Windows& windows()
{
    static Windows w;
    return w;
}

Canvas& canvas(bool withTools)
{
    std::unique_ptr<Canvas>& c = withTools ? windows().withTools : windows().pictureOnly;
    if (!c) {
        c = std::make_unique<Canvas>(withTools);
    }
    return *c;
}

void checkPainted(benchmark::State& state, const PaintCounter* counter, int before)
{
    if (counter->count() - before < int(state.iterations())) {
        state.SkipWithError("the window did not paint: not shown by the platform");
    }
}

// What a simple viewer does: a scaled QLabel showing a pixmap of each frame.
void labelFrame(benchmark::State& state)
{
    std::unique_ptr<QLabel>& label = windows().label;
    if (!label) {
        label = std::make_unique<QLabel>();
        label->setScaledContents(true);
        label->resize(kViewWidth, kViewHeight);
        windows().labelPaints = new PaintCounter(label.get());
        if (!showAndWait(label.get())) {
            state.SkipWithError("the label window was not shown");
            return;
        }
    }
    const PaintCounter* counter = windows().labelPaints;
    const QSize size(int(state.range(0)), int(state.range(1)));
    const int before = counter->count();
    int i = 0;
    for (auto _ : state) {
        label->setPixmap(QPixmap::fromImage(frame(size, i++)));
        label->repaint();
    }
    checkPainted(state, counter, before);
}

void viewFrame(benchmark::State& state, bool withTools, bool actualSize)
{
    Canvas& c = canvas(withTools);
    if (!c.shown) {
        state.SkipWithError("the view window was not shown");
        return;
    }
    const QSize size(int(state.range(0)), int(state.range(1)));
    c.view->updateBackgroundByImage(frame(size, 0));
    if (actualSize) {
        c.view->zoomActualSize();
    } else {
        c.view->zoomBestFit();
    }
    const int before = c.paints->count();
    int i = 0;
    for (auto _ : state) {
        c.view->updateBackgroundByImage(frame(size, i++));
        c.view->viewport()->repaint();
    }
    checkPainted(state, c.paints, before);
    c.view->zoomBestFit();
}

void viewFrameBestFit(benchmark::State& state)
{
    viewFrame(state, false, false);
}

void viewFrameActualSize(benchmark::State& state)
{
    viewFrame(state, false, true);
}

void viewFrameTools(benchmark::State& state)
{
    viewFrame(state, true, false);
}

// The same 2,000 tools when the view itself changes (zoom, scroll): nothing cached is valid,
// every tool and label is drawn again.
void viewRedrawTools(benchmark::State& state)
{
    Canvas& c = canvas(true);
    if (!c.shown) {
        state.SkipWithError("the view window was not shown");
        return;
    }
    const QSize size(int(state.range(0)), int(state.range(1)));
    c.view->updateBackgroundByImage(frame(size, 0));
    c.view->zoomBestFit();
    const double fit = c.view->zoomScale();
    const int before = c.paints->count();
    int i = 0;
    for (auto _ : state) {
        c.view->zoomByScale(i++ % 2 ? fit : fit * 1.001);
        c.view->viewport()->repaint();
    }
    checkPainted(state, c.paints, before);
    c.view->zoomBestFit();
}

// Baseline of adding tools: the same tools put straight into a plain scene.
void sceneAddItems(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<QGraphicsScene>(QRectF(QPointF(0, 0), QSizeF(kToolPicture)));
        const QVector<vrx::Primitive*> tools = makeTools(kToolCount, kToolPicture);
        state.ResumeTiming();
        for (vrx::Primitive* tool : tools) {
            scene->addItem(tool);
        }
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
}

// Adding tools one by one into an empty manager whose result table is on screen.
void managerAddObject(benchmark::State& state)
{
    std::unique_ptr<QTableView>& table = windows().emptyTable;
    if (!table) {
        table = std::make_unique<QTableView>();
        table->resize(600, 400);
        if (!showAndWait(table.get())) {
            state.SkipWithError("the table window was not shown");
            return;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<vrx::GraphicsView>();
        view->updateBackgroundByImage(frame(kToolPicture, 0));
        vrx::PrimitiveManager* manager = view->primitiveManager();
        table->setModel(manager->dimensionModel());
        const QVector<vrx::Primitive*> tools = makeTools(kToolCount, kToolPicture);
        state.ResumeTiming();
        for (vrx::Primitive* tool : tools) {
            manager->addObject(tool);
        }
        state.PauseTiming();
        if (manager->toolCount() != kToolCount) {
            state.SkipWithError("the manager did not take every tool");
        }
        view.reset(); // the table falls back to an empty model

        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Baseline of a decimals change: formatting every measured value of the tools once.
void formatValues(benchmark::State& state)
{
    Canvas& c = canvas(true);
    const QList<QGraphicsObject*> tools = c.view->primitiveManager()->dimensionTools();
    int decimals = 2;
    for (auto _ : state) {
        decimals = 5 - decimals;
        QStringList texts;
        texts.reserve(tools.size());
        for (QGraphicsObject* object : tools) {
            QString text;
            for (double value : static_cast<vrx::PrimitiveDimensionTool*>(object)->values()) {
                if (!std::isnan(value)) {
                    text += QString::number(value, 'f', decimals) + QLatin1Char('\n');
                }
            }
            texts.append(text);
        }
        benchmark::DoNotOptimize(texts);
    }
}

// A change that re-formats every row: the decimals, alternately 3 and 2, with the table shown.
void managerSetDecimals(benchmark::State& state)
{
    Canvas& c = canvas(true);
    if (!c.shown) {
        state.SkipWithError("the view window was not shown");
        return;
    }
    vrx::PrimitiveManager* manager = c.view->primitiveManager();
    manager->setDecimalPlaces(2);
    const QString twoPlaces = manager->tool(0)->labelText();
    manager->setDecimalPlaces(3);
    if (manager->tool(0)->labelText() == twoPlaces) {
        state.SkipWithError("the labels were not re-formatted");
        return;
    }
    int decimals = 3;
    for (auto _ : state) {
        decimals = decimals == 2 ? 3 : 2;
        manager->setDecimalPlaces(decimals);
    }
    manager->setDecimalPlaces(2);
    QApplication::processEvents();
}

} // namespace

BENCHMARK(labelFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(viewFrameBestFit)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(viewFrameActualSize)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(viewFrameTools)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(viewRedrawTools)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(sceneAddItems)->Unit(benchmark::kMillisecond);
BENCHMARK(managerAddObject)->Unit(benchmark::kMillisecond);
BENCHMARK(formatValues)->Unit(benchmark::kMillisecond);
BENCHMARK(managerSetDecimals)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // view / label: the picture view against the simplest viewer; tools / picture only: what
    // 2,000 tools add to a frame; the manager against a bare scene and bare formatting.
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const char* size : {"1920/1080", "3840/2160"}) {
        const std::string s = size;
        pairs.push_back({"viewFrameBestFit/" + s, "labelFrame/" + s});
        pairs.push_back({"viewFrameActualSize/" + s, "labelFrame/" + s});
    }
    pairs.push_back({"viewFrameTools/1920/1080", "viewFrameBestFit/1920/1080"});
    pairs.push_back({"viewRedrawTools/1920/1080", "viewFrameBestFit/1920/1080"});
    pairs.push_back({"managerAddObject", "sceneAddItems"});
    pairs.push_back({"managerSetDecimals", "formatValues"});
    RatioReporter reporter(pairs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    windows() = Windows();
    return 0;
}
