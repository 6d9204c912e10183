#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcamdevices.h>

#include <tesk/camerafactory.h>

#include <QComboBox>

#include <memory>

namespace {

struct Panel
{
    explicit Panel(tesk::Camera* camera)
    {
        widget.show();
        widget.setCamera(camera);
        widget.updateControls();
    }
    static QStringList items(const QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) {
            texts << box->itemText(i);
        }
        return texts;
    }

    PanelCamDevices widget;
    QComboBox* sizes = widget.findChild<QComboBox*>("comboBoxPreviewSize");
    QComboBox* formats = widget.findChild<QComboBox*>("comboBoxPreviewFormat");
};

} // namespace

class TestPanelCamDevices : public QObject
{
    Q_OBJECT

private slots:
    void refreshListsSizesAndFormatsWithoutWriting()
    {
        RecordingCamera camera;
        camera.formatList = {tesk::Frame::YUY2, tesk::Frame::RGB32, tesk::Frame::MJPEG, tesk::Frame::Mono8,
                             tesk::Frame::H265};
        camera.currentFormat = tesk::Frame::MJPEG;
        Panel p(&camera);
        QCOMPARE(Panel::items(p.sizes), (QStringList{"1920 x 1080", "1280 x 720"}));
        QCOMPARE(p.sizes->currentIndex(), 1);
        QCOMPARE(Panel::items(p.formats), (QStringList{"YUY2", "Unknown", "Motion JPEG", "Mono 8", "H.265"}));
        QCOMPARE(p.formats->currentIndex(), 2);
        QVERIFY(camera.writes.isEmpty());

        // A size or format the lists lack selects nothing.
        camera.currentSize = tesk::Size(800, 600);
        camera.currentFormat = tesk::Frame::NV12;
        p.widget.updateControls();
        QCOMPARE(p.sizes->currentIndex(), -1);
        QCOMPARE(p.formats->currentIndex(), -1);
        QCOMPARE(p.sizes->count(), 2);
        QVERIFY(camera.writes.isEmpty());
    }

    void aSizeIsLookedUpInTheCamerasListAsItIsNow()
    {
        RecordingCamera camera;
        Panel p(&camera);
        p.sizes->setCurrentIndex(0);
        camera.sizeList = {tesk::Size(640, 480)};
        p.sizes->setCurrentIndex(1); // no longer in the camera's list
        p.sizes->setCurrentIndex(0);
        QCOMPARE(camera.writes, (QStringList{"setFrameSize(1920,1080)", "setFrameSize(640,480)"}));

        PanelCamDevices::setCameraFrameSize(nullptr, 0);
        PanelCamDevices::setCameraFrameFormat(&camera, 2);
        PanelCamDevices::setCameraFrameFormat(&camera, 1);
        QCOMPARE(camera.writes.last(), QStringLiteral("setFrameFormat(37)"));
        QCOMPARE(camera.writes.size(), 3);

        // Choosing a format reloads the sizes the camera reports once it runs it.
        camera.clearWrites();
        camera.sizeList = {tesk::Size(640, 480), tesk::Size(2592, 1944)};
        camera.currentSize = tesk::Size(2592, 1944);
        p.formats->setCurrentIndex(1);
        QCOMPARE(camera.writes, QStringList{"setFrameFormat(37)"});
        QCOMPARE(Panel::items(p.sizes), (QStringList{"640 x 480", "2592 x 1944"}));
        QCOMPARE(p.sizes->currentIndex(), 1);
    }

    void switchesTheEmulatedCamera()
    {
        qputenv("TESK_CAMEMU", "1");
        const auto devices = tesk::CameraFactory::deviceList();
        QVERIFY(!devices.empty());
        std::unique_ptr<tesk::Camera> camera(tesk::CameraFactory::getCamera(devices.back()));
        QVERIFY(camera);
        QCOMPARE(camera->open(1920, 1080), 0);

        Panel p(camera.get());
        QCOMPARE(p.formats->currentText(), QStringLiteral("Motion JPEG"));
        QCOMPARE(p.sizes->currentText(), QStringLiteral("1920 x 1080"));

        p.formats->setCurrentIndex(p.formats->findText("YUY2"));
        QCOMPARE(camera->frameFormat(), tesk::Frame::YUY2);
        const tesk::Size now = camera->frameSize();
        QCOMPARE(p.sizes->currentText(), QStringLiteral("%1 x %2").arg(now.width()).arg(now.height()));

        p.sizes->setCurrentIndex(p.sizes->findText("640 x 480"));
        QVERIFY(camera->frameSize() == tesk::Size(640, 480));
        camera->close();
    }
};

QUARNEL_TEST_MAIN(TestPanelCamDevices)
#include "tst_panelcamdevices.moc"
