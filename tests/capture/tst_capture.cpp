#include "../app/fakecamera.h"
#include "imagefile.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/camerasource.h>
#include <app/clock.h>
#include <app/mainwindow.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>
#include <app/statusbar.h>
#include <capture/picturewriter.h>
#include <capture/timelapsedialog.h>
#include <capture/videorecording.h>

#include <tesk/camerainfo.h>
#include <tesk/videorecorder.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

using testsupport::identify;

QByteArray jpegBytes(const QSize& size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", 80);
    return bytes;
}

FakeCamera* g_fake = nullptr;

void useFakeCamera()
{
    CameraSource::setMakers(
        [](const tesk::CameraInfo& info) {
            g_fake = new FakeCamera(info);
            return static_cast<tesk::Camera*>(g_fake);
        },
        nullptr);
}

/// The fake camera's grabs give a 64 x 48 picture (the camera keeps its own copy).
void grabGivesSmallPicture(int result = 0, tesk::Frame::Format format = tesk::Frame::RGB32)
{
    const std::vector<uint8_t> pixels(64 * 48 * 4, 0x40);
    g_fake->setGrab(result, tesk::Frame(pixels.data(), pixels.size(), format, 64, 48));
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

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

template <typename T> T* part(const QWidget& dialog, const char* name)
{
    T* child = dialog.findChild<T*>(QLatin1String(name));
    Q_ASSERT(child);
    return child;
}

void setInterval(const QWidget& dialog, int hours, int minutes, int seconds)
{
    part<QSpinBox>(dialog, "spinBoxHour")->setValue(hours);
    part<QSpinBox>(dialog, "spinBoxMinute")->setValue(minutes);
    part<QSpinBox>(dialog, "spinBoxSecond")->setValue(seconds);
}

QString text(const QWidget& dialog, const char* label)
{
    return part<QLabel>(dialog, label)->text();
}

int page(const QWidget& dialog)
{
    return part<QStackedWidget>(dialog, "stackedWidget")->currentIndex();
}

} // namespace

class TestCapture final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void snapInEveryFormatAndFullSize();
    void snapWithoutCamera();
    void stillCaptureAndMotionJpeg();
    void failedSnapSavesNothing_data();
    void failedSnapSavesNothing();
    void recordsWithPauseAndResume();
    void failuresShowTheirMessage();
    void recorderThatStopsByItselfIsNoticed();
    void closingTheCameraEndsTheRecording();
    void initialFormAndStartRules();
    void quantitySeries();
    void durationSeriesAndRemainingTime();
    void mainWindowKeepsOneDialog();
};

void TestCapture::initTestCase()
{
    qputenv("TESK_CAMEMU", "1");
}

void TestCapture::init()
{
    QSettings().clear();
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
    QDir(captureFolder()).removeRecursively();
}

void TestCapture::cleanup()
{
    VideoRecording::setRecorderFactory(nullptr);
    CameraSource::setMakers(nullptr, nullptr);
    Clock::setFixedTime(std::nullopt);
    g_fake = nullptr;
    g_recorder = nullptr;
}

