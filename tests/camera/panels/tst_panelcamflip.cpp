#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcamflip.h>

#include <QPushButton>

class TestPanelCamFlip : public QObject
{
    Q_OBJECT

private slots:
    void refreshShowsTheCameraAndClicksWriteIt()
    {
        RecordingCamera camera;
        camera.mirrored = true;
        PanelCamFlip panel;
        panel.show();
        auto* mirror = panel.findChild<QPushButton*>("pushButtonMirror");
        auto* flip = panel.findChild<QPushButton*>("pushButtonFlip");

        panel.setCamera(&camera);
        panel.updateControls();
        QVERIFY(mirror->isChecked());
        QVERIFY(!flip->isChecked());
        QVERIFY(camera.writes.isEmpty());

        QTest::mouseClick(mirror, Qt::LeftButton);
        QTest::mouseClick(flip, Qt::LeftButton);
        QCOMPARE(camera.writes, (QStringList{QStringLiteral("setMirror(false)"), QStringLiteral("setFlip(true)")}));

        panel.setCamera(nullptr);
        QTest::mouseClick(flip, Qt::LeftButton);
        QCOMPARE(camera.writes.size(), 2);
    }
};

QUARNEL_TEST_MAIN(TestPanelCamFlip)
#include "tst_panelcamflip.moc"
