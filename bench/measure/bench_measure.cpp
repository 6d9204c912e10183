// What the Excel report of 2,000 measurement rows with a 1920 x 1080 picture costs, against
// openpyxl (python3-openpyxl) writing the same cells and the same picture; and what the tools
// file of 2,000 tools costs to write and to load, against writing and parsing the same JSON
// without any tools behind it.
//
// openpyxl runs in one Python process for the whole run; it reports the time of each
// workbook it writes (building the cells, encoding the picture, saving), which is what is
// timed here, without the interpreter's start. Both encode the picture as PNG at deflate level 1.

#include "ratioreporter.h"

#include <measure/excelreport.h>
#include <measure/formoutputbar.h>
#include <measure/toolsfile.h>
#include <measure/workbookwriter.h>

#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>
#include <vrx/primitive.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitivefactory.h>
#include <vrx/primitivemanager.h>
#include <vrx/primitivetype.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kRows = 2000;
constexpr int kTools = 2000;

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

/// A camera-like picture: gradients with fine detail, which is what PNG has to work on.
const QImage& picture()
{
    static const QImage image = [] {
        QImage frame(1920, 1080, QImage::Format_RGB32);
        for (int y = 0; y < frame.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < frame.width(); ++x) {
                const int detail = (x ^ y) & 0x3f;
                line[x] = qRgb((x * 255 / frame.width() + detail) & 0xff, y * 255 / frame.height(), detail * 4);
            }
        }
        return frame;
    }();
    return image;
}

/// The result table as the report sees it: a number, the tool, the values as the table shows
/// them (two decimals, empty where the tool does not measure) and a note.
const QStandardItemModel& table()
{
    static const std::unique_ptr<QStandardItemModel> model = [] {
        const int columns = vrx::PrimitiveDimensionModel::columnTotal();
        auto m = std::make_unique<QStandardItemModel>(kRows, columns);
        for (int r = 0; r < kRows; ++r) {
            m->setData(m->index(r, 0), r + 1);
            m->setData(m->index(r, 1), r % 2 ? QStringLiteral("Line") : QStringLiteral("Rectangle"));
            for (int c = 2; c < columns - 1; ++c) {
                const bool measured = (r + c) % 3 != 0;
                m->setData(m->index(r, c), measured ? QString::number((r * 7 + c) * 0.37, 'f', 2) : QString());
            }
            m->setData(m->index(r, columns - 1), QStringLiteral("note %1").arg(r));
        }
        return m;
    }();
    return *model;
}

void excelExport(benchmark::State& state)
{
    ExcelReport::Content content;
    content.model = &table();
    content.unitFullName = QStringLiteral("Millimetre");
    content.picture = picture();
    content.software = QStringLiteral("Quarnel Link");
    content.dateTime = QDateTime::currentDateTime();
    const QString path = scratch().filePath("ours.xlsx");
    for (auto _ : state) {
        WorkbookWriter workbook;
        ExcelReport::layOut(content, workbook);
        if (!workbook.saveAs(path)) {
            state.SkipWithError(qPrintable(workbook.errorString()));
            break;
        }
    }
    state.counters["bytes"] = QFileInfo(path).size();
}
BENCHMARK(excelExport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same workbook through openpyxl: cells from a JSON dump of the table, the picture from
// its raw pixels. One line in ("go"), one time in seconds out.
const char* const kOpenpyxl = R"PY(
import io, json, sys, time
import openpyxl
from openpyxl.drawing.image import Image
from openpyxl.styles import Alignment
from PIL import Image as Pil
cells_path, raw_path, width, height, out = sys.argv[1:6]
rows = json.load(open(cells_path))
raw = open(raw_path, "rb").read()
for line in sys.stdin:
    start = time.perf_counter()
    wb = openpyxl.Workbook()
    ws = wb.active
    n = len(rows[0]) - 1
    ws.merge_cells(start_row=1, start_column=1, end_row=1, end_column=n)
    ws.cell(1, 1, "Measurement Table").alignment = Alignment(horizontal="center")
    col = lambda k: k + 1 if k < 2 else k + 2
    for r, row in enumerate(rows):
        for k in range(n):
            if row[k] != "":
                ws.cell(r + 3, col(k), row[k])
    r = len(rows) + 4
    for text in ("Unit:Millimetre", "Date & Time:2024/05/01 09:03:07", "Software:Quarnel Link"):
        ws.merge_cells(start_row=r, start_column=1, end_row=r, end_column=n)
        ws.cell(r, 1, text).alignment = Alignment(horizontal="right")
        r += 1
    png = io.BytesIO()
    Pil.frombytes("RGB", (int(width), int(height)), raw).save(png, "PNG", compress_level=1)
    picture = Image(png)
    ws.add_image(picture, "A%d" % (len(rows) + 8))
    wb.save(out)
    print(time.perf_counter() - start, flush=True)
)PY";

