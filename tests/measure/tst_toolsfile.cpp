#include "canvasfixture.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/settingskeys.h>
#include <measure/formmeasure.h>
#include <measure/openfileprompt.h>

#include <vrx/popuptoolbutton.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QQueue>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

using testsupport::Canvas;

namespace {

/// The measure panel on a canvas, with its "Import..." and "Export..." actions at hand and the
/// open dialog answered from a queue (an empty queue cancels).
struct Panel
{
    Canvas canvas;
    FormMeasure form;
    QQueue<QString> openAnswers;
    QList<OpenFilePrompt::Request> openRequests;

    Panel()
    {
        form.setGraphicsView(canvas.view.get());
        OpenFilePrompt::setResponder([this](const OpenFilePrompt::Request& request) {
            openRequests << request;
            return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
        });
    }
    ~Panel() { OpenFilePrompt::setResponder(nullptr); }

    QAction* entry(int index) const
    {
        auto* button = form.findChild<vrx::PopupToolButton*>(QStringLiteral("toolButtonImportExport"));
        return button->menu()->actions().at(index);
    }
    void importFrom(const QString& path)
    {
        openAnswers.enqueue(path);
        entry(0)->trigger();
    }
    void exportTo(testsupport::ScriptedPrompt& prompt, const QString& path)
    {
        prompt.answerSaveFile(path);
        entry(1)->trigger();
    }
};

QString storedFolder()
{
    return QSettings().value(SettingsKeys::ImportFilePath).toString();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray toolsDocument(const QString& magic, const QJsonArray& tools)
{
    return QJsonDocument(QJsonObject{{"fileFormat", magic}, {"tools", tools}}).toJson();
}

} // namespace

class TestToolsFile final : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().remove(SettingsKeys::ImportFilePath); }
    void roundTripKeepsEveryTool();
    void emptyCanvasWritesAnEmptyList();
    void magicIsCaseSensitive();
    void cancelledDialogsChangeNothing();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void hugeFileIsRefusedUnread();

private:
    QTemporaryDir m_dir;
};

void TestToolsFile::roundTripKeepsEveryTool()
{
    testsupport::ScriptedPrompt prompt;
    Panel panel;
    panel.canvas.addLine(120, {30, 40});
    panel.canvas.add(vrx::PrimitiveType::Rectangle, {{0, 0}, {50, 25}}, {200, 100});
    panel.canvas.add(vrx::PrimitiveType::Circle3Points, {{0, 0}, {40, 0}, {20, 20}}, {300.5, 210.25});
    panel.canvas.add(vrx::PrimitiveType::Counter, {{5, 5}, {15, 5}, {25, 8}}, {10, 400});
    const QList<QGraphicsObject*> before = panel.canvas.manager->dimensionTools();
    QCOMPARE(before.size(), 4);
    QList<QJsonObject> written;
    QList<QPointF> positions;
    for (QGraphicsObject* tool : before) {
        written << vrx::PrimitiveFactory::toJsonObject(tool);
        positions << tool->pos();
    }

    // Into a folder that does not exist yet; the dialog starts in the documents folder.
    const QString path = m_dir.filePath("sets/a/tools.json");
    panel.exportTo(prompt, path);
    QCOMPARE(prompt.saveRequests().size(), 1);
    QCOMPARE(prompt.saveRequests().at(0).proposedPath,
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QCOMPARE(storedFolder(), QFileInfo(path).absolutePath());

    // Indented JSON, "fileFormat" first, the tools in ascending order.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.indexOf("\"fileFormat\"") < bytes.indexOf("\"tools\""));
    QVERIFY(bytes.contains("\n    "));
    const QJsonArray tools = QJsonDocument::fromJson(bytes).object().value("tools").toArray();
    QCOMPARE(tools.size(), 4);
    for (int i = 0; i < tools.size(); ++i) {
        QCOMPARE(tools.at(i).toObject(), written.at(i));
    }

    // Importing replaces what is on the canvas.
    panel.canvas.addLine(10);
    QSettings().remove(SettingsKeys::ImportFilePath);
    panel.importFrom(path);
    const QList<QGraphicsObject*> after = panel.canvas.manager->dimensionTools();
    QCOMPARE(after.size(), 4);
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(after.at(i)->type(), written.at(i).value("type").toInt());
        QCOMPARE(after.at(i)->pos(), positions.at(i));
        QCOMPARE(vrx::PrimitiveFactory::toJsonObject(after.at(i)), written.at(i));
    }
    QCOMPARE(after.at(2)->pos(), QPointF(300.5, 210.25));
    QCOMPARE(panel.canvas.rows(), 4);
    QCOMPARE(storedFolder(), QFileInfo(path).absolutePath());
}

