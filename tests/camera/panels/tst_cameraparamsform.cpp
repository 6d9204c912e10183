#include "recordingcamera.h"
#include "testmain.h"

#include <camera/cameraparamsform.h>
#include <camera/panels/panelcamcoloradjustment.h>
#include <camera/panels/panelcamdevices.h>
#include <camera/panels/panelcamexposure.h>
#include <camera/panels/panelcamflip.h>
#include <camera/panels/panelcammiscellaneous.h>
#include <camera/panels/panelcamvideosource.h>
#include <camera/panels/panelcamwhitebalance.h>
#include <widgets/categorybutton.h>
#include <widgets/categorytoolbox.h>
#include <widgets/linklabel.h>

#include <tesk/camerafactory.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QSlider>
#include <QToolButton>

#include <memory>

namespace {

/// A camera offering every property the panels drive, in automatic exposure.
void giveEverything(RecordingCamera& camera)
{
    for (int id : {0, 1, 2, 3, 4, 5, 15}) {
        camera.addNumeric(id, 0, 100, 40 + id, 50);
    }
    camera.addNumeric(6, 0, 100, 10);
    camera.addNumeric(8, 16, 235, 120);
    camera.addNumeric(9, 100, 1000000, 20000);
    camera.addNumeric(10, 0, 400, 100);
    camera.addNumeric(11, 0, 400, 100);
    camera.addNumeric(12, 0, 400, 100);
    camera.addNumeric(13, 2000, 15000, 6500);
    camera.addNumeric(19, 1500, 9000, 1500);
    camera.addEnum(0, {0, 2}, 2);
    camera.addEnum(2, {0, 1, 2}, 0);
    camera.addEnum(3, {0, 1, 2}, 1);
    camera.addEnum(5, {0, 1, 2}, 0);
}

QStringList sectionTitles(CategoryToolBox* box)
{
    QStringList titles;
    for (int i = 0; i < box->topLevelItemCount(); ++i) {
        titles << qobject_cast<CategoryButton*>(box->itemWidget(box->topLevelItem(i), 0))->text();
    }
    return titles;
}

} // namespace

class TestCameraParamsForm : public QObject
{
    Q_OBJECT

private slots:
    void sectionsInDesignedOrder()
    {
        CameraParamsForm form(true);
        auto* box = form.findChild<CategoryToolBox*>();
        QVERIFY(box);
        QCOMPARE(sectionTitles(box), (QStringList{"Image Source", "Exposure && Gain", "White Balance",
                                                  "Color Adjustment", "Flip", "Miscellaneous"}));
        QVERIFY(box->topLevelItem(0)->isExpanded());
        QVERIFY(!box->topLevelItem(1)->isExpanded());
        QVERIFY(!box->isEnabled());
        QVERIFY(form.findChild<PanelCamVideoSource*>());
    }

    void cameraFillsEveryPanelAndNullKeepsWhatTheyShow()
    {
        RecordingCamera camera;
        giveEverything(camera);
        CameraParamsForm form(true);
        form.show();
        auto* box = form.findChild<CategoryToolBox*>();
        auto* sourceName = form.findChild<LinkLabel*>(QStringLiteral("labelVideoSourceName"));
        auto* timeSlider = form.findChild<QSlider*>(QStringLiteral("sliderTime"));

        form.setCamera(&camera);
        QVERIFY(box->isEnabled());
        QCOMPARE(sourceName->text(), QStringLiteral("Recording Camera"));
        QCOMPARE(timeSlider->value(), 20000);
        QCOMPARE(form.findChild<QSlider*>(QStringLiteral("sliderTemperature"))->value(), 6500);
        QCOMPARE(form.findChild<QComboBox*>(QStringLiteral("comboBoxPowerFrequency"))->currentText(),
                 QStringLiteral("50Hz"));
        QCOMPARE(form.findChild<QComboBox*>(QStringLiteral("comboBoxPreviewSize"))->currentText(),
                 QStringLiteral("1280 x 720"));
        // A refresh sends nothing but the automatic-exposure mode, which the check box writes back.
        QCOMPARE(camera.writes, QStringList{QStringLiteral("setEnumProperty(0,2)")});

        form.setCamera(nullptr);
        QVERIFY(!box->isEnabled());
        QCOMPARE(sourceName->text(), QStringLiteral("Open Video Source..."));
        QVERIFY(form.findChild<QToolButton*>(QStringLiteral("toolButtonClose"))->isHidden());
        QCOMPARE(timeSlider->value(), 20000);

        // Without the video source row, null only disables the sections.
        CameraParamsForm bare(false);
        QVERIFY(!bare.findChild<PanelCamVideoSource*>());
        bare.setCamera(&camera);
        camera.clearWrites();
        bare.setCamera(nullptr);
        QVERIFY(!bare.findChild<CategoryToolBox*>()->isEnabled());
        QVERIFY(camera.writes.isEmpty());
        QCOMPARE(bare.findChild<QSlider*>(QStringLiteral("sliderTime"))->value(), 20000);
    }

