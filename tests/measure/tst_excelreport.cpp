#include "canvasfixture.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/clock.h>
#include <app/settingskeys.h>
#include <measure/excelreport.h>
#include <measure/formoutputbar.h>
#include <measure/workbookwriter.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QUrl>

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// Reads a workbook the way a spreadsheet user would see it: every cell with its value, kind,
// alignment and boldness, the merged ranges, the pictures' anchors, and the picture's size
// as stored in the drawing.
const char* const kReadBack = R"PY(
import json, re, sys, zipfile
import openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
cells = {}
for row in ws.iter_rows():
    for c in row:
        if c.value is not None:
            cells[c.coordinate] = {"v": c.value, "t": c.data_type, "h": c.alignment.horizontal, "b": bool(c.font.b)}
out = {"sheets": len(wb.worksheets), "cells": cells,
       "merged": sorted(str(r) for r in ws.merged_cells.ranges),
       "images": [[i.anchor._from.row, i.anchor._from.col, i.anchor._from.rowOff, i.anchor._from.colOff]
                  for i in ws._images]}
with zipfile.ZipFile(sys.argv[1]) as z:
    names = z.namelist()
    drawing = [n for n in names if n.startswith("xl/drawings/drawing")]
    xml = z.read(drawing[0]).decode() if drawing else ""
    m = re.search(r'<a:ext cx="(\d+)" cy="(\d+)"', xml)
    out["ext"] = [int(m.group(1)), int(m.group(2))] if m else []
    out["columnWidths"] = "<cols>" in z.read("xl/worksheets/sheet1.xml").decode()
print(json.dumps(out))
)PY";

/// The workbook as openpyxl reads it; an empty object (and a failed check) when it cannot.
QJsonObject readBack(const QString& path)
{
    QTemporaryDir dir;
    QFile script(dir.filePath("readback.py"));
    if (!script.open(QIODevice::WriteOnly) || script.write(kReadBack) < 0) {
        return {};
    }
    script.close();
    QProcess python;
    python.start(kPython, {script.fileName(), path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning().noquote() << "openpyxl could not read" << path << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

/// The worked example: five model columns (the last, the note, is never written), two rows.
std::unique_ptr<QStandardItemModel> exampleModel()
{
    auto model = std::make_unique<QStandardItemModel>(2, 5);
    const QVariant values[2][5] = {{1, "Line", "2.50", "0", "first note"}, {2, "Circle", "3.50", "text", "7"}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 5; ++c) {
            model->setData(model->index(r, c), values[r][c]);
        }
    }
    return model;
}

ExcelReport::Content exampleContent(const QAbstractItemModel* model)
{
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ExcelReport::Content content;
    content.model = model;
    content.unitFullName = QStringLiteral("Millimetre");
    content.picture = picture;
    content.software = QStringLiteral("Quarnel Link");
    content.dateTime = QDateTime(QDate(2024, 5, 1), QTime(9, 3, 7));
    return content;
}

QJsonObject cell(const QJsonObject& sheet, const char* address)
{
    return sheet.value("cells").toObject().value(QLatin1String(address)).toObject();
}

/// Records what the report asks the desktop to open.
struct Opener
{
    QList<QUrl> urls;
    bool answer = true;
    Opener()
    {
        ExcelReport::setDesktopOpener([this](const QUrl& url) {
            urls << url;
            return answer;
        });
    }
    ~Opener() { ExcelReport::setDesktopOpener(nullptr); }
};

} // namespace

class TestExcelReport final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void workedExampleLayout();
    void exportFromTheBar();
    void failuresAreTold();
    void writerKeepsKindsAndLimits();

private:
    QTemporaryDir m_dir;
};

void TestExcelReport::initTestCase()
{
    if (!QFile::exists(kPython) || QProcess::execute(kPython, {"-c", "import openpyxl, PIL"}) != 0) {
        QFAIL("python3-openpyxl and python3-pil are needed to read the reports back");
    }
}

