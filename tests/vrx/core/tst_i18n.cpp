#include "testmain.h"

#include <vrx/i18n.h>

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QSettings>
#include <QTranslator>

class TestI18n final : public QObject
{
    Q_OBJECT

private slots:
    void languageChoice();
    void appCatalogueIsLoadedAndInstalled();
    void qtCatalogueFromQtFolder();
    void missingCatalogue();
};

void TestI18n::languageChoice()
{
    QCOMPARE(vrx::I18n::localeFor(""), QLocale::system());
    QCOMPARE(vrx::I18n::localeFor("de_DE").language(), QLocale::German);
    QSettings().setValue("i18n/language", "fr_FR");
    QCOMPARE(vrx::I18n().locale().language(), QLocale::French);
    QSettings().setValue("i18n/language", "default");
    QCOMPARE(vrx::I18n().locale(), QLocale::system());
}

void TestI18n::appCatalogueIsLoadedAndInstalled()
{
    const QString dir = QDir::homePath() + "/i18n";
    QDir().mkpath(dir);
    QFile ts(dir + "/demo_de.ts");
    QVERIFY(ts.open(QIODevice::WriteOnly));
    ts.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"de\">\n"
             "<context><name>Demo</name><message><source>Hello</source><translation>Hallo</translation>"
             "</message></context></TS>\n");
    ts.close();
    QCOMPARE(QProcess::execute(LRELEASE, {"-silent", dir + "/demo_de.ts", "-qm", dir + "/demo_de.qm"}), 0);

    QSettings().setValue("i18n/language", "de_DE"); // falls back to the "de" catalogue
    vrx::I18n i18n("demo");
    QTranslator translator;
    QVERIFY(i18n.translateApp(&translator, dir));
    QCOMPARE(QCoreApplication::translate("Demo", "Hello"), QString("Hallo"));
    QCoreApplication::removeTranslator(&translator);
}

void TestI18n::qtCatalogueFromQtFolder()
{
    const QString qtFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(qtFolder + "/qtbase_de.qm")) {
        QSKIP("Qt's German catalogue is not installed");
    }
    QSettings().setValue("i18n/language", "de");
    vrx::I18n i18n;
    QTranslator translator;
    QVERIFY(i18n.translate(&translator, "qtbase_", "translations")); // not beside the test: Qt's folder
    QVERIFY(translator.filePath().startsWith(qtFolder));
    QCoreApplication::removeTranslator(&translator);
}

void TestI18n::missingCatalogue()
{
    QSettings().setValue("i18n/language", "ko_KR");
    vrx::I18n i18n;
    QTranslator translator;
    QVERIFY(!i18n.translate(&translator, "vrx-canvas_", "translations"));
    QVERIFY(!i18n.translateApp(&translator, ":/nowhere"));
    QVERIFY(translator.isEmpty());
    QVERIFY(!i18n.translate(nullptr, "tesk-qtui_", "translations"));
}

QUARNEL_TEST_MAIN(TestI18n)
#include "tst_i18n.moc"
