#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/mainwindow.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>
#include <app/startup.h>
#include <preferences/capturepage.h>
#include <preferences/configdialog.h>
#include <preferences/environmentpage.h>
#include <preferences/folderactions.h>
#include <preferences/measurementpage.h>

#include <vrx/colorpicker.h>
#include <vrx/cursorcrosshair.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>
#include <vrx/primitiveattribute.h>
#include <vrx/primitivemanager.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

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

QStringList checkedBoxes(QWidget* parent)
{
    QStringList names;
    for (QCheckBox* box : parent->findChildren<QCheckBox*>()) {
        if (box->isChecked()) {
            names << box->objectName();
        }
    }
    names.sort();
    return names;
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

class TestPreferencesDialog final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pagesInOrderAndFirstPage();
    void defaultsOnAnEmptyStore();
    void cancelWritesNothing();
    void okWithoutChangesKeepsTheValuesAndReports();
    void everyPageSurvivesARestart();
    void popupDisablesThePathButStoresIt();
    void browseAndDefault();
    void openFolderWarnsForAMissingFolder();
    void portStaysInRange();
    void unknownLanguageShowsSystemLanguage();
    void onlyChangedThemeOrLanguageIsWritten();
    void twoChordShortcutKeepsTheFirst();
    void clearedShortcutLeavesTheActionWithout();
    void crosshairStyleOutsideTheListShowsSolid();
    void toolAttributesEditedResetAndSaved();
    void appliedValuesReachTheView();

private:
    QStringList m_chooserStarts;
    QString m_chooserAnswer;
    QList<QUrl> m_opened;
};

void TestPreferencesDialog::init()
{
    QSettings().clear();
    m_chooserStarts.clear();
    m_opened.clear();
    FolderActions::setDirectoryChooser([this](QWidget*, const QString& title, const QString& start) {
        m_chooserStarts << title + "|" + start;
        return m_chooserAnswer;
    });
    FolderActions::setUrlOpener([this](const QUrl& url) {
        m_opened << url;
        return true;
    });
}

void TestPreferencesDialog::cleanup()
{
    FolderActions::setDirectoryChooser(nullptr);
    FolderActions::setUrlOpener(nullptr);
}

void TestPreferencesDialog::pagesInOrderAndFirstPage()
{
    setupIconTheme();
    ConfigDialog dialog(0, nullptr);
    auto* list = child<QListWidget>(&dialog, "pageList");
    QStringList titles;
    QStringList classes;
    for (int i = 0; i < list->count(); ++i) {
        QVERIFY2(!list->item(i)->icon().isNull(), qPrintable(list->item(i)->text()));
        titles << list->item(i)->text();
        classes << dialog.page(i)->metaObject()->className();
    }
    QCOMPARE(dialog.count(), 6);
    QCOMPARE(titles, QStringList({"Appearance", "Device", "Files", "Measurement", "Network", "Miscellaneous"}));
    QCOMPARE(classes, QStringList({"EnvironmentPage", "DevicePage", "CapturePage", "MeasurementPage", "NetworkPage",
                                   "MiscellaneousPage"}));
    QCOMPARE(dialog.currentIndex(), 0);
    // The dialog's own loading of three pages is not an edit.
    QVERIFY(!dialog.isModified());
    QVERIFY(!button(dialog, QDialogButtonBox::Apply)->isEnabled());

    ConfigDialog files(2, nullptr);
    QCOMPARE(files.currentIndex(), 2);
    QCOMPARE(child<QListWidget>(&files, "pageList")->currentItem()->text(), QString("Files"));
}