void TestToolsFile::emptyCanvasWritesAnEmptyList()
{
    testsupport::ScriptedPrompt prompt;
    Panel panel;
    const QString path = m_dir.filePath("empty.json");
    panel.exportTo(prompt, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(root.keys(), QStringList({"fileFormat", "tools"}));
    QCOMPARE(root.value("fileFormat").toString(), QStringLiteral("obru_tools_file"));
    QVERIFY(root.value("tools").isArray());
    QVERIFY(root.value("tools").toArray().isEmpty());

    panel.canvas.addLine(50);
    panel.canvas.addLine(60);
    panel.importFrom(path);
    QCOMPARE(panel.canvas.rows(), 0);
}

void TestToolsFile::magicIsCaseSensitive()
{
    Panel panel;
    const QJsonObject line = vrx::PrimitiveFactory::toJsonObject(panel.canvas.addLine(80));
    const QString path = m_dir.filePath("upper.json");
    writeFile(path, toolsDocument("OBRU_tools_file", {line}));

    QTest::ignoreMessage(QtWarningMsg, "wrong file format");
    panel.importFrom(path);
    // Emptied before the content was looked at, and the folder is not remembered.
    QCOMPARE(panel.canvas.rows(), 0);
    QVERIFY(storedFolder().isEmpty());
}

void TestToolsFile::cancelledDialogsChangeNothing()
{
    testsupport::ScriptedPrompt prompt;
    Panel panel;
    panel.canvas.addLine(80);
    const QString old = m_dir.filePath("kept");
    QSettings().setValue(SettingsKeys::ImportFilePath, old);

    QTest::ignoreMessage(QtWarningMsg, "Couldn't open file.");
    panel.importFrom(QString());
    QCOMPARE(panel.openRequests.last().folder, old);
    QTest::ignoreMessage(QtWarningMsg, "Couldn't open file.");
    panel.exportTo(prompt, QString());
    QCOMPARE(prompt.saveRequests().last().proposedPath, old);

    // A file that is not there is no different.
    QTest::ignoreMessage(QtWarningMsg, "Couldn't open file.");
    panel.importFrom(m_dir.filePath("missing.json"));

    QCOMPARE(panel.canvas.rows(), 1);
    QCOMPARE(storedFolder(), old);
}

void TestToolsFile::hostileFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("toolsFile");
    QTest::addColumn<int>("loaded");

    const QJsonObject good{
        {"type", 0x10065}, {"x", 1}, {"y", 2}, {"points", QJsonArray{QJsonArray{0, 0}, QJsonArray{9, 0}}}};
    QJsonObject far = good;
    far["x"] = 1e300;
    QJsonObject nan = good;
    nan["points"] = QJsonArray{QJsonArray{0, 0}, QJsonArray{"NaN", 1}};
    QJsonObject unknown = good;
    unknown["type"] = 12345;
    QJsonObject tooManyPoints = good;
    QJsonArray points;
    for (int i = 0; i < 100001; ++i) {
        points.append(QJsonArray{i, i});
    }
    tooManyPoints["type"] = 0x10067;
    tooManyPoints["points"] = points;

    QTest::newRow("empty file") << QByteArray() << false << 0;
    QTest::newRow("not JSON") << QByteArray("fileFormat: obru_tools_file\n\x01\xff") << false << 0;
    QTest::newRow("array root") << QByteArray("[\"obru_tools_file\", []]") << false << 0;
    QTest::newRow("deep nesting") << QByteArray(200000, '[') << false << 0;
    QTest::newRow("magic of another kind") << QByteArray("{\"fileFormat\": 7, \"tools\": []}") << false << 0;
    QTest::newRow("tools not an array") << QByteArray("{\"fileFormat\": \"obru_tools_file\", \"tools\": {}}") << true
                                        << 0;
    QTest::newRow("absurd and broken tools")
        << toolsDocument("obru_tools_file", {far, nan, unknown, tooManyPoints, 5, "text", QJsonValue(), good}) << true
        << 1;
}

void TestToolsFile::hostileFilesAreRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, toolsFile);
    QFETCH(int, loaded);
    Panel panel;
    panel.canvas.addLine(80);
    const QString path = m_dir.filePath("hostile.json");
    writeFile(path, content);
    if (!toolsFile) {
        QTest::ignoreMessage(QtWarningMsg, "wrong file format");
    }
    panel.importFrom(path);
    QCOMPARE(panel.canvas.rows(), loaded);
    QCOMPARE(storedFolder().isEmpty(), !toolsFile);
    if (loaded) {
        QCOMPARE(panel.canvas.manager->tool(0)->pos(), QPointF(1, 2));
    }
}

void TestToolsFile::hugeFileIsRefusedUnread()
{
    Panel panel;
    panel.canvas.addLine(80);
    // 50 MB of well-formed tools: refused by its size before anything is parsed.
    const QString path = m_dir.filePath("huge.json");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"fileFormat\": \"obru_tools_file\", \"tools\": [\n");
        const QByteArray tool = "{\"type\": 65637, \"x\": 1, \"y\": 2, \"points\": [[0, 0], [9, 0]]},\n";
        QByteArray block;
        while (block.size() < (1 << 20)) {
            block += tool;
        }
        while (file.size() < 50 * 1024 * 1024) {
            file.write(block);
        }
        file.write("{\"type\": 65637, \"points\": [[0, 0], [9, 0]]}]}\n");
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Tools file too large, not read: .*huge.json"));
    panel.importFrom(path);
    QCOMPARE(panel.canvas.rows(), 0);
    QVERIFY(storedFolder().isEmpty());
    QFile::remove(path);
}

QUARNEL_TEST_MAIN(TestToolsFile)
#include "tst_toolsfile.moc"