void TestExcelReport::workedExampleLayout()
{
    Opener opener;
    testsupport::ScriptedPrompt prompt;
    const QString path = m_dir.filePath("example/report.xlsx");
    prompt.answerSaveFile(path);
    auto model = exampleModel();
    QVERIFY(ExcelReport::exportReport(exampleContent(model.get()), true, nullptr));
    QVERIFY(prompt.messages().isEmpty());
    QCOMPARE(prompt.saveRequests().size(), 1);
    QCOMPARE(prompt.saveRequests().first().caption, QStringLiteral("Export"));
    QCOMPARE(opener.urls, QList<QUrl>({QUrl::fromLocalFile(path)}));

    const QJsonObject sheet = readBack(path);
    QCOMPARE(sheet.value("sheets").toInt(), 1);
    // Title over the four written columns, centred; footers over the same, right-aligned.
    QCOMPARE(sheet.value("merged").toArray(), QJsonArray({"A1:D1", "A6:D6", "A7:D7", "A8:D8"}));
    QCOMPARE(cell(sheet, "A1").value("v").toString(), QStringLiteral("Measurement Table"));
    QCOMPARE(cell(sheet, "A1").value("h").toString(), QStringLiteral("center"));

    // Header with "Lot Number" in C, not bold; the note column never appears. Numbers stay
    // numbers, texts stay texts; the average is of the lengths only; footers right-aligned.
    const QList<QPair<const char*, QVariant>> expected = {{"A2", "No."},
                                                          {"B2", "Tool"},
                                                          {"C2", "Lot Number"},
                                                          {"D2", "Length"},
                                                          {"E2", "Width"},
                                                          {"A3", 1.0},
                                                          {"B3", "Line"},
                                                          {"D3", "2.50"},
                                                          {"E3", "0"},
                                                          {"A4", 2.0},
                                                          {"B4", "Circle"},
                                                          {"D4", "3.50"},
                                                          {"E4", "text"},
                                                          {"A5", "Average:"},
                                                          {"D5", 3.0},
                                                          {"A6", "Unit:Millimetre"},
                                                          {"A7", "Date & Time:2024/05/01 09:03:07"},
                                                          {"A8", "Software:Quarnel Link"}};
    for (const auto& [address, value] : expected) {
        const QJsonObject c = cell(sheet, address);
        QCOMPARE(c.value("v").toVariant(), value);
        QCOMPARE(c.value("t").toString(), QString(value.type() == QVariant::Double ? "n" : "s"));
        QVERIFY(!c.value("b").toBool());
        if (address[1] >= '6') {
            QCOMPARE(c.value("h").toString(), QStringLiteral("right"));
        }
    }
    QCOMPARE(sheet.value("cells").toObject().size(), 1 + 5 + 2 * 4 + 2 + 3);
    for (const QString& address : sheet.value("cells").toObject().keys()) {
        QVERIFY2(!address.startsWith('F'), qPrintable(address));
    }

    // The picture from row 10 (zero-based row 9) in column A, at its own 200 x 100 pixels.
    QCOMPARE(sheet.value("images").toArray(), QJsonArray({QJsonArray{9, 0, 0, 0}}));
    QCOMPARE(sheet.value("ext").toArray(), QJsonArray({200 * 9525, 100 * 9525}));
    QVERIFY(!sheet.value("columnWidths").toBool());
}

void TestExcelReport::exportFromTheBar()
{
    Opener opener;
    testsupport::ScriptedPrompt prompt;
    const QString folder = m_dir.filePath("reports");
    QSettings().setValue(SettingsKeys::ReportFilePath, folder);
    QSettings().remove(SettingsKeys::ReportPopup);
    Clock::setFixedTime(QDateTime(QDate(2024, 5, 1), QTime(9, 3, 7, 45)));

    testsupport::Canvas canvas;
    canvas.manager->setCalibration(vrx::PrimitiveCalibration(QStringLiteral("Lens"), 10, 1, "mm"), "mm");
    canvas.addLine(20);
    canvas.addLine(40);
    FormOutputbar bar;
    bar.setGraphicsView(canvas.view.get(), canvas.manager);
    bar.exportToExcelAction()->trigger();
    Clock::setFixedTime(std::nullopt);

    // No dialog by default: a time-stamped name in the report folder.
    const QString path = folder + "/20240501-090307-045.xlsx";
    QVERIFY(prompt.saveRequests().isEmpty());
    QVERIFY(prompt.messages().isEmpty());
    QCOMPARE(opener.urls, QList<QUrl>({QUrl::fromLocalFile(path)}));
    const QJsonObject sheet = readBack(path);
    const int columns = vrx::PrimitiveDimensionModel::columnTotal() - 1;
    QCOMPARE(sheet.value("merged").toArray().first().toString(), QString("A1:") + QChar('A' + columns - 1) + "1");
    QCOMPARE(cell(sheet, "C2").value("v").toString(), QStringLiteral("Lot Number"));
    QCOMPARE(cell(sheet, "D3").value("v").toString(), canvas.model->data(canvas.model->index(0, 2)).toString());
    QCOMPARE(cell(sheet, "D5").value("v").toDouble(), 3.0); // (2 + 4) mm / 2
    QCOMPARE(cell(sheet, "A6").value("v").toString(), "Unit:" + canvas.manager->currentUnitFullName());
    QCOMPARE(cell(sheet, "A8").value("v").toString(), QStringLiteral("Software:Quarnel Link"));
    QCOMPARE(sheet.value("images").toArray(), QJsonArray({QJsonArray{9, 0, 0, 0}}));
    QCOMPARE(sheet.value("ext").toArray(), QJsonArray({640 * 9525, 480 * 9525}));
}

