#include "testmain.h"

#include <app/appsettings.h>
#include <app/mainwindow.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>
#include <preferences/configdialog.h>
#include <preferences/measurementpage.h>

#include <vrx/colorpicker.h>
#include <vrx/cursorcrosshair.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>
#include <vrx/primitiveattribute.h>
#include <vrx/primitivemanager.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>

namespace {

template <typename T> T* child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}

// The line-width editor of the attributes editor on the first tab.
QSpinBox* penWidth(MeasurementPage& page)
{
    const QList<QSpinBox*> spins = child<QWidget>(&page, "frameAttr")->findChildren<QSpinBox*>();
    for (QSpinBox* spin : spins) {
        if (spin->suffix() == QLatin1String(" px")) {
            return spin;
        }
    }
    return nullptr;
}

constexpr int kLine = 0x10065;
constexpr int kRectangle = 0x10068;
constexpr int kCounter = 0x100CA;

} // namespace

class TestMeasurementPage final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaultsOnAnEmptyStore();
    void crosshairStyleOutsideTheListShowsSolid();
    void applyWithoutChangesStoresTheSameValues();
    void toolAttributesEditedResetAndSaved();
    void appliedValuesReachTheView();
};

void TestMeasurementPage::init()
{
    QSettings().clear();
}

void TestMeasurementPage::defaultsOnAnEmptyStore()
{
    MeasurementPage page;
    auto* tabs = child<QTabWidget>(&page, "tabWidget");
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(1), QString("Report"));
    QCOMPARE(tabs->indexOf(child<QWidget>(&page, "tab_4")), -1);

    auto* tools = child<QComboBox>(&page, "comboBoxAttr");
    QCOMPARE(tools->count(), 7);
    QCOMPARE(tools->itemText(0), QString("Genernal Tool"));
    QCOMPARE(tools->itemData(6).toInt(), 0x1012E);

    QVERIFY(!child<QRadioButton>(&page, "radioButtonPopup")->isChecked());
    QVERIFY(child<QRadioButton>(&page, "radioButtonPreDef")->isChecked());
    QVERIFY(child<QGroupBox>(&page, "groupBoxPath")->isEnabled());
    QCOMPARE(child<QLineEdit>(&page, "lineEditPath")->text(), defaultReportFolder());

    QCOMPARE(child<QComboBox>(&page, "comboBoxOverlayType")->currentText(), QString("0. No Overlay"));
    QVERIFY(!child<QCheckBox>(&page, "checkBoxOverlayAntialiasing")->isChecked());
    QCOMPARE(child<vrx::ColorPicker>(&page, "pushButtonOverlayColor")->currentColor(), QColor(Qt::red));
    QCOMPARE(child<QSpinBox>(&page, "spinBoxOverlayCrossScale")->value(), 5);
    QCOMPARE(child<QSpinBox>(&page, "spinBoxOverlayCircleScale")->value(), 50);
    QCOMPARE(child<QSpinBox>(&page, "spinBoxOverlayGridScale")->value(), 50);

    QVERIFY(!child<QCheckBox>(&page, "checkBoxCursorCrosshair")->isChecked());
    QCOMPARE(child<QSpinBox>(&page, "spinBoxCursorCrosshairWidth")->value(), 1);
    QCOMPARE(child<QComboBox>(&page, "comboBoxCursorCrosshairStyle")->currentText(), QString("Solid Line"));
    QCOMPARE(child<QSpinBox>(&page, "spinBoxDecimalPlaces")->value(), 2);
    QCOMPARE(child<QSpinBox>(&page, "spinBoxDecimalPlaces")->suffix(), QString(" decimal places"));
    QVERIFY(!page.isModified());

    child<QRadioButton>(&page, "radioButtonPopup")->setChecked(true);
    QVERIFY(!child<QGroupBox>(&page, "groupBoxPath")->isEnabled());
}

void TestMeasurementPage::crosshairStyleOutsideTheListShowsSolid()
{
    for (int stored : {0, 6, 9, -1}) {
        QSettings().setValue(SettingsKeys::CrosshairStyle, stored);
        MeasurementPage page;
        QCOMPARE(child<QComboBox>(&page, "comboBoxCursorCrosshairStyle")->currentText(), QString("Solid Line"));
    }
    QSettings().setValue(SettingsKeys::CrosshairStyle, 4);
    MeasurementPage page;
    QCOMPARE(child<QComboBox>(&page, "comboBoxCursorCrosshairStyle")->currentText(), QString("Dash Dot Line"));
}

