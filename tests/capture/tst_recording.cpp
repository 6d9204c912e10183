#include "../app/fakecamera.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/camerasource.h>
#include <app/mainwindow.h>
#include <app/savelocations.h>
#include <app/statusbar.h>
#include <capture/videorecording.h>

#include <tesk/camerainfo.h>
#include <tesk/videorecorder.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

/// What ffprobe says of the first video stream: codec, width, height and the file's duration.
QJsonObject probe(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("ffprobe"), {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                              "stream=codec_name,width,height:format=duration", "-of", "json", path});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QJsonObject();
    }
    const QJsonObject all = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    QJsonObject result = all.value("streams").toArray().first().toObject();
    result.insert("duration", all.value("format").toObject().value("duration").toString().toDouble());
    return result;
}

/// A recorder whose start result is chosen and which can give up by itself, like one whose
/// disk is full.
class ScriptedRecorder final : public tesk::VideoRecorder
{
public:
    explicit ScriptedRecorder(int startResult) : m_startResult(startResult) {}
    int start(const std::string&, int, int, double, int, int, int, int, int) override
    {
        m_started = m_startResult == 0;
        return m_startResult;
    }
    int encodeVideo(const tesk::Frame*, long long) override { return 0; }
    void pause(bool pause) override { m_paused = pause; }
    bool isPaused() const override { return m_paused; }
    bool isStarted() const override { return m_started; }
    int stop() override
    {
        m_started = false;
        return 0;
    }
    void giveUp() { m_started = false; }

private:
    int m_startResult;
    bool m_started = false;
    bool m_paused = false;
};

ScriptedRecorder* g_recorder = nullptr;

QAction* recordAction(const MainWindow& window)
{
    return window.findChild<QAction*>(QStringLiteral("actionRecord"));
}

} // namespace

class TestRecording final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void recordsWithPauseAndResume();
    void failuresShowTheirMessage();
    void recorderThatStopsByItselfIsNoticed();
    void closingTheCameraEndsTheRecording();
};

void TestRecording::initTestCase()
{
    qputenv("TESK_CAMEMU", "1");
}

void TestRecording::init()
{
    QSettings().clear();
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
}

void TestRecording::cleanup()
{
    VideoRecording::setRecorderFactory(nullptr);
    CameraSource::setMakers(nullptr, nullptr);
    g_recorder = nullptr;
}

void TestRecording::recordsWithPauseAndResume()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.show();
    window.openUsbDevice(0);
    QVERIFY(window.hasCamera());
    QCOMPARE(window.camera()->setFrameSize(640, 480), 0);
    QTest::qWait(300);

    QTemporaryDir dir;
    AppSettings::instance()->setCapturePopup(true);
    const QString path = dir.filePath("clip.mp4");
    prompt.answerSaveFile(path);
    recordAction(window)->setChecked(true);
    QVERIFY(window.isRecording());
    QVERIFY(window.statusBarObject()->isRecordIndicatorShown());
    QTest::qWait(3000);
    window.pauseRecording(true);
    QVERIFY(window.isRecordingPaused());

    // A start while paused resumes into the first file.
    QTest::qWait(1000);
    QString error;
    QVERIFY(window.startRecording(dir.filePath("other.mp4"), error));
    QVERIFY(!window.isRecordingPaused());
    QTest::qWait(2000);
    recordAction(window)->setChecked(false);
    QVERIFY(!window.isRecording());
    QVERIFY(!window.statusBarObject()->isRecordIndicatorShown());
    window.stopRecording(); // twice is harmless
    QVERIFY(!QFile::exists(dir.filePath("other.mp4")));
    QVERIFY(prompt.messages().isEmpty());

    const QJsonObject info = probe(path);
    QCOMPARE(info.value("codec_name").toString(), QString("h264"));
    QCOMPARE(info.value("width").toInt(), 640);
    QCOMPARE(info.value("height").toInt(), 480);
    const double duration = info.value("duration").toDouble();
    QVERIFY2(duration > 4.3 && duration < 6.0, qPrintable(QString::number(duration)));
}

void TestRecording::failuresShowTheirMessage()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    QString error;

    // No camera.
    QVERIFY(!window.startRecording("/tmp/never.mp4", error));
    QVERIFY(error.isEmpty());
    window.toggleRecord(true);
    QCOMPARE(prompt.messages().last().title, QString());
    QCOMPARE(prompt.messages().last().text, QString("Camera is not open"));
    window.stopRecording();
    window.pauseRecording(true);
    QVERIFY(!window.isRecording() && !window.isRecordingPaused());

    window.openUsbDevice(0);
    QVERIFY(window.hasCamera());
    QAction* record = recordAction(window);

    // The save dialog cancelled.
    AppSettings::instance()->setCapturePopup(true);
    prompt.answerSaveFile(QString());
    record->setChecked(true);
    QCOMPARE(prompt.messages().last().title, QString("Error"));
    QCOMPARE(prompt.messages().last().text, QString("Failed to start recording File path is empty"));
    QVERIFY(!record->isChecked());
    QVERIFY(!window.statusBarObject()->isRecordIndicatorShown());
    const int shown = prompt.messages().size();

    // No recorder of the kind, then one that refuses to start (kept until the next stop).
    AppSettings::instance()->setCapturePopup(false);
    VideoRecording::setRecorderFactory([] { return static_cast<tesk::VideoRecorder*>(nullptr); });
    record->setChecked(true);
    QCOMPARE(prompt.messages().last().text, QString("Failed to start recording Unsupport format"));
    VideoRecording::setRecorderFactory([] { return g_recorder = new ScriptedRecorder(3); });
    record->setChecked(true);
    QCOMPARE(prompt.messages().last().text, QString("Failed to start recording Failed to init recorder"));
    QCOMPARE(prompt.messages().size(), shown + 2);
    QVERIFY(!record->isChecked());
    QVERIFY(!window.isRecording());
    window.stopRecording();
    window.stopRecording();
}

void TestRecording::recorderThatStopsByItselfIsNoticed()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(0);
    VideoRecording::setRecorderFactory([] { return g_recorder = new ScriptedRecorder(0); });
    QAction* record = recordAction(window);
    record->setChecked(true);
    QVERIFY(window.isRecording());
    QVERIFY(prompt.messages().isEmpty());

    g_recorder->giveUp();
    QTRY_VERIFY_WITH_TIMEOUT(!record->isChecked(), 3 * VideoRecording::WatchIntervalMs);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.messages().last().icon, QMessageBox::Critical);
    QVERIFY(prompt.messages().last().text.contains(".mp4"));
    QVERIFY(!window.isRecording());
    QVERIFY(!window.statusBarObject()->isRecordIndicatorShown());
}

void TestRecording::closingTheCameraEndsTheRecording()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(0);
    QTemporaryDir dir;
    AppSettings::instance()->setCapturePopup(true);
    prompt.answerSaveFile(dir.filePath("short.mp4"));
    recordAction(window)->setChecked(true);
    QVERIFY(window.isRecording());
    QTest::qWait(1500);
    window.closeCamera();
    QVERIFY(!recordAction(window)->isChecked());
    QVERIFY(!window.isRecording());
    QVERIFY(prompt.messages().isEmpty());
    QCOMPARE(probe(dir.filePath("short.mp4")).value("codec_name").toString(), QString("h264"));
}

QUARNEL_TEST_MAIN(TestRecording)
#include "tst_recording.moc"
