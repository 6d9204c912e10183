#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>
#include <app/startup.h>
#include <preferences/capturepage.h>
#include <preferences/configdialog.h>
#include <preferences/devicepage.h>
#include <preferences/environmentpage.h>
#include <preferences/measurementpage.h>
#include <preferences/miscellaneouspage.h>
#include <preferences/networkpage.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>

namespace {

using Snapshot = QMap<QString, QString>;

// Every stored value, as text, so two states of the store can be compared.
Snapshot snapshot()
{
    QSettings settings;
    Snapshot values;
    for (const QString& key : settings.allKeys()) {
        values.insert(key, settings.value(key).toString() + "|" + settings.value(key).typeName());
    }
    return values;
}

QPushButton* button(ConfigDialog& dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox*>("buttonBox")->button(which);
}

// Ends the dialog's exec() with a button once its event loop runs.
void pressLater(ConfigDialog& dialog, QDialogButtonBox::StandardButton which)
{
    QTimer::singleShot(0, &dialog, [&dialog, which] { button(dialog, which)->click(); });
}

template <typename T> T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found) {
        qWarning() << "no child" << name;
    }
    return found;
}

} // namespace

class TestPreferencesDialog final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sixPagesInOrder();
    void numberChoosesTheFirstPage();
    void cancelWritesNothing();
    void okWithoutChangesKeepsTheValuesAndReports();
    void everyPageSurvivesARestart();
};

void TestPreferencesDialog::init()
{
    QSettings().clear();
}

void TestPreferencesDialog::sixPagesInOrder()
{
    setupIconTheme();
    ConfigDialog dialog(0, nullptr);
    auto* list = child<QListWidget>(&dialog, "pageList");
    QCOMPARE(dialog.count(), 6);
    for (int i = 0; i < list->count(); ++i) {
        QVERIFY2(!list->item(i)->icon().isNull(), qPrintable(list->item(i)->text()));
    }
    QCOMPARE(list->item(1)->icon().name(), QString("view-camera"));
    QStringList titles;
    for (int i = 0; i < list->count(); ++i) {
        titles << list->item(i)->text();
    }
    QCOMPARE(titles, QStringList({"Appearance", "Device", "Files", "Measurement", "Network", "Miscellaneous"}));
    QVERIFY(qobject_cast<EnvironmentPage*>(dialog.page(0)));
    QVERIFY(qobject_cast<DevicePage*>(dialog.page(1)));
    QVERIFY(qobject_cast<CapturePage*>(dialog.page(2)));
    QVERIFY(qobject_cast<MeasurementPage*>(dialog.page(3)));
    QVERIFY(qobject_cast<NetworkPage*>(dialog.page(4)));
    QVERIFY(qobject_cast<MiscellaneousPage*>(dialog.page(5)));
    QCOMPARE(dialog.measurementPage(), dialog.page(3));
    // The dialog's own loading of three pages is not an edit.
    QVERIFY(!dialog.isModified());
    QVERIFY(!button(dialog, QDialogButtonBox::Apply)->isEnabled());
}

void TestPreferencesDialog::numberChoosesTheFirstPage()
{
    ConfigDialog menu(0, nullptr);
    QCOMPARE(menu.currentIndex(), 0);
    ConfigDialog measurement(2, nullptr);
    QCOMPARE(measurement.currentIndex(), 2);
    QCOMPARE(child<QListWidget>(&measurement, "pageList")->currentItem()->text(), QString("Files"));
}

void TestPreferencesDialog::cancelWritesNothing()
{
    QSettings().setValue(SettingsKeys::Language, "de_DE");
    const Snapshot before = snapshot();
    ConfigDialog dialog(0, nullptr);
    QSignalSpy applied(&dialog, &ConfigDialog::applied);
    child<QComboBox>(dialog.page(0), "comboBoxThemes")->setCurrentIndex(0);
    child<QCheckBox>(dialog.page(1), "checkBoxOpenLastDevice")->toggle();
    child<QLineEdit>(dialog.page(2), "lineEditPath")->setText("/tmp/elsewhere");
    child<QSpinBox>(dialog.page(3), "spinBoxDecimalPlaces")->setValue(5);
    child<QSpinBox>(dialog.page(4), "spinBoxPort")->setValue(3128);
    child<QCheckBox>(dialog.page(5), "checkBoxExit")->toggle();
    QVERIFY(dialog.isModified());
    pressLater(dialog, QDialogButtonBox::Cancel);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(applied.count(), 0);
    QCOMPARE(snapshot(), before);
}

