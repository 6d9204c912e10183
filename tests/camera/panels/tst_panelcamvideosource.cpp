#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcamvideosource.h>
#include <widgets/linklabel.h>

#include <tesk/camerafactory.h>

#include <QSignalSpy>
#include <QToolButton>

#include <atomic>
#include <memory>

namespace {

struct Panel
{
    Panel() { widget.show(); }
    void attach(tesk::Camera* camera)
    {
        widget.setCamera(camera);
        widget.updateControls();
    }
    bool buttonsShown() const { return !pause->isHidden() && !close->isHidden(); }

    PanelCamVideoSource widget;
    LinkLabel* name = widget.findChild<LinkLabel*>("labelVideoSourceName");
    QToolButton* pause = widget.findChild<QToolButton*>("toolButtonPause");
    QToolButton* close = widget.findChild<QToolButton*>("toolButtonClose");
};

} // namespace

class TestPanelCamVideoSource : public QObject
{
    Q_OBJECT

private slots:
    void showsTheOpenCameraWithItsButtonsAndForgetsItAgain()
    {
        Panel p;
        QSignalSpy nameClicked(&p.widget, &PanelCamVideoSource::nameClicked);
        QCOMPARE(p.name->text(), QStringLiteral("Open Video Source..."));
        QVERIFY(p.pause->isHidden() && p.close->isHidden());
        QTest::mouseClick(p.name, Qt::LeftButton); // the way to the device dialog
        QCOMPARE(nameClicked.count(), 1);

        RecordingCamera camera("USB Microscope 2.0");
        p.attach(&camera);
        QCOMPARE(p.name->text(), QStringLiteral("USB Microscope 2.0"));
        QCOMPARE(p.name->toolTip(), QStringLiteral("USB Microscope 2.0"));
        QVERIFY(p.buttonsShown());

        // Close only asks (closing is the main window's job); pause stops and starts by itself.
        QSignalSpy closeCamera(&p.widget, &PanelCamVideoSource::closeCamera);
        QSignalSpy pauseCamera(&p.widget, &PanelCamVideoSource::pauseCamera);
        QTest::mouseClick(p.close, Qt::LeftButton);
        QCOMPARE(closeCamera.count(), 1);
        QVERIFY(camera.writes.isEmpty());
        QTest::mouseClick(p.pause, Qt::LeftButton);
        QTest::mouseClick(p.pause, Qt::LeftButton);
        QTest::mouseClick(p.pause, Qt::LeftButton);
        QCOMPARE(camera.writes, (QStringList{"stop", "start", "stop"}));
        QCOMPARE(pauseCamera.count(), 0);
        p.widget.updateControls(); // as after opening another camera
        QVERIFY(!p.pause->isChecked());
        camera.clearWrites();

        p.attach(nullptr);
        QCOMPARE(p.name->text(), QStringLiteral("Open Video Source..."));
        QVERIFY(p.name->toolTip().isEmpty());
        QVERIFY(p.pause->isHidden() && p.close->isHidden());
        QVERIFY(camera.writes.isEmpty());
    }

    void pausesTheEmulatedCamera()
    {
        qputenv("TESK_CAMEMU", "1");
        const auto devices = tesk::CameraFactory::deviceList();
        QVERIFY(!devices.empty());
        std::unique_ptr<tesk::Camera> camera(tesk::CameraFactory::getCamera(devices.back()));
        QVERIFY(camera);
        QCOMPARE(camera->open(640, 480), 0);
        std::atomic<int> frames{0};
        camera->setFrameCallBack([&frames](const tesk::Frame*, const tesk::Frame*, long long, void*) { ++frames; },
                                 nullptr);
        QCOMPARE(camera->start(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(frames > 0, 3000);

        Panel p;
        p.attach(camera.get());
        QCOMPARE(p.name->text(), QString::fromStdString(devices.back().name));
        QTest::mouseClick(p.pause, Qt::LeftButton);
        const int whenPaused = frames; // stop() has returned, so no callback runs any more
        QTest::qWait(300);
        QCOMPARE(frames.load(), whenPaused);
        QVERIFY(camera->isOpened());

        QTest::mouseClick(p.pause, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(frames > whenPaused, 3000);
        camera->close();
    }
};

QUARNEL_TEST_MAIN(TestPanelCamVideoSource)
#include "tst_panelcamvideosource.moc"
