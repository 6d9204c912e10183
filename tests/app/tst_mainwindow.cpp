#include "fakecamera.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/camerakey.h>
#include <app/camerasource.h>
#include <app/mainwindow.h>
#include <app/settingskeys.h>
#include <app/statusbar.h>
#include <measure/formoutputbar.h>
#include <preferences/configdialog.h>
#include <roi/roiimagedialog.h>

#include <tesk/camera.h>
#include <tesk/camerafactory.h>
#include <tesk/camerainfo.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace {

QAction* action(const MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QLatin1String(name));
}

/// Whether the view shows the "No Image" placeholder (light grey at the corner).
bool showsPlaceholder(const MainWindow& window)
{
    const QImage& picture = window.graphicsView()->scene()->backgroundImage();
    return picture.size() == QSize(1920, 1080) && picture.pixel(5, 5) == QColor(Qt::lightGray).rgb() &&
           picture.pixel(1900, 1070) == QColor(Qt::lightGray).rgb();
}

FakeCamera* g_fakeCamera = nullptr;

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void firstStartGeometry();
    void exitQuestion();
    void zoomPresets();
    void livePictureAndStatus();
    void failedOpenClearsLastDevice();
    void reopensLastDeviceByName();
    void frameSizeSavedAndRestored();
    void streamLostReturnsToNoCamera();
    void cameraKeyAndParameterFile();
    void preferencesReachTheCanvas();
    void dialogsReachedFromTheWindow();
};

void TestMainWindow::initTestCase()
{
    qputenv("TESK_CAMEMU", "1");
}

void TestMainWindow::init()
{
    QSettings().clear();
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
}

void TestMainWindow::cleanup()
{
    CameraSource::setMakers(nullptr, nullptr);
    qputenv("TESK_CAMEMU", "1");
}

void TestMainWindow::firstStartGeometry()
{
    QCOMPARE(MainWindow::firstStartGeometry(QRect(0, 0, 1920, 1040)), QRect(192, 104, 1536, 832));
    QCOMPARE(MainWindow::firstStartGeometry(QRect(100, 50, 1001, 703)), QRect(200, 121, 800, 560));

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(40, 30);
    window.resize(900, 600);
    window.close();
    MainWindow again;
    QCOMPARE(again.size(), QSize(900, 600));
}

void TestMainWindow::exitQuestion()
{
    testsupport::ScriptedPrompt prompt;
    AppSettings::instance()->setConfirmExit(true);
    MainWindow window;
    window.show();
    window.openUsbDevice(0);
    QVERIFY(window.hasCamera());

    prompt.answerMessage(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QVERIFY(window.hasCamera());
    QCOMPARE(prompt.messages().last().text, QString("Do you want to exit Quarnel Link ?"));
    QVERIFY(AppSettings::instance()->confirmExit());

    prompt.answerCheckBox(true);
    prompt.answerMessage(QMessageBox::Ok);
    QVERIFY(window.close());
    QVERIFY(!window.hasCamera());
    QVERIFY(!AppSettings::instance()->confirmExit());
    const int asked = prompt.messages().size();
    MainWindow next;
    next.show();
    QVERIFY(next.close());
    QCOMPARE(prompt.messages().size(), asked);
}

void TestMainWindow::zoomPresets()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.matrixIndicationClicked();
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = window.findChild<QMenu*>()) != nullptr && menu->isVisible());
    menu->actions().at(1)->trigger();
    QCOMPARE(window.graphicsView()->zoomScale(), 1.0);
    menu->actions().at(0)->trigger();
    QCOMPARE(window.graphicsView()->zoomScale(), 2.0);
    menu->close();

    // The status bar follows the view, and its slider drives it.
    window.zoomCanvas(50);
    QCOMPARE(window.graphicsView()->zoomScale(), 0.5);
    QVERIFY(window.statusBar()->findChildren<QToolButton*>().size() >= 4);

    // Ctrl+= / Ctrl+- with the default shortcuts.
    window.preferencesApplied();
    QCOMPARE(action(window, "actionZoomIn")->shortcut(), AppSettings::instance()->zoomInShortcut());
    action(window, "actionZoomIn")->trigger();
    QVERIFY(qFuzzyCompare(window.graphicsView()->zoomScale(), 0.55));
    action(window, "actionZoomOut")->trigger();
    QVERIFY(qFuzzyCompare(window.graphicsView()->zoomScale(), 0.5));
}