void TestPreferencesDialog::okWithoutChangesKeepsTheValuesAndReports()
{
    QSettings settings;
    settings.setValue(SettingsKeys::Language, "ja_JP");
    settings.setValue(SettingsKeys::Theme, "default");
    settings.setValue(SettingsKeys::CapturePopup, true);
    settings.setValue(SettingsKeys::CaptureFileFormat, "png");
    settings.setValue(SettingsKeys::ProxyPort, 3128);
    settings.setValue(SettingsKeys::ConfirmExit, false);
    settings.setValue(SettingsKeys::DecimalPlaces, 4);
    AppSettings::instance()->setZoomInShortcut(QKeySequence("Ctrl+Shift+Z"));
    const Snapshot before = snapshot();

    ConfigDialog dialog(0, nullptr);
    QSignalSpy applied(&dialog, &ConfigDialog::applied);
    pressLater(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(applied.count(), 1);

    // Every value stored before reads back the same; the rest are now stored explicitly.
    const Snapshot after = snapshot();
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        QCOMPARE(after.value(it.key()), it.value());
    }
    QCOMPARE(AppSettings::instance()->zoomInShortcut(), QKeySequence("Ctrl+Shift+Z"));
    QCOMPARE(AppSettings::instance()->snapShortcut(), QKeySequence(Qt::Key_Return));
    QCOMPARE(settings.value(SettingsKeys::OverlayColor).value<QColor>(), QColor(Qt::red));
    QCOMPARE(settings.value(SettingsKeys::CaptureFilePath).toString(), defaultImageFolder());
}

void TestPreferencesDialog::everyPageSurvivesARestart()
{
    {
        ConfigDialog dialog(0, nullptr);
        child<QComboBox>(dialog.page(0), "comboBoxLanguage")->setCurrentIndex(4);
        child<QKeySequenceEdit>(dialog.page(0), "keySequenceEditSnap")->setKeySequence(QKeySequence("F8"));
        child<QCheckBox>(dialog.page(1), "checkBoxTryStillCapture")->setChecked(true);
        child<QCheckBox>(dialog.page(1), "checkBoxOpenLastDevice")->setChecked(false);
        child<QCheckBox>(dialog.page(1), "checkBoxRestoreParam")->setChecked(true);
        child<QRadioButton>(dialog.page(2), "radioButtonPopup")->setChecked(true);
        child<QComboBox>(dialog.page(2), "comboBoxFileFormat")->setCurrentText("tif");
        child<QComboBox>(dialog.page(3), "comboBoxOverlayType")->setCurrentIndex(2);
        child<QCheckBox>(dialog.page(4), "checkBoxEnable")->setChecked(true);
        child<QLineEdit>(dialog.page(4), "lineEditAddress")->setText("127.0.0.1");
        child<QSpinBox>(dialog.page(4), "spinBoxPort")->setValue(3128);
        child<QCheckBox>(dialog.page(5), "checkBoxExit")->setChecked(false);
        child<QCheckBox>(dialog.page(5), "checkBoxMaximize")->setChecked(true);
        button(dialog, QDialogButtonBox::Apply)->click();
    }
    QSettings settings;
    QCOMPARE(settings.value(SettingsKeys::Language).toString(), QString("fr_FR"));
    QCOMPARE(settings.value(SettingsKeys::CaptureFileFormat).toString(), QString("tif"));
    QCOMPARE(settings.value(SettingsKeys::MaximizeWhenLaunch).toBool(), true);
    QCOMPARE(settings.value(SettingsKeys::OverlayType).toInt(), 2);

    settings.sync();
    ConfigDialog again(0, nullptr);
    QCOMPARE(child<QComboBox>(again.page(0), "comboBoxLanguage")->currentData().toString(), QString("fr_FR"));
    QCOMPARE(child<QKeySequenceEdit>(again.page(0), "keySequenceEditSnap")->keySequence(), QKeySequence("F8"));
    QVERIFY(child<QCheckBox>(again.page(1), "checkBoxTryStillCapture")->isChecked());
    QVERIFY(!child<QCheckBox>(again.page(1), "checkBoxOpenLastDevice")->isChecked());
    QVERIFY(child<QCheckBox>(again.page(1), "checkBoxRestoreParam")->isChecked());
    QVERIFY(child<QRadioButton>(again.page(2), "radioButtonPopup")->isChecked());
    QCOMPARE(child<QComboBox>(again.page(2), "comboBoxFileFormat")->currentText(), QString("tif"));
    QCOMPARE(child<QComboBox>(again.page(3), "comboBoxOverlayType")->currentIndex(), 2);
    QVERIFY(child<QCheckBox>(again.page(4), "checkBoxEnable")->isChecked());
    QCOMPARE(child<QLineEdit>(again.page(4), "lineEditAddress")->text(), QString("127.0.0.1"));
    QCOMPARE(child<QSpinBox>(again.page(4), "spinBoxPort")->value(), 3128);
    QVERIFY(!child<QCheckBox>(again.page(5), "checkBoxExit")->isChecked());
    QVERIFY(child<QCheckBox>(again.page(5), "checkBoxMaximize")->isChecked());
}

QUARNEL_TEST_MAIN(TestPreferencesDialog)
#include "tst_preferencesdialog.moc"