void TestExcelReport::failuresAreTold()
{
    Opener opener;
    auto model = exampleModel();
    const auto check = [](const testsupport::ScriptedPrompt& prompt, const QString& text) {
        QCOMPARE(prompt.messages().size(), 1);
        const UserPrompt::MessageRequest& box = prompt.messages().first();
        QCOMPARE(box.title, QStringLiteral("Quarnel Link"));
        QCOMPARE(box.text, text);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
    };
    {
        // A cancelled dialog.
        testsupport::ScriptedPrompt prompt;
        QVERIFY(!ExcelReport::exportReport(exampleContent(model.get()), true, nullptr));
        check(prompt, QStringLiteral("Failed to export measurement data into Excel file."));
    }
    {
        // A name that cannot be written: a folder is there; it is left alone.
        testsupport::ScriptedPrompt prompt;
        const QString taken = m_dir.filePath("taken.xlsx");
        QVERIFY(QDir().mkpath(taken + "/inside"));
        prompt.answerSaveFile(taken);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Could not write the report .*taken.xlsx"));
        QVERIFY(!ExcelReport::exportReport(exampleContent(model.get()), true, nullptr));
        check(prompt, QStringLiteral("Failed to export measurement data into Excel file."));
        QVERIFY(QFileInfo(taken + "/inside").isDir());
        QCOMPARE(QDir(m_dir.path()).entryList({".taken*"}, QDir::Files | QDir::Hidden), QStringList());
    }
    QVERIFY(opener.urls.isEmpty());
    {
        // Saved, but the desktop cannot open it.
        testsupport::ScriptedPrompt prompt;
        const QString path = m_dir.filePath("unopened.xlsx");
        prompt.answerSaveFile(path);
        opener.answer = false;
        QVERIFY(ExcelReport::exportReport(exampleContent(model.get()), true, nullptr));
        check(prompt, "Failed to open file:" + path);
        QVERIFY(QFileInfo(path).size() > 0);
    }
}

void TestExcelReport::writerKeepsKindsAndLimits()
{
    // An empty table still gives the title, the average label, the footers and the picture.
    QStandardItemModel empty(0, 5);
    ExcelReport::Content content = exampleContent(&empty);
    WorkbookWriter workbook;
    ExcelReport::layOut(content, workbook);
    // Texts that look like formulas stay texts; over-long texts are cut; NaN stays blank.
    workbook.write(20, 1, QStringLiteral("=HYPERLINK(\"http://127.0.0.1\")"));
    workbook.write(20, 2, QString(40000, 'x'));
    workbook.write(20, 3, qQNaN());
    workbook.write(20, 4, true);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Workbook cell outside the sheet"));
    workbook.write(0, 1, QStringLiteral("outside"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Workbook text cut to 32767"));
    const QString path = m_dir.filePath("empty.xlsx");
    QVERIFY2(workbook.saveAs(path), qPrintable(workbook.errorString()));
    QCOMPARE(QFile(path).permissions() & QFile::ReadOwner, QFile::ReadOwner);

    const QJsonObject sheet = readBack(path);
    QCOMPARE(cell(sheet, "A3").value("v").toString(), QStringLiteral("Average:"));
    QCOMPARE(cell(sheet, "A4").value("v").toString(), QStringLiteral("Unit:Millimetre"));
    QCOMPARE(cell(sheet, "A6").value("v").toString(), QStringLiteral("Software:Quarnel Link"));
    QCOMPARE(sheet.value("images").toArray(), QJsonArray({QJsonArray{7, 0, 0, 0}}));
    QCOMPARE(cell(sheet, "A20").value("t").toString(), QStringLiteral("s"));
    QCOMPARE(cell(sheet, "B20").value("v").toString().size(), WorkbookWriter::MaxTextLength);
    QVERIFY(cell(sheet, "C20").isEmpty());
    QCOMPARE(cell(sheet, "D20").value("v").toBool(), true);
}

QUARNEL_TEST_MAIN(TestExcelReport)
#include "tst_excelreport.moc"
