#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcamwhitebalance.h>

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

namespace {

constexpr int kMode = 2;
constexpr int kRed = 10;
constexpr int kGreen = 11;
constexpr int kBlue = 12;
constexpr int kTemperature = 13;

enum Offer
{
    Temperature = 1,
    Gains = 2,
};

void giveWhiteBalance(RecordingCamera& camera, int offer, unsigned mode = 0)
{
    camera.addEnum(kMode, {0, 1, 2}, mode);
    if (offer & Temperature) {
        camera.addNumeric(kTemperature, 2000, 15000, 5000, 6500);
    }
    if (offer & Gains) {
        camera.addNumeric(kRed, 0, 400, 120, 100);
        camera.addNumeric(kGreen, 0, 400, 110, 100);
        camera.addNumeric(kBlue, 0, 400, 90, 100);
    }
}

struct Panel
{
    Panel() { widget.show(); }
    template <typename T> T* find(const char* name) { return widget.findChild<T*>(QLatin1String(name)); }
    void attach(tesk::Camera* camera)
    {
        widget.setCamera(camera);
        widget.updateControls();
    }

    PanelCamWhiteBalance widget;
    QComboBox* modes = find<QComboBox>("comboBoxModes");
    QPushButton* once = find<QPushButton>("pushButtonOnce");
    QPushButton* defaults = find<QPushButton>("pushButtonDefault");
    QFrame* frameTemperature = find<QFrame>("frameTemperature");
    QFrame* frameGain = find<QFrame>("frameGain");
    QSlider* sliderTemperature = find<QSlider>("sliderTemperature");
    QSpinBox* spinBoxTemperature = find<QSpinBox>("spinBoxTemperature");
    QSlider* sliderR = find<QSlider>("sliderRGain");
    QSlider* sliderG = find<QSlider>("sliderGGain");
    QSlider* sliderB = find<QSlider>("sliderBGain");
};

} // namespace

class TestPanelCamWhiteBalance : public QObject
{
    Q_OBJECT

private slots:
    void refreshFollowsTheCameraMode()
    {
        RecordingCamera camera;
        giveWhiteBalance(camera, Temperature | Gains, 2);
        Panel p;
        p.attach(&camera);
        QCOMPARE(p.modes->count(), 3);
        QCOMPARE(p.modes->currentText(), QStringLiteral("Continuous"));
        QVERIFY(p.once->isHidden());
        QVERIFY(!p.frameTemperature->isEnabled());
        QVERIFY(!p.frameGain->isEnabled());
        QCOMPARE(p.sliderTemperature->value(), 5000);
        QCOMPARE(p.sliderR->value(), 120);

        // In mode 1 a refresh leaves the frames enabled ...
        camera.enumerated[kMode].value = 1;
        p.widget.updateControls();
        QVERIFY(!p.once->isHidden());
        QVERIFY(p.frameTemperature->isEnabled());
        QVERIFY(camera.writes.isEmpty());

        // ... while the user's own choice of mode 1 disables them.
        p.modes->setCurrentIndex(0);
        p.modes->setCurrentIndex(1);
        QVERIFY(!p.frameTemperature->isEnabled());
        QVERIFY(!p.frameGain->isEnabled());
    }

    void choosingContinuousHandsTheNumbersToTheCamera()
    {
        RecordingCamera camera;
        giveWhiteBalance(camera, Temperature | Gains, 0);
        Panel p;
        p.attach(&camera);
        QVERIFY(p.frameGain->isEnabled());

        p.modes->setCurrentIndex(2);
        QCOMPARE(camera.writes, QStringList{QStringLiteral("setEnumProperty(2,2)")});
        QVERIFY(p.once->isHidden());
        QVERIFY(!p.frameTemperature->isEnabled());
        QVERIFY(!p.frameGain->isEnabled());

        // The camera balances by itself; within one refresh interval the panel shows it.
        auto* refresh = p.widget.findChild<QTimer*>();
        QVERIFY(refresh && refresh->isActive() && !refresh->isSingleShot());
        QCOMPARE(refresh->interval(), 3000);
        camera.numeric[kTemperature].value = 7250;
        camera.numeric[kBlue].value = 140;
        QTRY_COMPARE_WITH_TIMEOUT(p.sliderTemperature->value(), 7250, 4000);
        QCOMPARE(p.spinBoxTemperature->value(), 7250);
        QCOMPARE(p.sliderB->value(), 140);
        QCOMPARE(camera.writes.size(), 1);
    }

