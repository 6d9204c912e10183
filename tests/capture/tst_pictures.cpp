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
#include <capture/picturewriter.h>

#include <tesk/camerainfo.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSettings>
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

/// The fake camera's grabs give a 64 x 48 RGB picture (the camera keeps its own copy).
void grabGivesSmallPicture()
{
    const std::vector<uint8_t> pixels(64 * 48 * 4, 0x40);
    g_fake->setGrab(0, tesk::Frame(pixels.data(), pixels.size(), tesk::Frame::RGB32, 64, 48));
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestPictures final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void snapInEveryFormat();
    void snapWithoutCamera();
    void maximumResolutionFromEmulatedCamera();
    void motionJpegWrittenByteForByte();
    void grabFailuresAreReported();
    void stillCaptureOnlyWhenSupported();
    void cancelledOrUnwritableSavesNothing();
};

void TestPictures::initTestCase()
{
    qputenv("TESK_CAMEMU", "1");
}

void TestPictures::init()
{
    QSettings().clear();
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
    QDir(captureFolder()).removeRecursively();
}

void TestPictures::cleanup()
{
    CameraSource::setMakers(nullptr, nullptr);
    Clock::setFixedTime(std::nullopt);
    g_fake = nullptr;
}

void TestPictures::snapInEveryFormat()
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
    for (const QString& format : formats) {
        QSettings().setValue(SettingsKeys::CaptureFileFormat, format);
        window.findChild<QAction*>("actionSnap")->trigger();
        const QString path = QDir(captureFolder()).filePath("20260304-050607-089." + format);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QCOMPARE(identify(path).section(' ', 0, 0), QString("1920x1080"));
        QCOMPARE(window.statusBar()->currentMessage(), QString("The file has been saved to %1").arg(path));
    }
    QCOMPARE(identify(QDir(captureFolder()).filePath("20260304-050607-089.tif")).section(' ', 1), QString("TIFF"));

    // With the pop-up setting, the dialog names the file; its suffix picks the encoder.
    AppSettings::instance()->setCapturePopup(true);
    QTemporaryDir dir;
    prompt.answerSaveFile(dir.filePath("chosen.png"));
    window.grabScreenshot();
    QCOMPARE(prompt.saveRequests().size(), 1);
    QCOMPARE(identify(dir.filePath("chosen.png")), QString("1920x1080 PNG"));
}

void TestPictures::snapWithoutCamera()
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

void TestPictures::maximumResolutionFromEmulatedCamera()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.show();
    window.openUsbDevice(0);
    QVERIFY(window.hasCamera());
    QCOMPARE(window.camera()->setFrameFormat(tesk::Frame::YUY2), 0);
    QSettings().setValue(SettingsKeys::CaptureFileFormat, "png");
    const QString path = window.snap_internal(false);
    QVERIFY(!path.isEmpty());
    QCOMPARE(identify(path), QString("3840x2160 PNG"));
    QVERIFY(prompt.messages().isEmpty());
    QVERIFY(!QApplication::overrideCursor());

    // An MJPEG camera hands over a JPEG, which is kept as it is.
    QCOMPARE(window.camera()->setFrameFormat(tesk::Frame::MJPEG), 0);
    QSettings().setValue(SettingsKeys::CaptureFileFormat, "jpg");
    Clock::setFixedTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 8)));
    window.grabMaxFrame();
    const QString jpeg = QDir(captureFolder()).filePath("20260304-050608-000.jpg");
    QCOMPARE(identify(jpeg), QString("3840x2160 JPEG"));
}

void TestPictures::motionJpegWrittenByteForByte()
{
    useFakeCamera();
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(0);
    QVERIFY(g_fake);
    const QByteArray bytes = jpegBytes(QSize(320, 200));
    g_fake->setGrab(0, tesk::Frame(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                                   tesk::Frame::MJPEG, 320, 200));

    // Whatever suffix the user picks, the camera's JPEG is the file.
    QTemporaryDir dir;
    prompt.answerSaveFile(dir.filePath("picture.png"));
    const QString path = window.snap_internal(true);
    QCOMPARE(path, dir.filePath("picture.png"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(window.statusBar()->currentMessage(), QString("The file has been saved to %1").arg(path));
}

void TestPictures::grabFailuresAreReported()
{
    useFakeCamera();
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(0);
    QVERIFY(g_fake);

    g_fake->setGrab(5);
    QVERIFY(window.snap_internal(false).isEmpty());
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.messages().last().icon, QMessageBox::Critical);
    QCOMPARE(prompt.messages().last().title, QString());
    QCOMPARE(prompt.messages().last().text, QString("Failed to take picture, Error 5"));
    QVERIFY(!QApplication::overrideCursor());

    std::vector<uint8_t> yuyv(64 * 48 * 2, 0x80);
    g_fake->setGrab(0, tesk::Frame(yuyv.data(), yuyv.size(), tesk::Frame::Format(3), 64, 48));
    QVERIFY(window.snap_internal(false).isEmpty());
    QCOMPARE(prompt.messages().last().text, QString("Unsupport image format 3"));
    QCOMPARE(prompt.messages().last().title, QString());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(filesIn(captureFolder()).isEmpty());
}

void TestPictures::stillCaptureOnlyWhenSupported()
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
}

void TestPictures::cancelledOrUnwritableSavesNothing()
{
    useFakeCamera();
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(0);
    grabGivesSmallPicture();

    prompt.answerSaveFile(QString()); // cancelled
    QVERIFY(window.snap_internal(true).isEmpty());
    prompt.answerSaveFile("/proc/no-such-folder/picture.png");
    QVERIFY(window.snap_internal(true).isEmpty());
    QTemporaryDir dir;
    prompt.answerSaveFile(dir.filePath("picture.unknownsuffix"));
    QVERIFY(window.snap_internal(true).isEmpty());
    QVERIFY(filesIn(dir.path()).isEmpty());
    QVERIFY(prompt.messages().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
}

QUARNEL_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