    void repeatsTheVideoSourceSignalsAndDisablesImageSource()
    {
        RecordingCamera camera;
        giveEverything(camera);
        CameraParamsForm form(true);
        form.show();
        QSignalSpy openDialog(&form, &CameraParamsForm::openSelectDeviceDialog);
        QSignalSpy close(&form, &CameraParamsForm::closeCamera);
        QSignalSpy pause(&form, &CameraParamsForm::pauseCamera);

        QTest::mouseClick(form.findChild<LinkLabel*>(QStringLiteral("labelVideoSourceName")), Qt::LeftButton);
        QCOMPARE(openDialog.count(), 1);

        form.setCamera(&camera);
        form.findChild<QToolButton*>(QStringLiteral("toolButtonClose"))->click();
        QCOMPARE(close.count(), 1);

        emit form.findChild<PanelCamVideoSource*>()->pauseCamera(true);
        QCOMPARE(pause.count(), 1);
        QCOMPARE(pause.at(0).at(0).toBool(), true);

        auto* devices = form.findChild<PanelCamDevices*>();
        auto* box = form.findChild<CategoryToolBox*>();
        form.setPanelDevicesDisabled(true);
        QVERIFY(!devices->isEnabledTo(box));
        form.setPanelDevicesDisabled(false);
        QVERIFY(devices->isEnabledTo(box));
    }

    void emulatedCameraEndToEnd()
    {
        qputenv("TESK_CAMEMU", "1");
        const std::vector<tesk::CameraInfo> devices = tesk::CameraFactory::deviceList();
        QVERIFY(!devices.empty());
        std::unique_ptr<tesk::Camera> camera(tesk::CameraFactory::getCamera(devices.back()));
        QVERIFY(camera);
        QCOMPARE(camera->open(1920, 1080), 0);

        CameraParamsForm form(true);
        form.show();
        form.setCamera(camera.get());
        QCOMPARE(form.findChild<LinkLabel*>(QStringLiteral("labelVideoSourceName"))->text(),
                 QString::fromStdString(camera->info().name));
        QCOMPARE(form.findChild<QSlider*>(QStringLiteral("sliderTime"))->value(), 10000);
        QCOMPARE(form.findChild<QSlider*>(QStringLiteral("sliderBrightness"))->minimum(), -64);
        QVERIFY(form.findChild<QComboBox*>(QStringLiteral("comboBoxPreviewFormat"))->count() > 0);

        // A change made in one panel reaches the camera.
        form.findChild<QSlider*>(QStringLiteral("sliderBrightness"))->setValue(20);
        double brightness = 0.0;
        QCOMPARE(camera->getProperty(0, &brightness), 0);
        QCOMPARE(brightness, 20.0);
        form.findChild<QCheckBox*>(QStringLiteral("checkBoxAuto"))->click();
        QCOMPARE(camera->getEnumProperty(0), 0u);
        form.findChild<QSlider*>(QStringLiteral("sliderTime"))->setValue(12345);
        form.setCamera(camera.get());
        QCOMPARE(form.findChild<QSlider*>(QStringLiteral("sliderTime"))->value(), 12300); // the camera's step is 100

        form.setCamera(nullptr);
        camera->close();
    }
};

QUARNEL_TEST_MAIN(TestCameraParamsForm)
#include "tst_cameraparamsform.moc"
