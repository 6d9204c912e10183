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
#include <QStandardPaths>
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
    void openedByLibreOffice();
    void exportFromTheBar();
    void failuresAreTold();
    void writerKeepsKindsAndLimits();

private:
    QString writeExample();
    QTemporaryDir m_dir;
};

void TestExcelReport::initTestCase()
{
    if (!QFile::exists(kPython) || QProcess::execute(kPython, {"-c", "import openpyxl, PIL"}) != 0) {
        QFAIL("python3-openpyxl and python3-pil are needed to read the reports back");
    }
}

QString TestExcelReport::writeExample()
{
    Opener opener;
    testsupport::ScriptedPrompt prompt;
    const QString path = m_dir.filePath("example/report.xlsx");
    prompt.answerSaveFile(path);
    auto model = exampleModel();
    if (!ExcelReport::exportReport(exampleContent(model.get()), true, nullptr) || !prompt.messages().isEmpty()) {
        return QString();
    }
    return path;
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

    // Header with "Lot Number" in C, not bold; the note column never appears.
    const QList<QPair<const char*, QString>> header = {
        {"A2", "No."}, {"B2", "Tool"}, {"C2", "Lot Number"}, {"D2", "Length"}, {"E2", "Width"}};
    for (const auto& [address, text] : header) {
        QCOMPARE(cell(sheet, address).value("v").toString(), text);
        QVERIFY(!cell(sheet, address).value("b").toBool());
    }
    // Data rows as the model gives them: numbers stay numbers, texts stay texts.
    QCOMPARE(cell(sheet, "A3").value("v").toDouble(), 1.0);
    QCOMPARE(cell(sheet, "A3").value("t").toString(), QStringLiteral("n"));
    QCOMPARE(cell(sheet, "B3").value("v").toString(), QStringLiteral("Line"));
    QCOMPARE(cell(sheet, "D3").value("v").toString(), QStringLiteral("2.50"));
    QCOMPARE(cell(sheet, "E3").value("v").toString(), QStringLiteral("0"));
    QCOMPARE(cell(sheet, "A4").value("v").toDouble(), 2.0);
    QCOMPARE(cell(sheet, "B4").value("v").toString(), QStringLiteral("Circle"));
    QCOMPARE(cell(sheet, "D4").value("v").toString(), QStringLiteral("3.50"));
    QCOMPARE(cell(sheet, "E4").value("v").toString(), QStringLiteral("text"));
    QVERIFY(cell(sheet, "C3").isEmpty());
    QVERIFY(cell(sheet, "C4").isEmpty());
    // Averages: of the lengths as a number; none for the tool names and the 0 / text column.
    QCOMPARE(cell(sheet, "A5").value("v").toString(), QStringLiteral("Average:"));
    QCOMPARE(cell(sheet, "D5").value("t").toString(), QStringLiteral("n"));
    QCOMPARE(cell(sheet, "D5").value("v").toDouble(), 3.0);
    QVERIFY(cell(sheet, "B5").isEmpty());
    QVERIFY(cell(sheet, "E5").isEmpty());
    QVERIFY(cell(sheet, "A6").value("h").toString() == "right");
    QCOMPARE(cell(sheet, "A6").value("v").toString(), QStringLiteral("Unit:Millimetre"));
    QCOMPARE(cell(sheet, "A7").value("v").toString(), QStringLiteral("Date & Time:2024/05/01 09:03:07"));
    QCOMPARE(cell(sheet, "A7").value("h").toString(), QStringLiteral("right"));
    QCOMPARE(cell(sheet, "A8").value("v").toString(), QStringLiteral("Software:Quarnel Link"));
    QCOMPARE(sheet.value("cells").toObject().size(), 1 + 5 + 2 * 4 + 2 + 3);
    for (const QString& address : sheet.value("cells").toObject().keys()) {
        QVERIFY2(!address.startsWith('F'), qPrintable(address));
    }

    // The picture from row 10 (zero-based row 9) in column A, at its own 200 x 100 pixels.
    QCOMPARE(sheet.value("images").toArray(), QJsonArray({QJsonArray{9, 0, 0, 0}}));
    QCOMPARE(sheet.value("ext").toArray(), QJsonArray({200 * 9525, 100 * 9525}));
    QVERIFY(!sheet.value("columnWidths").toBool());
}

void TestExcelReport::openedByLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        QSKIP("soffice (libreoffice-calc-nogui) is not installed; the LibreOffice check is skipped");
    }
    const QString path = writeExample();
    QVERIFY(!path.isEmpty());
    // A profile of its own, so that a LibreOffice the user runs is neither used nor disturbed.
    QTemporaryDir profile(QDir::tempPath() + "/lo-profile-XXXXXX");
    const QString out = m_dir.filePath("csv");
    QProcess office;
    office.start(soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded),
                           "--headless", "--norestore", "--convert-to", "csv", "--outdir", out, path});
    if (!office.waitForFinished(45000)) {
        office.kill();
        office.waitForFinished(5000);
        QFAIL("LibreOffice did not convert the report within 45 s");
    }
    QCOMPARE(office.exitCode(), 0);
    QFile csv(out + "/report.csv");
    QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(office.readAllStandardError()));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n');
    QVERIFY(lines.size() >= 8);
    QCOMPARE(lines.at(0).trimmed(), QStringLiteral("Measurement Table,,,,"));
    QCOMPARE(lines.at(1).trimmed(), QStringLiteral("No.,Tool,Lot Number,Length,Width"));
    QCOMPARE(lines.at(2).trimmed(), QStringLiteral("1,Line,,2.50,0"));
    QCOMPARE(lines.at(4).trimmed(), QStringLiteral("Average:,,,3,"));
    QCOMPARE(lines.at(6).trimmed(), QStringLiteral("Date & Time:2024/05/01 09:03:07,,,,"));
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