void TestMainWindow::livePictureAndStatus()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.show();
    QVERIFY(showsPlaceholder(window));
    QVERIFY(!action(window, "actionSnap")->isEnabled());
    window.openUsbDevice(0);
    QVERIFY(prompt.messages().isEmpty());
    QVERIFY(window.hasCamera());
    QVERIFY(action(window, "actionSnap")->isEnabled());
    QVERIFY(action(window, "actionRecord")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!showsPlaceholder(window), 5000);
    const QImage first = window.graphicsView()->scene()->backgroundImage();
    QTRY_VERIFY_WITH_TIMEOUT(window.graphicsView()->scene()->backgroundImage() != first, 5000); // it moves
    QTRY_VERIFY_WITH_TIMEOUT(!window.statusBar()->findChildren<QLabel*>().isEmpty(), 1000);
    auto labelShows = [&](const QString& text) {
        for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) {
            if (label->text().contains(text)) {
                return true;
            }
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(labelShows("1920x1080"), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(labelShows(" fps"), 3000);

    // Paused: no new pictures; resumed: they come again.
    window.pausePreview(true);
    QVERIFY(window.hasCamera());
    window.pausePreview(false);
    const QImage before = window.graphicsView()->scene()->backgroundImage();
    QTRY_VERIFY_WITH_TIMEOUT(window.graphicsView()->scene()->backgroundImage() != before, 3000);

    window.closeCamera();
    QVERIFY(!window.hasCamera());
    QVERIFY(!action(window, "actionSnap")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(showsPlaceholder(window), 2000);
}

void TestMainWindow::failedOpenClearsLastDevice()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(99);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.messages().first().title, QString("Error"));
    QCOMPARE(prompt.messages().first().text, QString("Failed to open camera, index= 99"));
    QVERIFY(!window.hasCamera());

    // A camera that refuses to open: closed, forgotten, reported with its number.
    AppSettings::instance()->setLastDevice({0, 0, "emulated:1", "Emulated Camera 1"});
    CameraSource::setMakers(
        [](const tesk::CameraInfo& info) {
            tesk::CameraInfo broken = info;
            broken.address = "/dev/video99"; // no such device
            return tesk::CameraFactory::getCamera(broken);
        },
        nullptr);
    window.openUsbDevice(0);
    QVERIFY(!window.hasCamera());
    QCOMPARE(AppSettings::instance()->lastDevice().type, -1);
    QVERIFY(prompt.messages().last().text.startsWith("Failed to open camera: "));

    // A network camera the factory cannot make: nothing, silently.
    const int messages = prompt.messages().size();
    CameraSource::setMakers(nullptr, [](int, const std::string&) { return static_cast<tesk::Camera*>(nullptr); });
    window.openNetworkDevice(2, "rtsp://127.0.0.1:1/none");
    QVERIFY(!window.hasCamera());
    QCOMPARE(prompt.messages().size(), messages);
}

void TestMainWindow::reopensLastDeviceByName()
{
    testsupport::ScriptedPrompt prompt;
    qputenv("TESK_CAMEMU", "2");
    AppSettings::instance()->setOpenLastDevice(true);
    AppSettings::instance()->setLastDevice({0, 1, "emulated:2", "Emulated Camera 2"});
    {
        MainWindow window;
        QTRY_VERIFY_WITH_TIMEOUT(window.hasCamera(), 3000);
        QCOMPARE(window.camera()->info().name, std::string("Emulated Camera 2"));
    }
    // The name must match exactly, letter case included; a mismatch opens nothing, silently.
    AppSettings::instance()->setLastDevice({0, 1, "emulated:2", "emulated camera 2"});
    {
        MainWindow window;
        QTest::qWait(800);
        QVERIFY(!window.hasCamera());
    }
    // Streams are never reopened by themselves.
    AppSettings::instance()->setLastDevice({2, 0, "rtsp://127.0.0.1:8554/x", ""});
    {
        MainWindow window;
        QTest::qWait(800);
        QVERIFY(!window.hasCamera());
    }
    QVERIFY(prompt.messages().isEmpty());
}

void TestMainWindow::frameSizeSavedAndRestored()
{
    testsupport::ScriptedPrompt prompt;
    const QString key = QStringLiteral("Emulated Camera 1_7e57_0001");
    MainWindow window;
    // Restoring on, nothing stored: the camera is asked for 0 x 0 and keeps its size.
    AppSettings::instance()->setRestoreParameters(true);
    window.openUsbDevice(0);
    QVERIFY(window.hasCamera());
    const tesk::Size opened = window.camera()->frameSize();
    QCOMPARE(opened.width(), 1920);
    QVERIFY(window.camera()->setFrameSize(640, 480) == 0);
    // Closing stores the size even with restoring off.
    AppSettings::instance()->setRestoreParameters(false);
    window.closeCamera();
    QCOMPARE(AppSettings::instance()->savedFrameSize(key), QSize(640, 480));
    window.openUsbDevice(0);
    QCOMPARE(window.camera()->frameSize().width(), 1920);
    window.closeCamera();
    AppSettings::instance()->setSavedFrameSize(key, QSize(640, 480));
    AppSettings::instance()->setRestoreParameters(true);
    window.openUsbDevice(0);
    QCOMPARE(window.camera()->frameSize().width(), 640);
    QCOMPARE(window.camera()->frameSize().height(), 480);
}

