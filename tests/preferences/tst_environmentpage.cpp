#include "testmain.h"

#include <app/appsettings.h>
#include <app/mainwindow.h>
#include <app/settingskeys.h>
#include <preferences/configdialog.h>
#include <preferences/environmentpage.h>

#include <vrx/graphicsview.h>

#include <QAction>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QPushButton>
#include <QSettings>

namespace {

QComboBox* combo(EnvironmentPage& page, const char* name)
{
    return page.findChild<QComboBox*>(QLatin1String(name));
}

QKeySequenceEdit* keys(QWidget* page, const char* name)
{
    return page->findChild<QKeySequenceEdit*>(QLatin1String(name));
}

} // namespace

class TestEnvironmentPage final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void listsAndStoredChoices();
    void unknownLanguageShowsSystemLanguage();
    void onlyChangedThemeOrLanguageIsWritten();
    void twoChordShortcutKeepsTheFirst();
    void clearedShortcutLeavesTheActionWithout();
};

void TestEnvironmentPage::init()
{
    QSettings().clear();
}

void TestEnvironmentPage::listsAndStoredChoices()
{
    EnvironmentPage page;
    QComboBox* languages = combo(page, "comboBoxLanguage");
    QComboBox* themes = combo(page, "comboBoxThemes");
    QCOMPARE(languages->count(), 12);
    QCOMPARE(languages->itemText(0), QString("<System Language>"));
    QCOMPARE(languages->itemData(11).toString(), QString("uk_UA"));
    QCOMPARE(themes->itemText(0), QString("<System Default>"));
    QCOMPARE(themes->itemData(0).toString(), QString("default"));
    // Empty store: the defaults.
    QCOMPARE(languages->currentData().toString(), QString("default"));
    QCOMPARE(themes->currentText(), QString("Dark Blue Style"));
    QCOMPARE(keys(&page, "keySequenceEditFullscreen")->keySequence(), QKeySequence(Qt::Key_F11));
    QCOMPARE(keys(&page, "keySequenceEditSnap")->keySequence(), QKeySequence(Qt::Key_Return));
    QCOMPARE(keys(&page, "keySequenceEditZoomIn")->keySequence(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QCOMPARE(keys(&page, "keySequenceEditZoomOut")->keySequence(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QVERIFY(!page.isModified());

    QSettings().setValue(SettingsKeys::Language, "ko_KR");
    QSettings().setValue(SettingsKeys::Theme, "default");
    EnvironmentPage stored;
    QCOMPARE(combo(stored, "comboBoxLanguage")->currentText(), QString("Korean"));
    QCOMPARE(combo(stored, "comboBoxThemes")->currentIndex(), 0);
}

void TestEnvironmentPage::unknownLanguageShowsSystemLanguage()
{
    // Unknown codes, and a known one in the wrong case, are not matched.
    for (const char* code : {"pt_BR", "EN_us"}) {
        QSettings().setValue(SettingsKeys::Language, code);
        EnvironmentPage page;
        QCOMPARE(combo(page, "comboBoxLanguage")->currentText(), QString("<System Language>"));
        page.apply();
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QString("default"));
    }
}

void TestEnvironmentPage::onlyChangedThemeOrLanguageIsWritten()
{
    EnvironmentPage page;
    page.apply();
    QVERIFY(!QSettings().contains(SettingsKeys::Language));
    QVERIFY(!QSettings().contains(SettingsKeys::Theme));

    combo(page, "comboBoxThemes")->setCurrentIndex(0);
    QVERIFY(page.isModified());
    page.apply();
    QCOMPARE(QSettings().value(SettingsKeys::Theme).toString(), QString("default"));
    QVERIFY(!QSettings().contains(SettingsKeys::Language));
    // The shortcuts are always written.
    QVERIFY(QSettings().contains(SettingsKeys::ShortcutZoomOut));
}

void TestEnvironmentPage::twoChordShortcutKeepsTheFirst()
{
    EnvironmentPage page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QKeySequenceEdit* editor = keys(&page, "keySequenceEditZoomIn");
    QSignalSpy finished(editor, &QKeySequenceEdit::editingFinished);
    QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(finished.wait(3000));
    QCOMPARE(editor->keySequence(), QKeySequence(Qt::CTRL | Qt::Key_K));
    page.apply();
    QCOMPARE(AppSettings::instance()->zoomInShortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
}

void TestEnvironmentPage::clearedShortcutLeavesTheActionWithout()
{
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
    MainWindow window;
    auto* zoomOut = window.findChild<QAction*>("actionZoomOut");
    auto* fullscreen = window.findChild<QAction*>("actionFullscreen");
    QCOMPARE(zoomOut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));

    ConfigDialog dialog(0, &window);
    connect(&dialog, &ConfigDialog::applied, &window, &MainWindow::preferencesApplied);
    QWidget* page = dialog.page(0);
    page->findChild<QPushButton*>("pushButtonClearZoomOut")->click();
    QVERIFY(keys(page, "keySequenceEditZoomOut")->keySequence().isEmpty());
    keys(page, "keySequenceEditFullscreen")->setKeySequence(QKeySequence(Qt::Key_F10));
    dialog.apply();

    QVERIFY(zoomOut->shortcut().isEmpty());
    QCOMPARE(fullscreen->shortcut(), QKeySequence(Qt::Key_F10));
    QCOMPARE(window.graphicsView()->fullScreenShortcut(), QKeySequence(Qt::Key_F10));
    QCOMPARE(window.findChild<QAction*>("actionSnap")->shortcut(), QKeySequence(Qt::Key_Return));
    // And the next start still has none.
    QVERIFY(AppSettings::instance()->zoomOutShortcut().isEmpty());
}

QUARNEL_TEST_MAIN(TestEnvironmentPage)
#include "tst_environmentpage.moc"