    void onePushSendsOnceAndShowsTheResultASecondLater()
    {
        RecordingCamera camera;
        giveWhiteBalance(camera, Gains, 0);
        Panel p;
        p.attach(&camera);
        p.widget.findChild<QTimer*>()->stop(); // only the one-push refresh may run

        p.modes->setCurrentIndex(1);
        QVERIFY(!p.once->isHidden());
        QCOMPARE(camera.writes, QStringList{QStringLiteral("setEnumProperty(2,1)")});

        camera.numeric[kRed].value = 100;
        QTest::mouseClick(p.once, Qt::LeftButton);
        QCOMPARE(camera.writes,
                 (QStringList{QStringLiteral("setEnumProperty(2,1)"), QStringLiteral("setEnumProperty(2,1)")}));
        QTest::qWait(500);
        QCOMPARE(p.sliderR->value(), 120);
        QTRY_COMPARE_WITH_TIMEOUT(p.sliderR->value(), 100, 1500);
        QCOMPARE(camera.writes.size(), 2);
    }

    void defaultButtonRestoresTemperatureElseGains_data()
    {
        QTest::addColumn<int>("offer");
        QTest::addColumn<QStringList>("writes");
        const QStringList temperature{"setProperty(13,6500)", "setProperty(13,6500)"};
        // resetProperty restores each, the slider's handler writes it once more.
        QTest::newRow("temperature") << int(Temperature) << temperature;
        QTest::newRow("gains") << int(Gains)
                               << QStringList{"setProperty(10,100)", "setProperty(10,100)", "setProperty(11,100)",
                                              "setProperty(11,100)", "setProperty(12,100)", "setProperty(12,100)"};
        QTest::newRow("both: temperature only") << int(Temperature | Gains) << temperature;
    }

    void defaultButtonRestoresTemperatureElseGains()
    {
        QFETCH(int, offer);
        QFETCH(QStringList, writes);
        RecordingCamera camera;
        giveWhiteBalance(camera, offer);
        Panel p;
        p.attach(&camera);
        QCOMPARE(p.frameTemperature->isHidden(), !(offer & Temperature));
        QCOMPARE(p.frameGain->isHidden(), !(offer & Gains));
        if (offer & Temperature) {
            QCOMPARE(p.sliderTemperature->minimum(), 2000);
            QCOMPARE(p.sliderTemperature->maximum(), 15000);
        }

        camera.clearWrites();
        QTest::mouseClick(p.defaults, Qt::LeftButton);
        QCOMPARE(camera.writes, writes);
        if (offer & Temperature) {
            QCOMPARE(p.spinBoxTemperature->value(), 6500);
        } else {
            QCOMPARE(p.sliderG->value(), 100);
        }
    }

    void gainRowTheCameraLacksStaysButIsNotLoaded()
    {
        RecordingCamera camera;
        giveWhiteBalance(camera, Gains);
        camera.numeric.erase(kGreen);
        Panel p;
        p.attach(&camera);

        QVERIFY(!p.frameGain->isHidden());
        QVERIFY(!p.sliderG->isHidden());
        QCOMPARE(p.sliderR->maximum(), 400);
        QCOMPARE(p.sliderG->minimum(), -255);
        QCOMPARE(p.sliderG->value(), 0);

        // The refresh skips what cannot be read and writes nothing.
        camera.numeric[kRed].value = 7;
        camera.numeric[kBlue].value = 8;
        camera.failingReads = {kBlue};
        p.widget.autoUpdate();
        QCOMPARE(p.sliderR->value(), 7);
        QCOMPARE(p.sliderG->value(), 0);
        QCOMPARE(p.sliderB->value(), 90);
        QVERIFY(camera.writes.isEmpty());
    }
};

QUARNEL_TEST_MAIN(TestPanelCamWhiteBalance)
#include "tst_panelcamwhitebalance.moc"