void TestMeasurementPage::applyWithoutChangesStoresTheSameValues()
{
    QSettings settings;
    settings.setValue(SettingsKeys::OverlayType, 3);
    settings.setValue(SettingsKeys::OverlayGridScale, 20);
    settings.setValue(SettingsKeys::CrosshairColor, QColor(Qt::cyan));
    settings.setValue(SettingsKeys::DecimalPlaces, 5);
    // A stored shade the editor cannot show exactly must survive an apply without edits.
    settings.setValue(vrx::PrimitiveAttribute::settingsGroup(kLine) + "/labelBrush", QColor(10, 20, 30, 77));

    MeasurementPage page;
    page.apply();
    QCOMPARE(settings.value(SettingsKeys::OverlayType).toInt(), 3);
    QCOMPARE(settings.value(SettingsKeys::OverlayGridScale).toInt(), 20);
    QCOMPARE(settings.value(SettingsKeys::OverlayColor).value<QColor>(), QColor(Qt::red));
    QCOMPARE(settings.value(SettingsKeys::OverlayCrossScale).toInt(), 5);
    QCOMPARE(settings.value(SettingsKeys::ReportPopup).toBool(), false);
    QCOMPARE(settings.value(SettingsKeys::ReportFilePath).toString(),
             QDir::fromNativeSeparators(defaultReportFolder()));
    QCOMPARE(AppSettings::instance()->crosshairColor(), QColor(Qt::cyan));
    QCOMPARE(AppSettings::instance()->crosshairStyle(), 1);
    QCOMPARE(AppSettings::instance()->decimalPlaces(), 5);
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kLine).value(vrx::PrimitiveAttribute::LabelBrush).value<QColor>(),
             QColor(10, 20, 30, 77));
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kCounter), vrx::PrimitiveAttribute::builtinAttributes(kCounter));
}

void TestMeasurementPage::toolAttributesEditedResetAndSaved()
{
    MeasurementPage page;
    auto* tools = child<QComboBox>(&page, "comboBoxAttr");
    QSpinBox* width = penWidth(page);
    QVERIFY(width);
    QVERIFY(width->isEnabled());
    const int builtin = vrx::PrimitiveAttribute::builtinAttributes(kLine).value("penWidth").toInt();
    QCOMPARE(width->value(), builtin);

    width->setValue(7);
    QVERIFY(page.isModified());
    tools->setCurrentIndex(1); // Rectange
    QCOMPARE(width->value(), builtin);
    width->setValue(9);
    tools->setCurrentIndex(0);
    QCOMPARE(width->value(), 7);

    // "Reset" gives back the built-in look of the shown type only.
    child<QPushButton>(&page, "pushButtonResetAttr")->click();
    QCOMPARE(width->value(), builtin);
    QCOMPARE(page.toolAttributes(kRectangle).value("penWidth").toInt(), 9);
    width->setValue(4);
    page.apply();
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kLine).value("penWidth").toInt(), 4);
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kRectangle).value("penWidth").toInt(), 9);

    MeasurementPage reopened;
    QCOMPARE(penWidth(reopened)->value(), 4);
    QVERIFY(!reopened.isModified());
    child<QPushButton>(&reopened, "pushButtonResetAllAttr")->click();
    QVERIFY(reopened.isModified());
    reopened.apply();
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kLine).value("penWidth").toInt(), builtin);
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kRectangle).value("penWidth").toInt(), builtin);
}

void TestMeasurementPage::appliedValuesReachTheView()
{
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
    vrx::ColorPicker::setColorDialog([](const QColor&, QWidget*, const QString&) { return QColor(Qt::yellow); });
    MainWindow window;
    vrx::GraphicsView* view = window.graphicsView();
    QCOMPARE(view->scene()->overlayType(), 0);
    QVERIFY(!view->cursorCrosshair()->isShown());

    ConfigDialog dialog(3, &window);
    connect(&dialog, &ConfigDialog::applied, &window, &MainWindow::preferencesApplied);
    QWidget* page = dialog.page(3);
    child<QComboBox>(page, "comboBoxOverlayType")->setCurrentIndex(1);
    child<QCheckBox>(page, "checkBoxOverlayAntialiasing")->setChecked(true);
    child<QSpinBox>(page, "spinBoxOverlayCrossScale")->setValue(12);
    child<QSpinBox>(page, "spinBoxOverlayCircleScale")->setValue(30);
    child<QSpinBox>(page, "spinBoxOverlayGridScale")->setValue(40);
    child<vrx::ColorPicker>(page, "pushButtonCursorCrosshairColor")->setStandardColors({});
    child<vrx::ColorPicker>(page, "pushButtonCursorCrosshairColor")->click();
    child<QCheckBox>(page, "checkBoxCursorCrosshair")->setChecked(true);
    child<QSpinBox>(page, "spinBoxCursorCrosshairWidth")->setValue(3);
    child<QComboBox>(page, "comboBoxCursorCrosshairStyle")->setCurrentIndex(2);
    child<QSpinBox>(page, "spinBoxDecimalPlaces")->setValue(0);
    dialog.apply();
    vrx::ColorPicker::setColorDialog(nullptr);

    vrx::GraphicsScene* scene = view->scene();
    QCOMPARE(scene->overlayType(), 1);
    QVERIFY(scene->overlayAntialiasing());
    QCOMPARE(scene->overlayColor(), QColor(Qt::red));
    QCOMPARE(scene->overlayCrossScale(), 12);
    QCOMPARE(scene->overlayCircleScale(), 30);
    QCOMPARE(scene->overlayGridScale(), 40);
    QVERIFY(view->cursorCrosshair()->isShown());
    const QPen pen = view->cursorCrosshair()->pen();
    QCOMPARE(pen.color(), QColor(Qt::yellow));
    QCOMPARE(pen.width(), 3);
    QCOMPARE(pen.style(), Qt::DotLine);
    QCOMPARE(pen.capStyle(), Qt::SquareCap);
    QCOMPARE(pen.joinStyle(), Qt::BevelJoin);
    QCOMPARE(view->primitiveManager()->decimalPlaces(), 0);
}

QUARNEL_TEST_MAIN(TestMeasurementPage)
#include "tst_measurementpage.moc"