void TestMainWindow::streamLostReturnsToNoCamera()
{
    testsupport::ScriptedPrompt prompt;
    CameraSource::setMakers(
        [](const tesk::CameraInfo& info) {
            g_fakeCamera = new FakeCamera(info);
            return g_fakeCamera;
        },
        nullptr);
    MainWindow window;
    window.show();
    window.openUsbDevice(0);
    QVERIFY(window.hasCamera());
    QTRY_VERIFY_WITH_TIMEOUT(!showsPlaceholder(window), 5000);
    g_fakeCamera->loseStream(); // unplugged
    QTRY_VERIFY_WITH_TIMEOUT(!window.hasCamera(), 2000);
    QVERIFY(!action(window, "actionSnap")->isEnabled());
    QCOMPARE(prompt.messages().size(), 1);
    QVERIFY(prompt.messages().first().text.contains("stopped sending pictures"));
    QCOMPARE(AppSettings::instance()->lastDevice().deviceName, QString("Emulated Camera 1")); // reopened next time
    QTRY_VERIFY_WITH_TIMEOUT(showsPlaceholder(window), 2000);
}

void TestMainWindow::cameraKeyAndParameterFile()
{
    tesk::CameraInfo info;
    info.name = "Cam\xe9ra";
    info.vendorId = 0xA;
    info.productId = 0xFFFF;
    QCOMPARE(cameraKey(info), QString::fromLatin1("Cam\xe9ra_000a_ffff"));

    const QString previous = QDir::currentPath();
    QDir::setCurrent(QDir::homePath());
    QCOMPARE(requestParameterFile("USB Camera_0c45_6366"), QString("cameras/default.ini"));
    QDir().mkpath("cameras");
    QFile own("cameras/USB Camera_0c45_6366.ini");
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.close();
    QCOMPARE(requestParameterFile("USB Camera_0c45_6366"), QString("cameras/USB Camera_0c45_6366.ini"));
    QDir::setCurrent(previous);
}

void TestMainWindow::preferencesReachTheCanvas()
{
    QSettings settings;
    settings.setValue(SettingsKeys::OverlayType, 3);
    settings.setValue(SettingsKeys::OverlayColor, QColor("not a colour"));
    settings.setValue(SettingsKeys::OverlayGridScale, 20);
    AppSettings::instance()->setDecimalPlaces(4);
    MainWindow window;
    vrx::GraphicsScene* scene = window.graphicsView()->scene();
    QCOMPARE(scene->overlayType(), 3);
    QCOMPARE(scene->overlayColor(), QColor(Qt::red));
    QCOMPARE(scene->overlayGridScale(), 20);
    QCOMPARE(window.graphicsView()->primitiveManager()->decimalPlaces(), 4);
}

namespace {

/// Once a modal dialog of type `Dialog` is up, hands it to `inspect` and closes it; `seen`
/// says whether one came up at all.
template <typename Dialog, typename Inspect> void whenModalShows(bool& seen, Inspect inspect)
{
    seen = false;
    QTimer::singleShot(50, qApp, [&seen, inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (!dialog) {
            if (modal) {
                modal->close();
            }
            return;
        }
        seen = true;
        inspect(dialog);
        if (dialog->isVisible()) {
            dialog->close();
        }
    });
}

} // namespace

void TestMainWindow::dialogsReachedFromTheWindow()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    bool seen = false;
    int page = -1;
    whenModalShows<ConfigDialog>(seen, [&page](ConfigDialog* dialog) { page = dialog->currentIndex(); });
    action(window, "actionSettings")->trigger();
    QVERIFY(seen);
    QCOMPARE(page, 0);

    whenModalShows<ConfigDialog>(seen, [&page](ConfigDialog* dialog) { page = dialog->currentIndex(); });
    emit window.findChild<FormOutputbar*>()->openMeasurementPreference();
    QVERIFY(seen);
    QCOMPARE(page, 2);

    // A grabbed region comes up in the region window; "Re-Drag" brings region grab back.
    QImage region(120, 80, QImage::Format_RGB32);
    region.fill(Qt::darkGreen);
    whenModalShows<RoiImageDialog>(seen, [](RoiImageDialog* dialog) {
        dialog->findChild<QToolButton*>(QStringLiteral("toolButtonRedrag"))->click();
    });
    emit window.graphicsView()->rubberBandGrab(region);
    QVERIFY(seen);
    QTRY_VERIFY_WITH_TIMEOUT(window.graphicsView()->isRegionGrab(), 2000);
}

QUARNEL_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