void TestCapture::snapInEveryFormatAndFullSize()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.show();
    window.openUsbDevice(0);
    QVERIFY(window.hasCamera());
    QTRY_VERIFY_WITH_TIMEOUT(window.graphicsView()->scene()->backgroundImage().size() == QSize(1920, 1080), 5000);

    // Written at once, under the stamp name, in the stored format.
    Clock::setFixedTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7, 89)));
    const QStringList formats = {"jpg", "png", "tif", "bmp"};
    const QStringList kinds = {"JPEG", "PNG", "TIFF", "BMP3"};
    for (int i = 0; i < formats.size(); ++i) {
        QSettings().setValue(SettingsKeys::CaptureFileFormat, formats[i]);
        window.findChild<QAction*>("actionSnap")->trigger();
        const QString path = QDir(captureFolder()).filePath("20260304-050607-089." + formats[i]);
        QCOMPARE(identify(path), "1920x1080 " + kinds[i]);
        QCOMPARE(window.statusBar()->currentMessage(), QString("The file has been saved to %1").arg(path));
    }

    // The full-size grab: a raw frame is encoded, an MJPEG one is kept as it is.
    QCOMPARE(window.camera()->setFrameFormat(tesk::Frame::YUY2), 0);
    QSettings().setValue(SettingsKeys::CaptureFileFormat, "png");
    QCOMPARE(identify(window.snap_internal(false)), QString("3840x2160 PNG"));
    QVERIFY(prompt.messages().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(window.camera()->setFrameFormat(tesk::Frame::MJPEG), 0);
    QSettings().setValue(SettingsKeys::CaptureFileFormat, "jpg");
    Clock::setFixedTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 8)));
    window.grabMaxFrame();
    QCOMPARE(identify(QDir(captureFolder()).filePath("20260304-050608-000.jpg")), QString("3840x2160 JPEG"));

    // With the pop-up setting, the dialog names the file; its suffix picks the encoder.
    AppSettings::instance()->setCapturePopup(true);
    QTemporaryDir dir;
    prompt.answerSaveFile(dir.filePath("chosen.png"));
    window.grabScreenshot();
    QCOMPARE(prompt.saveRequests().size(), 1);
    QCOMPARE(identify(dir.filePath("chosen.png")), QString("1920x1080 PNG"));
}

void TestCapture::snapWithoutCamera()
{
    MainWindow window;
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(!window.graphicsView()->scene()->backgroundImage().isNull(), 2000);
    window.grabScreenshot();
    const QStringList files = filesIn(captureFolder());
    QCOMPARE(files.size(), 1);
    QVERIFY(files.first().endsWith(".jpg"));
    QCOMPARE(identify(QDir(captureFolder()).filePath(files.first())).section(' ', 0, 0), QString("1920x1080"));
    // Without a camera there is nothing to grab at full size.
    window.grabMaxFrame();
    QCOMPARE(filesIn(captureFolder()).size(), 1);
}

void TestCapture::stillCaptureAndMotionJpeg()
{
    useFakeCamera();
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(0);
    grabGivesSmallPicture();

    AppSettings::instance()->setTryStillCapture(true);
    QVERIFY(!window.snap_internal(false).isEmpty());
    QCOMPARE(g_fake->liveGrabs(), 1);
    QCOMPARE(g_fake->stillGrabs(), 0);
    QVERIFY(prompt.messages().isEmpty());

    g_fake->setStillCapture(true);
    const QString path = window.snap_internal(false);
    QCOMPARE(g_fake->stillGrabs(), 1);
    QCOMPARE(identify(path).section(' ', 0, 0), QString("64x48"));

    AppSettings::instance()->setTryStillCapture(false);
    window.snap_internal(false);
    QCOMPARE(g_fake->liveGrabs(), 2);

    // An MJPEG frame is written as it came.
    const QByteArray bytes = jpegBytes(QSize(320, 200));
    g_fake->setGrab(0, tesk::Frame(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                                   tesk::Frame::MJPEG, 320, 200));

    // Whatever suffix the user picks, the camera's JPEG is the file.
    QTemporaryDir dir;
    prompt.answerSaveFile(dir.filePath("picture.png"));
    const QString chosen = window.snap_internal(true);
    QCOMPARE(chosen, dir.filePath("picture.png"));
    QFile file(chosen);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(window.statusBar()->currentMessage(), QString("The file has been saved to %1").arg(chosen));
}

void TestCapture::failedSnapSavesNothing_data()
{
    QTest::addColumn<int>("grabResult");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    const int rgb = tesk::Frame::RGB32;
    QTest::newRow("grab error") << 5 << rgb << QString("picture.png") << QString("Failed to take picture, Error 5");
    QTest::newRow("unknown frame format") << 0 << 3 << QString("picture.png") << QString("Unsupport image format 3");
    QTest::newRow("cancelled") << 0 << rgb << QString() << QString();
    QTest::newRow("unwritable") << 0 << rgb << QString("/proc/no-such-folder/picture.png") << QString();
    QTest::newRow("unknown suffix") << 0 << rgb << QString("picture.unknownsuffix") << QString();
}

