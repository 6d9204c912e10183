#include "recordingcamera.h"
#include "testmain.h"

#include <camera/panels/panelcamctrl.h>
#include <camera/texts.h>

#include <QComboBox>
#include <QSlider>
#include <QSpinBox>

namespace {

/// The smallest panel: one numeric row and one enumerated row, each in its container.
class RowsPanel final : public PanelCamCtrl
{
public:
    RowsPanel()
    {
        slider = new QSlider(Qt::Horizontal, numericRow);
        spinBox = new QSpinBox(numericRow);
        comboBox = new QComboBox(enumRow);
    }

    void updateControls() override {}

    void loadNumeric(int id) { setupPropertyControl(id, numericRow, slider, spinBox); }
    void loadEnum(int id) { setupEnumControl(id, enumRow, comboBox); }

    QWidget* numericRow = new QWidget(this);
    QWidget* enumRow = new QWidget(this);
    QSlider* slider;
    QSpinBox* spinBox;
    QComboBox* comboBox;
};

constexpr int kBrightness = 0;
constexpr int kColorMode = 5;

} // namespace

class TestPanelCamCtrl : public QObject
{
    Q_OBJECT

private slots:
    void rangeAndValueAreTruncatedTowardZero()
    {
        RecordingCamera camera;
        camera.addNumeric(kBrightness, 0.9, 10.7, 5.9);
        camera.addNumeric(1, -7.8, -0.2, -3.7);
        RowsPanel panel;
        panel.setCamera(&camera);
        QSignalSpy sliderMoves(panel.slider, &QSlider::valueChanged);
        QSignalSpy spinMoves(panel.spinBox, qOverload<int>(&QSpinBox::valueChanged));

        panel.loadNumeric(kBrightness);
        QCOMPARE(panel.slider->minimum(), 0);
        QCOMPARE(panel.slider->maximum(), 10);
        QCOMPARE(panel.spinBox->minimum(), 0);
        QCOMPARE(panel.spinBox->maximum(), 10);
        QCOMPARE(panel.slider->value(), 5);
        QCOMPARE(panel.spinBox->value(), 5);
        QCOMPARE(panel.slider->tickInterval(), 1);

        panel.loadNumeric(1);
        QCOMPARE(panel.slider->minimum(), -7);
        QCOMPARE(panel.slider->maximum(), 0);
        QCOMPARE(panel.slider->value(), -3);

        // Loading is silent: nothing reaches the panel's handlers or the camera.
        QCOMPARE(sliderMoves.count(), 0);
        QCOMPARE(spinMoves.count(), 0);
        QVERIFY(camera.writes.isEmpty());

        // Once loaded, each control moves the other.
        panel.spinBox->setValue(-6);
        QCOMPARE(panel.slider->value(), -6);
        QCOMPARE(sliderMoves.count(), 1);
        panel.slider->setValue(-1);
        QCOMPARE(panel.spinBox->value(), -1);
    }

    void unsupportedOrUnreadablePropertyKeepsTheControls()
    {
        RecordingCamera camera;
        camera.addNumeric(kBrightness, -64, 64, 12);
        RowsPanel panel;
        panel.setCamera(&camera);
        panel.loadNumeric(kBrightness);
        QVERIFY(!panel.numericRow->isHidden());

        camera.numeric.erase(kBrightness);
        panel.loadNumeric(kBrightness);
        QVERIFY(panel.numericRow->isHidden());
        QCOMPARE(panel.slider->minimum(), -64);
        QCOMPARE(panel.slider->maximum(), 64);
        QCOMPARE(panel.slider->value(), 12);

        camera.addNumeric(kBrightness, 0, 10, 3);
        panel.loadNumeric(kBrightness);
        QVERIFY(!panel.numericRow->isHidden());

        // A failed read keeps what the controls show.
        camera.numeric[kBrightness] = RecordingCamera::Numeric{-5, 5, 1, 1, 0};
        camera.failingReads.insert(kBrightness);
        panel.loadNumeric(kBrightness);
        QCOMPARE(panel.slider->maximum(), 10);
        QCOMPARE(panel.slider->value(), 3);
        QCOMPARE(panel.spinBox->value(), 3);
    }

    void enumValuesFillTheComboBoxWithNamesAndData()
    {
        RecordingCamera camera;
        camera.addEnum(kColorMode, {2, 0, 1}, 1);
        RowsPanel panel;
        panel.setCamera(&camera);
        panel.comboBox->addItem(QStringLiteral("stale"));
        QSignalSpy changes(panel.comboBox, qOverload<int>(&QComboBox::currentIndexChanged));

        panel.loadEnum(kColorMode);
        QCOMPARE(panel.comboBox->count(), 3);
        QCOMPARE(QStringList({panel.comboBox->itemText(0), panel.comboBox->itemText(1), panel.comboBox->itemText(2)}),
                 QStringList({"Negative", "Colorful", "Monochrome"}));
        QCOMPARE(panel.comboBox->itemData(0).toUInt(), 2u);
        QCOMPARE(panel.comboBox->currentIndex(), 2);
        QCOMPARE(changes.count(), 0);
        QVERIFY(camera.writes.isEmpty());
        QVERIFY(!panel.enumRow->isHidden());

        // A value outside the list selects nothing.
        camera.enumerated[kColorMode].value = 7;
        panel.loadEnum(kColorMode);
        QCOMPARE(panel.comboBox->count(), 3);
        QCOMPARE(panel.comboBox->currentIndex(), -1);

        camera.enumerated.erase(kColorMode);
        panel.loadEnum(kColorMode);
        QVERIFY(panel.enumRow->isHidden());
        QCOMPARE(panel.comboBox->count(), 3);
    }

    void propertyValueNames_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<unsigned>("value");
        QTest::addColumn<QString>("name");
        QTest::newRow("white balance 7") << 2 << 7u << "Unknown";
        QTest::newRow("power 50") << 3 << 1u << "50Hz";
        QTest::newRow("trigger source last") << 9 << 6u << "Frequency Converter";
        QTest::newRow("automatic exposure") << 0 << 2u << "Value: 2";
        QTest::newRow("no names id 4") << 4 << 1u << "Value: 1";
    }

    void propertyValueNames()
    {
        QFETCH(int, id);
        QFETCH(unsigned, value);
        QFETCH(QString, name);
        QCOMPARE(Texts::propertyValueName(id, value), name);
    }

    void pixelFormatNames()
    {
        QCOMPARE(Texts::pixelFormatName(tesk::Frame::RGB), QStringLiteral("RGB"));
        QCOMPARE(Texts::pixelFormatName(tesk::Frame::BayerRG10Packed), QStringLiteral("RG10 Packed"));
        QCOMPARE(Texts::pixelFormatName(tesk::Frame::MJPEG), QStringLiteral("Motion JPEG"));
        QCOMPARE(Texts::pixelFormatName(tesk::Frame::RGB32), QStringLiteral("Unknown"));
        QCOMPARE(Texts::pixelFormatName(tesk::Frame::NoPicture), QStringLiteral("Unknown"));
    }
};

QUARNEL_TEST_MAIN(TestPanelCamCtrl)
#include "tst_panelcamctrl.moc"
