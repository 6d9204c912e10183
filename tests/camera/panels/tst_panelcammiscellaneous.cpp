#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcammiscellaneous.h>

#include <QComboBox>
#include <QSpinBox>

class TestPanelCamMiscellaneous : public QObject
{
    Q_OBJECT

private slots:
    void eachRowFollowsWhatTheCameraOffers()
    {
        RecordingCamera camera;
        camera.addEnum(3, {1, 2}, 1);
        PanelCamMiscellaneous panel;
        panel.show();
        auto* power = panel.findChild<QComboBox*>("comboBoxPowerFrequency");
        auto* packet = panel.findChild<QSpinBox*>("spinBoxPacketSize");
        auto* powerRow = panel.findChild<QWidget*>("groupPowerFreq");
        auto* packetRow = panel.findChild<QWidget*>("groupPacketSize");

        panel.setCamera(&camera);
        panel.updateControls();
        QVERIFY(!powerRow->isHidden());
        QVERIFY(packetRow->isHidden());
        QCOMPARE(power->itemText(0), QStringLiteral("50Hz"));
        QCOMPARE(power->itemText(1), QStringLiteral("60Hz"));
        power->setCurrentIndex(1); // the item's value is sent, not its position
        QCOMPARE(camera.writes, QStringList{QStringLiteral("setEnumProperty(3,2)")});

        camera.enumerated.clear();
        camera.addNumeric(19, 0, 9000.5, 1500.9);
        camera.clearWrites();
        panel.updateControls();
        QVERIFY(powerRow->isHidden());
        QVERIFY(!packetRow->isHidden());
        QCOMPARE(packet->maximum(), 9000);
        QCOMPARE(packet->value(), 1500);
        QVERIFY(camera.writes.isEmpty());

        packet->selectAll();
        QTest::keyClicks(packet, QStringLiteral("90")); // every digit typed is sent
        QCOMPARE(camera.writes,
                 (QStringList{QStringLiteral("setProperty(19,9)"), QStringLiteral("setProperty(19,90)")}));
    }
};

QUARNEL_TEST_MAIN(TestPanelCamMiscellaneous)
#include "tst_panelcammiscellaneous.moc"