void TestPreferencesDialog::defaultsOnAnEmptyStore()
{
    ConfigDialog dialog(0, nullptr);
    QWidget* appearance = dialog.page(0);
    QCOMPARE(child<QComboBox>(appearance, "comboBoxLanguage")->count(), 12);
    QCOMPARE(child<QComboBox>(appearance, "comboBoxLanguage")->currentData().toString(), QString("default"));
    QCOMPARE(child<QComboBox>(appearance, "comboBoxThemes")->currentText(), QString("Dark Blue Style"));
    QList<QKeySequence> shortcuts;
    for (const char* name :
         {"keySequenceEditFullscreen", "keySequenceEditSnap", "keySequenceEditZoomIn", "keySequenceEditZoomOut"}) {
        shortcuts << child<QKeySequenceEdit>(appearance, name)->keySequence();
    }
    QCOMPARE(shortcuts,
             QList<QKeySequence>({Qt::Key_F11, Qt::Key_Return, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Minus}));
    QCOMPARE(checkedBoxes(dialog.page(1)), QStringList({"checkBoxOpenLastDevice"}));
    QVERIFY(child<QCheckBox>(dialog.page(1), "checkBoxUseOnepushWB")->isHidden());
    QCOMPARE(checkedBoxes(dialog.page(4)), QStringList());
    QCOMPARE(checkedBoxes(dialog.page(5)), QStringList({"checkBoxExit"}));

    QWidget* files = dialog.page(2);
    QVERIFY(child<QRadioButton>(files, "radioButtonPreDef")->isChecked());
    QVERIFY(child<QGroupBox>(files, "groupBoxPath")->isEnabled());
    QCOMPARE(child<QLineEdit>(files, "lineEditPath")->text(), defaultImageFolder());
    QVERIFY(QDir(defaultImageFolder()).exists());
    auto* formats = child<QComboBox>(files, "comboBoxFileFormat");
    QCOMPARE(formats->currentText(), QString("jpg"));
    QCOMPARE(formats->count(), 4);
    QCOMPARE(formats->itemText(3), QString("tif"));

    QWidget* measurement = dialog.page(3);
    QCOMPARE(child<QTabWidget>(measurement, "tabWidget")->count(), 4);
    QCOMPARE(child<QTabWidget>(measurement, "tabWidget")->indexOf(child<QWidget>(measurement, "tab_4")), -1);
    QCOMPARE(child<QComboBox>(measurement, "comboBoxAttr")->count(), 7);
    QCOMPARE(child<QLineEdit>(measurement, "lineEditPath")->text(), defaultReportFolder());
    QCOMPARE(child<QComboBox>(measurement, "comboBoxOverlayType")->currentIndex(), 0);
    QCOMPARE(child<vrx::ColorPicker>(measurement, "pushButtonOverlayColor")->currentColor(), QColor(Qt::red));
    QList<int> spins;
    for (const char* name : {"spinBoxOverlayCrossScale", "spinBoxOverlayCircleScale", "spinBoxOverlayGridScale",
                             "spinBoxCursorCrosshairWidth", "spinBoxDecimalPlaces"}) {
        spins << child<QSpinBox>(measurement, name)->value();
    }
    QCOMPARE(spins, QList<int>({5, 50, 50, 1, 2}));
    QVERIFY(!child<QCheckBox>(measurement, "checkBoxOverlayAntialiasing")->isChecked());
    QVERIFY(!child<QCheckBox>(measurement, "checkBoxCursorCrosshair")->isChecked());
    child<QRadioButton>(measurement, "radioButtonPopup")->setChecked(true);
    QVERIFY(!child<QGroupBox>(measurement, "groupBoxPath")->isEnabled());

    QSettings().setValue(SettingsKeys::CaptureFileFormat, "webp");
    CapturePage unknown;
    QCOMPARE(child<QComboBox>(&unknown, "comboBoxFileFormat")->currentText(), QString("bmp"));
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
    settings.setValue(SettingsKeys::OverlayType, 3);
    settings.setValue(SettingsKeys::CrosshairColor, QColor(Qt::cyan));
    // A stored shade the editor cannot show exactly must survive an apply without edits.
    settings.setValue(vrx::PrimitiveAttribute::settingsGroup(kLine) + "/labelBrush", QColor(10, 20, 30, 77));
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
    QCOMPARE(settings.value(SettingsKeys::ReportFilePath).toString(),
             QDir::fromNativeSeparators(defaultReportFolder()));
    QCOMPARE(AppSettings::instance()->crosshairColor(), QColor(Qt::cyan));
    QCOMPARE(AppSettings::instance()->crosshairStyle(), 1);
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kLine).value(vrx::PrimitiveAttribute::LabelBrush).value<QColor>(),
             QColor(10, 20, 30, 77));
    QCOMPARE(vrx::PrimitiveAttribute::attributes(kCounter), vrx::PrimitiveAttribute::builtinAttributes(kCounter));
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
    QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QString("fr_FR"));
    ConfigDialog again(0, nullptr);
    QCOMPARE(child<QComboBox>(again.page(0), "comboBoxLanguage")->currentData().toString(), QString("fr_FR"));
    QCOMPARE(child<QKeySequenceEdit>(again.page(0), "keySequenceEditSnap")->keySequence(), QKeySequence("F8"));
    QCOMPARE(checkedBoxes(again.page(1)), QStringList({"checkBoxRestoreParam", "checkBoxTryStillCapture"}));
    QVERIFY(child<QRadioButton>(again.page(2), "radioButtonPopup")->isChecked());
    QCOMPARE(child<QComboBox>(again.page(2), "comboBoxFileFormat")->currentText(), QString("tif"));
    QCOMPARE(child<QComboBox>(again.page(3), "comboBoxOverlayType")->currentIndex(), 2);
    QCOMPARE(checkedBoxes(again.page(4)), QStringList({"checkBoxEnable"}));
    QCOMPARE(child<QLineEdit>(again.page(4), "lineEditAddress")->text(), QString("127.0.0.1"));
    QCOMPARE(child<QSpinBox>(again.page(4), "spinBoxPort")->value(), 3128);
    QCOMPARE(checkedBoxes(again.page(5)), QStringList({"checkBoxMaximize"}));
}