void TestCapture::failedSnapSavesNothing()
{
    QFETCH(int, grabResult);
    QFETCH(int, format);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    useFakeCamera();
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(0);
    QVERIFY(g_fake);
    grabGivesSmallPicture(grabResult, tesk::Frame::Format(format));
    QTemporaryDir dir;
    prompt.answerSaveFile(answer.isEmpty() || answer.startsWith('/') ? answer : dir.filePath(answer));
    QVERIFY(window.snap_internal(true).isEmpty());
    QVERIFY(filesIn(dir.path()).isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    if (message.isEmpty()) {
        QVERIFY(prompt.messages().isEmpty());
    } else {
        QCOMPARE(prompt.messages().size(), 1);
        QCOMPARE(prompt.messages().last().icon, QMessageBox::Critical);
        QCOMPARE(prompt.messages().last().title, QString());
        QCOMPARE(prompt.messages().last().text, message);
    }
}

void TestCapture::recordsWithPauseAndResume()
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

void TestCapture::failuresShowTheirMessage()
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

void TestCapture::recorderThatStopsByItselfIsNoticed()
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

void TestCapture::closingTheCameraEndsTheRecording()
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

void TestCapture::initialFormAndStartRules()
{
    TimelapseDialog dialog;
    QVERIFY(!dialog.isModal());
    QCOMPARE(page(dialog), 0);
    QCOMPARE(text(dialog, "labelInterval"), QString("00:00:05"));
    QVERIFY(part<QSpinBox>(dialog, "spinBoxPhotoCount")->isEnabled());
    QVERIFY(!part<QSpinBox>(dialog, "spinBoxDurationHours")->isEnabled());
    auto* start = part<QPushButton>(dialog, "pushButtonStart");
    QVERIFY(start->isEnabled());

    setInterval(dialog, 0, 0, 0);
    QVERIFY(!start->isEnabled());
    setInterval(dialog, 0, 59, 59);
    QCOMPARE(text(dialog, "labelInterval"), QString("00:59:59"));

    // Duration mode: at least two intervals must fit in the duration (1 h by default).
    part<QRadioButton>(dialog, "radioButtonDuration")->setChecked(true);
    QVERIFY(!part<QSpinBox>(dialog, "spinBoxPhotoCount")->isEnabled());
    setInterval(dialog, 0, 40, 0);
    QVERIFY(!start->isEnabled());
    setInterval(dialog, 0, 30, 0);
    QVERIFY(start->isEnabled());
    setInterval(dialog, 0, 0, 0);
    QVERIFY(!start->isEnabled());
}

void TestCapture::quantitySeries()
{
    TimelapseDialog dialog;
    QSignalSpy captures(&dialog, &TimelapseDialog::captureRequested);
    QSignalSpy started(&dialog, &TimelapseDialog::timelapseStarted);
    QSignalSpy stopped(&dialog, &TimelapseDialog::timelapseStopped);
    part<QSpinBox>(dialog, "spinBoxPhotoCount")->setValue(3);
    setInterval(dialog, 0, 0, 1);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    QCOMPARE(started.count(), 1);
    QCOMPARE(page(dialog), 1);
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 0 / 3"));
    QCOMPARE(text(dialog, "labelRemaining"), QString("Remaining: 3"));
    QCOMPARE(text(dialog, "labelNextCapture"), QString("Next photo taken: 1 seconds"));

    dialog.tick();
    QCOMPARE(captures.count(), 1);
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 1 / 3"));
    QCOMPARE(text(dialog, "labelRemaining"), QString("Remaining: 2"));
    dialog.tick();
    dialog.tick();
    QCOMPARE(captures.count(), 3);
    QCOMPARE(stopped.count(), 1);
    QVERIFY(!dialog.isRunning());
    dialog.tick();
    QCOMPARE(captures.count(), 3);

    // Five seconds between pictures: the first one comes a full interval after Start.
    part<QSpinBox>(dialog, "spinBoxPhotoCount")->setValue(1);
    setInterval(dialog, 0, 0, 5);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    for (int second = 1; second < 5; ++second) {
        dialog.tick();
    }
    QCOMPARE(captures.count(), 3);
    QCOMPARE(text(dialog, "labelNextCapture"), QString("Next photo taken: 1 seconds"));
    dialog.tick();
    QCOMPARE(captures.count(), 4);
    QCOMPARE(page(dialog), 0);

    // Stopped by hand: no further picture, and the progress keeps its values until the next Start.
    part<QSpinBox>(dialog, "spinBoxPhotoCount")->setValue(100);
    setInterval(dialog, 0, 0, 2);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    dialog.tick();
    dialog.tick();
    dialog.tick();
    QCOMPARE(captures.count(), 5);
    part<QPushButton>(dialog, "pushButtonStop")->click();
    QCOMPARE(stopped.count(), 3);
    QCOMPARE(page(dialog), 0);
    dialog.tick();
    dialog.tick();
    QCOMPARE(captures.count(), 5);
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 1 / 100"));
    part<QPushButton>(dialog, "pushButtonStart")->click();
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 0 / 100"));
}

void TestCapture::durationSeriesAndRemainingTime()
{
    const QDateTime start(QDate(2026, 5, 1), QTime(10, 0, 0));
    Clock::setFixedTime(start);
    TimelapseDialog dialog;
    QSignalSpy captures(&dialog, &TimelapseDialog::captureRequested);
    part<QRadioButton>(dialog, "radioButtonDuration")->setChecked(true);
    part<QSpinBox>(dialog, "spinBoxDurationHours")->setValue(1);
    part<QSpinBox>(dialog, "spinBoxDurationMins")->setValue(5);
    setInterval(dialog, 0, 0, 30);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 0"));
    QCOMPARE(text(dialog, "labelRemaining"), QString("Time remaining: 01:05:00"));

    Clock::setFixedTime(start.addSecs(10));
    dialog.tick();
    QCOMPARE(text(dialog, "labelRemaining"), QString("Time remaining: 01:04:50"));
    QCOMPARE(text(dialog, "labelNextCapture"), QString("Next photo taken: 29 seconds"));

    // The wall clock ends the series: the photo due at or after the end is the last one.
    Clock::setFixedTime(start.addSecs(3899));
    for (int second = 1; second < 30; ++second) {
        dialog.tick();
    }
    QCOMPARE(captures.count(), 1);
    QVERIFY(dialog.isRunning());
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 1"));
    Clock::setFixedTime(start.addSecs(3900));
    for (int second = 0; second < 30; ++second) {
        dialog.tick();
    }
    QCOMPARE(captures.count(), 2);
    QVERIFY(!dialog.isRunning());
    QCOMPARE(page(dialog), 0);
}

void TestCapture::mainWindowKeepsOneDialog()
{
    MainWindow window;
    window.show();
    window.grabTimelapse();
    auto* dialog = window.findChild<TimelapseDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    window.grabTimelapse();
    QCOMPARE(window.findChildren<TimelapseDialog*>().size(), 1);

    // Every picture of the series is a saved snap of the view.
    part<QSpinBox>(*dialog, "spinBoxPhotoCount")->setValue(2);
    setInterval(*dialog, 0, 0, 1);
    part<QPushButton>(*dialog, "pushButtonStart")->click();
    Clock::setFixedTime(QDateTime(QDate(2026, 5, 1), QTime(10, 0, 0)));
    dialog->tick();
    Clock::setFixedTime(QDateTime(QDate(2026, 5, 1), QTime(10, 0, 1)));
    dialog->tick();
    QCOMPARE(QDir(captureFolder()).entryList(QDir::Files).size(), 2);

    // Closed while running: deleted, without the stopped signal; the next use builds a new one.
    part<QPushButton>(*dialog, "pushButtonStart")->click();
    QSignalSpy stopped(dialog, &TimelapseDialog::timelapseStopped);
    QSignalSpy destroyed(dialog, &QObject::destroyed);
    dialog->close();
    QTRY_COMPARE(destroyed.count(), 1);
    QCOMPARE(stopped.count(), 0);
    window.grabTimelapse();
    auto* fresh = window.findChild<TimelapseDialog*>();
    QVERIFY(fresh);
    QCOMPARE(part<QSpinBox>(*fresh, "spinBoxPhotoCount")->value(), 100);
    QCOMPARE(page(*fresh), 0);
}

QUARNEL_TEST_MAIN(TestCapture)
#include "tst_capture.moc"
