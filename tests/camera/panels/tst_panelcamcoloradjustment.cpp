#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcamcoloradjustment.h>

#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace {

constexpr int kColorMode = 5;

// Each row's object-name stem and property id, in the order "Default" restores them.
const std::pair<QString, int> kRows[] = {{"Brightness", 0}, {"Contrast", 1},  {"Saturation", 3}, {"Hue", 2},
                                         {"Gamma", 4},      {"Sharpness", 5}, {"Denoise", 15}};

struct Panel
{
    explicit Panel(tesk::Camera* camera)
    {
        widget.show();
        widget.setCamera(camera);
        widget.updateControls();
    }
    QWidget* group(const QString& row) { return widget.findChild<QWidget*>("group" + row); }
    QSlider* slider(const QString& row) { return widget.findChild<QSlider*>("slider" + row); }
    QSpinBox* spinBox(const QString& row) { return widget.findChild<QSpinBox*>("spinBox" + row); }
    QComboBox* colorMode() { return widget.findChild<QComboBox*>("comboBoxColorMode"); }

    PanelCamColorAdjustment widget;
};

/// Every colour property, each with a range, value and default of its own.
void giveEverything(RecordingCamera& camera, unsigned defaultMode = 0)
{
    camera.addEnum(kColorMode, {0, 1, 2}, 2, defaultMode);
    for (const auto& [row, id] : kRows) {
        camera.addNumeric(id, -10 - id, 100 + id, 20 + id, 40 + id);
    }
}

} // namespace

class TestPanelCamColorAdjustment : public QObject
{
    Q_OBJECT

private slots:
    void refreshLoadsSupportedRowsWithoutWriting()
    {
        RecordingCamera camera;
        giveEverything(camera);
        Panel p(&camera);
        QCOMPARE(p.colorMode()->currentText(), QStringLiteral("Negative"));
        for (const auto& [row, id] : kRows) {
            QVERIFY2(!p.group(row)->isHidden(), qPrintable(row));
            QCOMPARE(p.slider(row)->minimum(), -10 - id);
            QCOMPARE(p.spinBox(row)->maximum(), 100 + id);
            QCOMPARE(p.spinBox(row)->value(), 20 + id);
        }
        QVERIFY(camera.writes.isEmpty());

        RecordingCamera gammaOnly;
        gammaOnly.addNumeric(4, 20, 500, 100);
        Panel q(&gammaOnly);
        QVERIFY(q.group("ColorMode")->isHidden());
        for (const auto& [row, id] : kRows) {
            QCOMPARE(q.group(row)->isHidden(), id != 4);
        }
    }

    void eachControlWritesItsOwnProperty()
    {
        RecordingCamera camera;
        giveEverything(camera);
        Panel p(&camera);
        for (const auto& [row, id] : kRows) {
            camera.clearWrites();
            p.slider(row)->setValue(30);
            p.spinBox(row)->setValue(31); // reaches the camera through the slider
            QCOMPARE(camera.writes, (QStringList{QStringLiteral("setProperty(%1,30)").arg(id),
                                                 QStringLiteral("setProperty(%1,31)").arg(id)}));
        }
    }

    void colourModeSendsThePositionNotTheValue()
    {
        RecordingCamera camera;
        camera.addEnum(kColorMode, {0, 2}, 0); // colourful and negative only
        Panel p(&camera);
        QCOMPARE(p.colorMode()->itemText(1), QStringLiteral("Negative"));
        p.colorMode()->setCurrentIndex(1);
        QCOMPARE(camera.writes, QStringList{QStringLiteral("setEnumProperty(5,1)")});
    }

    void defaultRestoresEverythingInOrder()
    {
        RecordingCamera camera;
        giveEverything(camera, 1);
        Panel p(&camera);
        QTest::mouseClick(p.widget.findChild<QPushButton*>("pushButtonDefault"), Qt::LeftButton);

        QCOMPARE(p.colorMode()->currentText(), QStringLiteral("Monochrome"));
        // Each is restored by the camera, then written again by the control's handler.
        QStringList expected{QStringLiteral("setEnumProperty(5,1)"), QStringLiteral("setEnumProperty(5,1)")};
        for (const auto& [row, id] : kRows) {
            QCOMPARE(p.spinBox(row)->value(), 40 + id);
            expected << QStringLiteral("setProperty(%1,%2)").arg(id).arg(40 + id)
                     << QStringLiteral("setProperty(%1,%2)").arg(id).arg(40 + id);
        }
        QCOMPARE(camera.writes, expected);
    }
};

QUARNEL_TEST_MAIN(TestPanelCamColorAdjustment)
#include "tst_panelcamcoloradjustment.moc"