void openpyxlExport(benchmark::State& state)
{
    QTemporaryDir& dir = scratch();
    QJsonArray rows;
    const QStandardItemModel& model = table();
    for (int r = 0; r < model.rowCount(); ++r) {
        QJsonArray row;
        for (int c = 0; c < model.columnCount(); ++c) {
            row.append(QJsonValue::fromVariant(model.data(model.index(r, c))));
        }
        rows.append(row);
    }
    QFile cells(dir.filePath("cells.json"));
    QFile raw(dir.filePath("picture.rgb"));
    QFile script(dir.filePath("openpyxl_report.py"));
    const QImage rgb = picture().convertToFormat(QImage::Format_RGB888);
    if (!cells.open(QIODevice::WriteOnly) || !raw.open(QIODevice::WriteOnly) || !script.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the scratch files");
        return;
    }
    cells.write(QJsonDocument(rows).toJson(QJsonDocument::Compact));
    for (int y = 0; y < rgb.height(); ++y) {
        raw.write(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    }
    script.write(kOpenpyxl);
    cells.close();
    raw.close();
    script.close();

    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {script.fileName(), cells.fileName(), raw.fileName(), QString::number(rgb.width()),
                  QString::number(rgb.height()), dir.filePath("openpyxl.xlsx")});
    if (!python.waitForStarted()) {
        state.SkipWithError("/usr/bin/python3 does not start");
        return;
    }
    for (auto _ : state) {
        python.write("go\n");
        while (!python.canReadLine() && python.waitForReadyRead(60000)) {
        }
        bool ok = false;
        const double seconds = python.readLine().trimmed().toDouble(&ok);
        if (!ok) {
            state.SkipWithError(python.readAllStandardError().constData());
            break;
        }
        state.SetIterationTime(seconds);
    }
    python.closeWriteChannel();
    python.waitForFinished();
    state.counters["bytes"] = QFileInfo(dir.filePath("openpyxl.xlsx")).size();
}
BENCHMARK(openpyxlExport)->Unit(benchmark::kMillisecond)->UseManualTime();

/// The main view with its table under it, holding 2,000 tools of several kinds.
struct Canvas
{
    vrx::GraphicsView view;
    FormOutputbar bar;
    Canvas()
    {
        view.updateBackgroundByImage(picture());
        bar.setGraphicsView(&view, view.primitiveManager());
    }
    void fill()
    {
        for (int i = 0; i < kTools; ++i) {
            const double x = (i * 37) % 1800;
            const double y = (i * 53) % 1000;
            const int type = i % 3 == 0   ? vrx::PrimitiveType::Line
                             : i % 3 == 1 ? vrx::PrimitiveType::Rectangle
                                          : vrx::PrimitiveType::Circle3Points;
            auto* tool = vrx::PrimitiveFactory::create(type);
            if (type == vrx::PrimitiveType::Circle3Points) {
                tool->setPoints({{0, 0}, {40, 0}, {20, 20}});
            } else {
                tool->setPoints({{0, 0}, {60, 30}});
            }
            view.primitiveManager()->addObject(tool);
            tool->setPos(x, y);
        }
    }
};

Canvas& canvas()
{
    static Canvas c;
    return c;
}

QString toolsPath()
{
    return scratch().filePath("tools.json");
}

void toolsExport(benchmark::State& state)
{
    Canvas& c = canvas();
    if (c.view.primitiveManager()->toolCount() != kTools) {
        c.view.primitiveManager()->deleteAllTools(true);
        c.fill();
    }
    for (auto _ : state) {
        ToolsFile::save(toolsPath(), c.view.primitiveManager());
    }
    state.counters["bytes"] = QFileInfo(toolsPath()).size();
}
BENCHMARK(toolsExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void jsonWrite(benchmark::State& state)
{
    QFile file(toolsPath());
    file.open(QIODevice::ReadOnly);
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QString path = scratch().filePath("plain.json");
    for (auto _ : state) {
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(document.toJson(QJsonDocument::Indented));
    }
}
BENCHMARK(jsonWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void toolsImport(benchmark::State& state)
{
    Canvas& c = canvas();
    for (auto _ : state) {
        ToolsFile::load(toolsPath(), c.view.primitiveManager(), c.view.scene());
        QApplication::processEvents();
    }
    if (c.view.primitiveManager()->toolCount() != kTools) {
        state.SkipWithError("not every tool came back");
    }
}
BENCHMARK(toolsImport)->Unit(benchmark::kMillisecond)->UseRealTime();

void jsonRead(benchmark::State& state)
{
    for (auto _ : state) {
        QFile file(toolsPath());
        file.open(QIODevice::ReadOnly);
        const QJsonArray tools = QJsonDocument::fromJson(file.readAll()).object().value("tools").toArray();
        benchmark::DoNotOptimize(tools.size());
    }
}
BENCHMARK(jsonRead)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

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
    RatioReporter reporter({{"excelExport/real_time", "openpyxlExport/manual_time"},
                            {"toolsExport/real_time", "jsonWrite/real_time"},
                            {"toolsImport/real_time", "jsonRead/real_time"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