void TestPreferencesDialog::popupDisablesThePathButStoresIt()
{
    CapturePage page;
    child<QLineEdit>(&page, "lineEditPath")->setText("/no/such/folder typed by hand");
    child<QComboBox>(&page, "comboBoxFileFormat")->setCurrentText("tif");
    child<QRadioButton>(&page, "radioButtonPopup")->setChecked(true);
    QVERIFY(!child<QRadioButton>(&page, "radioButtonPreDef")->isChecked());
    QVERIFY(!child<QGroupBox>(&page, "groupBoxPath")->isEnabled());
    QVERIFY(page.isModified());
    page.apply();

    QSettings settings;
    QCOMPARE(settings.value(SettingsKeys::CapturePopup).toBool(), true);
    QCOMPARE(settings.value(SettingsKeys::CaptureFilePath).toString(), QString("/no/such/folder typed by hand"));
    QVERIFY(imageFilePath(false, nullptr).endsWith(".tif"));
    CapturePage again;
    QVERIFY(!child<QGroupBox>(&again, "groupBoxPath")->isEnabled());
}

void TestPreferencesDialog::browseAndDefault()
{
    CapturePage page;
    auto* path = child<QLineEdit>(&page, "lineEditPath");
    path->setText("typed");

    m_chooserAnswer.clear();
    child<QPushButton>(&page, "pushButtonBrowse")->click();
    QCOMPARE(path->text(), QString("typed"));
    QCOMPARE(m_chooserStarts, QStringList({"Choose a directory|" + captureFolder()}));

    m_chooserAnswer = "/tmp/chosen/folder";
    child<QPushButton>(&page, "pushButtonBrowse")->click();
    QCOMPARE(path->text(), QDir::toNativeSeparators("/tmp/chosen/folder"));

    child<QPushButton>(&page, "pushButtonDefault")->click();
    QCOMPARE(path->text(), defaultImageFolder());
}

void TestPreferencesDialog::openFolderWarnsForAMissingFolder()
{
    testsupport::ScriptedPrompt prompt;
    CapturePage page;
    auto* path = child<QLineEdit>(&page, "lineEditPath");
    auto* open = child<QPushButton>(&page, "pushButtonOpen");

    QTemporaryDir folder;
    path->setText(folder.path());
    open->click();
    QCOMPARE(m_opened, QList<QUrl>({QUrl::fromLocalFile(folder.path())}));
    QVERIFY(prompt.messages().isEmpty());

    path->setText(folder.path() + "/missing");
    open->click();
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.messages().at(0).title, QString("Open Folder"));
    QCOMPARE(prompt.messages().at(0).text, "Failed to open " + folder.path() + "/missing");
    QCOMPARE(prompt.messages().at(0).icon, QMessageBox::Warning);

    // The desktop refusing an existing folder is reported too.
    FolderActions::setUrlOpener([](const QUrl&) { return false; });
    path->setText(folder.path());
    open->click();
    QCOMPARE(prompt.messages().size(), 2);
}

void TestPreferencesDialog::portStaysInRange()
{
    ConfigDialog dialog(4, nullptr);
    auto* port = child<QSpinBox>(dialog.page(4), "spinBoxPort");
    QCOMPARE(port->value(), 8080);
    QCOMPARE(port->minimum(), 1);
    QCOMPARE(port->maximum(), 65535);
    dialog.page(4)->show();
    port->selectAll();
    QTest::keyClicks(port, "99999");
    dialog.apply();
    QVERIFY(AppSettings::instance()->proxyPort() <= 65535);
}

void TestPreferencesDialog::unknownLanguageShowsSystemLanguage()
{
    // Unknown codes, and a known one in the wrong case, are not matched.
    for (const char* code : {"pt_BR", "EN_us"}) {
        QSettings().setValue(SettingsKeys::Language, code);
        EnvironmentPage page;
        QCOMPARE(child<QComboBox>(&page, "comboBoxLanguage")->currentText(), QString("<System Language>"));
        page.apply();
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QString("default"));
    }
    QSettings().setValue(SettingsKeys::Language, "uk_UA");
    EnvironmentPage known;
    QCOMPARE(child<QComboBox>(&known, "comboBoxLanguage")->currentIndex(), 11);
}

