#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>
#include <preferences/capturepage.h>
#include <preferences/configdialog.h>
#include <preferences/folderactions.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QUrl>

namespace {

template <typename T> T* child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}

} // namespace

class TestSettingsPages final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filesPageDefaults();
    void popupDisablesThePathButStoresIt();
    void browseAndDefault();
    void openFolderWarnsForAMissingFolder();
    void portStaysInRange();
    void devicePageDefaultsAndOnePushBox();

private:
    QStringList m_chooserStarts;
    QString m_chooserAnswer;
    QList<QUrl> m_opened;
};

void TestSettingsPages::init()
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

void TestSettingsPages::cleanup()
{
    FolderActions::setDirectoryChooser(nullptr);
    FolderActions::setUrlOpener(nullptr);
}

void TestSettingsPages::filesPageDefaults()
{
    CapturePage page;
    QVERIFY(child<QRadioButton>(&page, "radioButtonPreDef")->isChecked());
    QVERIFY(child<QGroupBox>(&page, "groupBoxPath")->isEnabled());
    QCOMPARE(child<QLineEdit>(&page, "lineEditPath")->text(), defaultImageFolder());
    QVERIFY(QDir(defaultImageFolder()).exists());
    auto* formats = child<QComboBox>(&page, "comboBoxFileFormat");
    QCOMPARE(formats->count(), 4);
    QCOMPARE(formats->itemText(3), QString("tif"));
    QCOMPARE(formats->currentText(), QString("jpg"));

    QSettings().setValue(SettingsKeys::CaptureFileFormat, "webp");
    CapturePage unknown;
    QCOMPARE(child<QComboBox>(&unknown, "comboBoxFileFormat")->currentText(), QString("bmp"));
}

void TestSettingsPages::popupDisablesThePathButStoresIt()
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
    QCOMPARE(settings.value(SettingsKeys::CaptureFileFormat).toString(), QString("tif"));
    QVERIFY(imageFilePath(false, nullptr).endsWith(".tif"));

    CapturePage again;
    QVERIFY(child<QRadioButton>(&again, "radioButtonPopup")->isChecked());
    QVERIFY(!child<QGroupBox>(&again, "groupBoxPath")->isEnabled());
}

void TestSettingsPages::browseAndDefault()
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

void TestSettingsPages::openFolderWarnsForAMissingFolder()
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

void TestSettingsPages::portStaysInRange()
{
    ConfigDialog dialog(4, nullptr);
    QWidget* network = dialog.page(4);
    auto* port = child<QSpinBox>(network, "spinBoxPort");
    QCOMPARE(port->value(), 8080);
    QCOMPARE(port->minimum(), 1);
    QCOMPARE(port->maximum(), 65535);
    port->setValue(0);
    QCOMPARE(port->value(), 1);
    port->setValue(70000);
    QCOMPARE(port->value(), 65535);
    network->show();
    port->selectAll();
    QTest::keyClicks(port, "99999");
    QVERIFY(port->value() <= 65535);
    dialog.apply();
    QVERIFY(AppSettings::instance()->proxyPort() <= 65535);
    QVERIFY(QSettings().contains(SettingsKeys::ProxyEnable));
    QVERIFY(QSettings().contains(SettingsKeys::ProxyAddress));
}

void TestSettingsPages::devicePageDefaultsAndOnePushBox()
{
    ConfigDialog dialog(1, nullptr);
    QWidget* device = dialog.page(1);
    QVERIFY(!child<QCheckBox>(device, "checkBoxTryStillCapture")->isChecked());
    QVERIFY(child<QCheckBox>(device, "checkBoxOpenLastDevice")->isChecked());
    QVERIFY(!child<QCheckBox>(device, "checkBoxRestoreParam")->isChecked());
    QVERIFY(child<QCheckBox>(device, "checkBoxUseOnepushWB")->isHidden());
    QWidget* miscellaneous = dialog.page(5);
    QVERIFY(child<QCheckBox>(miscellaneous, "checkBoxExit")->isChecked());
    QVERIFY(!child<QCheckBox>(miscellaneous, "checkBoxMaximize")->isChecked());
    QVERIFY(!child<QCheckBox>(dialog.page(4), "checkBoxEnable")->isChecked());
}

QUARNEL_TEST_MAIN(TestSettingsPages)
#include "tst_settingspages.moc"
