#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcamexposure.h>

#include <QCheckBox>
#include <QSlider>
#include <QSpinBox>

namespace {

constexpr int kAutoExposure = 0;
constexpr int kGain = 6;
constexpr int kTarget = 8;
constexpr int kTime = 9;

/// A camera with all three exposure properties, in the given automatic-exposure mode.
void giveExposure(RecordingCamera& camera, unsigned autoMode)
{
    camera.addEnum(kAutoExposure, {0, 2}, autoMode, 2);
    camera.addNumeric(kTime, 100, 1000000, 20000, 10000);
    camera.addNumeric(kTarget, 16, 235, 120, 120);
    camera.addNumeric(kGain, 0, 100, 30, 0);
}

/// The panel with its form's controls found by their object names.
struct Panel
{
    Panel() { widget.show(); }
    void attach(tesk::Camera* camera)
    {
        widget.setCamera(camera);
        widget.updateControls();
    }

    PanelCamExposure widget;
    QCheckBox* autoBox = widget.findChild<QCheckBox*>(QStringLiteral("checkBoxAuto"));
    QSlider* sliderTime = widget.findChild<QSlider*>(QStringLiteral("sliderTime"));
    QSlider* sliderGain = widget.findChild<QSlider*>(QStringLiteral("sliderGain"));
    QSlider* sliderTarget = widget.findChild<QSlider*>(QStringLiteral("sliderTarget"));
    QSpinBox* spinBoxTime = widget.findChild<QSpinBox*>(QStringLiteral("spinBoxTime"));
    QSpinBox* spinBoxGain = widget.findChild<QSpinBox*>(QStringLiteral("spinBoxGain"));
};

} // namespace

class TestPanelCamExposure : public QObject
{
    Q_OBJECT

private slots:
    void automaticCameraChecksTheBoxAndUncheckingSendsManualValues()
    {
        RecordingCamera camera;
        giveExposure(camera, 2);
        Panel p;
        p.attach(&camera);

        QVERIFY(p.autoBox->isChecked());
        QCOMPARE(camera.writes, QStringList{QStringLiteral("setEnumProperty(0,2)")});
        QVERIFY(!p.sliderTime->isEnabled());
        QVERIFY(!p.sliderGain->isEnabled());
        QVERIFY(p.sliderTarget->isEnabled());
        QVERIFY(p.spinBoxTime->isEnabled());
        QCOMPARE(p.sliderTime->value(), 20000);
        QCOMPARE(p.spinBoxGain->value(), 30);

        // Unchecking sends the mode off, then the time, then the gain.
        camera.clearWrites();
        p.autoBox->click();
        QVERIFY(!p.autoBox->isChecked());
        QCOMPARE(camera.writes,
                 (QStringList{QStringLiteral("setEnumProperty(0,0)"), QStringLiteral("setProperty(9,20000)"),
                              QStringLiteral("setProperty(6,30)")}));
        QVERIFY(p.sliderTime->isEnabled());
        QVERIFY(p.sliderGain->isEnabled());
        QVERIFY(!p.sliderTarget->isEnabled());

        camera.clearWrites();
        p.autoBox->click();
        QCOMPARE(camera.writes, QStringList{QStringLiteral("setEnumProperty(0,2)")});
    }

    void manualCameraRunsNoToggleAndTypedTimeIsSent()
    {
        RecordingCamera camera;
        giveExposure(camera, 0);
        Panel p;
        p.attach(&camera);

        QVERIFY(!p.autoBox->isChecked());
        QVERIFY(camera.writes.isEmpty());
        QVERIFY(p.sliderTime->isEnabled());
        QVERIFY(p.sliderGain->isEnabled());
        QVERIFY(p.sliderTarget->isEnabled());

        // A typed exposure time moves the slider and is sent.
        p.spinBoxTime->setFocus();
        p.spinBoxTime->selectAll();
        QTest::keyClicks(p.spinBoxTime, QStringLiteral("500"));
        QCOMPARE(p.sliderTime->value(), 500);
        QVERIFY(!camera.writes.isEmpty());
        QCOMPARE(camera.writes.last(), QStringLiteral("setProperty(9,500)"));
        QCOMPARE(camera.numeric[kTime].value, 500.0);

        // A camera without a target hides that row.
        camera.numeric.erase(kTarget);
        p.widget.updateControls();
        QVERIFY(p.widget.findChild<QWidget*>(QStringLiteral("groupTarget"))->isHidden());
        QVERIFY(!p.widget.findChild<QWidget*>(QStringLiteral("groupTime"))->isHidden());
    }

    void autoUpdateMovesOnlyTheSliders()
    {
        RecordingCamera camera;
        giveExposure(camera, 2);
        Panel p;
        p.attach(&camera);
        camera.clearWrites();

        camera.numeric[kTime].value = 33300;
        camera.numeric[kGain].value = 7;
        p.widget.autoUpdate();
        QCOMPARE(p.sliderTime->value(), 33300);
        QCOMPARE(p.sliderGain->value(), 7);
        QCOMPARE(p.spinBoxTime->value(), 20000);
        QVERIFY(camera.writes.isEmpty());
    }
};

QUARNEL_TEST_MAIN(TestPanelCamExposure)
#include "tst_panelcamexposure.moc"