void TestPreferencesDialog::onlyChangedThemeOrLanguageIsWritten()
{
    EnvironmentPage page;
    page.apply();
    QVERIFY(!QSettings().contains(SettingsKeys::Language));
    QVERIFY(!QSettings().contains(SettingsKeys::Theme));

    child<QComboBox>(&page, "comboBoxThemes")->setCurrentIndex(0);
    QVERIFY(page.isModified());
    page.apply();
    QCOMPARE(QSettings().value(SettingsKeys::Theme).toString(), QString("default"));
    QVERIFY(!QSettings().contains(SettingsKeys::Language));
    // The shortcuts are always written.
    QVERIFY(QSettings().contains(SettingsKeys::ShortcutZoomOut));
}

void TestPreferencesDialog::twoChordShortcutKeepsTheFirst()
{
    EnvironmentPage page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto* editor = child<QKeySequenceEdit>(&page, "keySequenceEditZoomIn");
    QSignalSpy finished(editor, &QKeySequenceEdit::editingFinished);
    QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(finished.wait(3000));
    QCOMPARE(editor->keySequence(), QKeySequence(Qt::CTRL | Qt::Key_K));
    page.apply();
    QCOMPARE(AppSettings::instance()->zoomInShortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
}

void TestPreferencesDialog::clearedShortcutLeavesTheActionWithout()
{
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
    MainWindow window;
    auto* zoomOut = window.findChild<QAction*>("actionZoomOut");
    QCOMPARE(zoomOut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));

    ConfigDialog dialog(0, &window);
    connect(&dialog, &ConfigDialog::applied, &window, &MainWindow::preferencesApplied);
    QWidget* page = dialog.page(0);
    child<QPushButton>(page, "pushButtonClearZoomOut")->click();
    QVERIFY(child<QKeySequenceEdit>(page, "keySequenceEditZoomOut")->keySequence().isEmpty());
    child<QKeySequenceEdit>(page, "keySequenceEditFullscreen")->setKeySequence(QKeySequence(Qt::Key_F10));
    dialog.apply();

    QVERIFY(zoomOut->shortcut().isEmpty());
    QCOMPARE(window.findChild<QAction*>("actionFullscreen")->shortcut(), QKeySequence(Qt::Key_F10));
    QCOMPARE(window.graphicsView()->fullScreenShortcut(), QKeySequence(Qt::Key_F10));
    // And the next start still has none.
    QVERIFY(AppSettings::instance()->zoomOutShortcut().isEmpty());
}

void TestPreferencesDialog::crosshairStyleOutsideTheListShowsSolid()
{
    for (int stored : {0, 6, -1}) {
        QSettings().setValue(SettingsKeys::CrosshairStyle, stored);
        MeasurementPage page;
        QCOMPARE(child<QComboBox>(&page, "comboBoxCursorCrosshairStyle")->currentText(), QString("Solid Line"));
    }
    QSettings().setValue(SettingsKeys::CrosshairStyle, 4);
    MeasurementPage page;
    QCOMPARE(child<QComboBox>(&page, "comboBoxCursorCrosshairStyle")->currentText(), QString("Dash Dot Line"));
}

void TestPreferencesDialog::toolAttributesEditedResetAndSaved()
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

void TestPreferencesDialog::appliedValuesReachTheView()
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
    const QList<QPair<const char*, int>> spins = {{"spinBoxOverlayCrossScale", 12},
                                                  {"spinBoxOverlayCircleScale", 30},
                                                  {"spinBoxOverlayGridScale", 40},
                                                  {"spinBoxCursorCrosshairWidth", 3},
                                                  {"spinBoxDecimalPlaces", 0}};
    for (const auto& spin : spins) {
        child<QSpinBox>(page, spin.first)->setValue(spin.second);
    }
    child<vrx::ColorPicker>(page, "pushButtonCursorCrosshairColor")->setStandardColors({});
    child<vrx::ColorPicker>(page, "pushButtonCursorCrosshairColor")->click();
    child<QCheckBox>(page, "checkBoxCursorCrosshair")->setChecked(true);
    child<QComboBox>(page, "comboBoxCursorCrosshairStyle")->setCurrentIndex(2);
    dialog.apply();
    vrx::ColorPicker::setColorDialog(nullptr);

    vrx::GraphicsScene* scene = view->scene();
    const QPen pen = view->cursorCrosshair()->pen();
    QVERIFY(scene->overlayAntialiasing());
    QVERIFY(view->cursorCrosshair()->isShown());
    QCOMPARE(scene->overlayColor(), QColor(Qt::red));
    QCOMPARE(pen.color(), QColor(Qt::yellow));
    QCOMPARE(pen.style(), Qt::DotLine);
    QCOMPARE(QList<int>({scene->overlayType(), scene->overlayCrossScale(), scene->overlayCircleScale(),
                         scene->overlayGridScale(), pen.width(), view->primitiveManager()->decimalPlaces()}),
             QList<int>({1, 12, 30, 40, 3, 0}));
}

QUARNEL_TEST_MAIN(TestPreferencesDialog)
#include "tst_preferencesdialog.moc"
