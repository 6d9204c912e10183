#include "testmain.h"

#include <app/startup.h>

#include <tesk/camerafactory.h>
#include <tesk/uvcfilter.h>

#include <QIcon>
#include <QStandardPaths>
#include <QStyle>

class TestStartup final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void logPathFollowsExecutableName_data();
    void logPathFollowsExecutableName();
    void themeSelection_data();
    void themeSelection();
    void iconThemeAndFallback();
    void usbFilterAcceptsAll();
    void displayDetection();
};

void TestStartup::initTestCase()
{
    initResources();
}

void TestStartup::logPathFollowsExecutableName_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("installed") << "/usr/bin/quarnel-link"
                               << "quarnel-link.log";
    QTest::newRow("with suffixes") << "C:/Program Files/Quarnel/QuarnelLink.exe"
                                   << "QuarnelLink.log";
}

void TestStartup::logPathFollowsExecutableName()
{
    QFETCH(QString, executable);
    QFETCH(QString, fileName);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(logFilePath(executable), documents + "/Quarnel Link Files/log/" + fileName);
}

void TestStartup::themeSelection_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<bool>("installed");
    QTest::newRow("darkblue") << "darkblue" << true;
    QTest::newRow("mixed case") << "DarkBlue" << true;
    QTest::newRow("unknown") << "dark blue" << false;
}

void TestStartup::themeSelection()
{
    QFETCH(QString, theme);
    QFETCH(bool, installed);
    qApp->setStyleSheet(QString());
    const QString before = qApp->style()->objectName();
    QCOMPARE(applyTheme(*qApp, theme), installed);
    if (installed) {
        QVERIFY(!qApp->styleSheet().isEmpty());
        const QColor window = qApp->palette().color(QPalette::Window);
        QVERIFY2(window.lightness() < 100, qPrintable(window.name())); // a dark palette
    } else {
        QCOMPARE(qApp->style()->objectName(), before);
        QVERIFY(qApp->styleSheet().isEmpty());
    }
}

void TestStartup::iconThemeAndFallback()
{
    const QStringList before = QIcon::fallbackSearchPaths();
    setupIconTheme();
    QCOMPARE(QIcon::themeName(), QString("light-blue"));
    const QStringList after = QIcon::fallbackSearchPaths();
    QCOMPARE(after.size(), before.size() + 1);
    QCOMPARE(after.last(), QString(":res/icons/custom-icons"));
    QVERIFY(!QIcon::fromTheme("snap").isNull());
}

void TestStartup::usbFilterAcceptsAll()
{
    installUsbFilter();
    const auto& items = tesk::UVCFilter::global().items();
    QCOMPARE(items.size(), size_t(1));
    QCOMPARE(items.front().id, 0);
    QVERIFY(items.front().text.empty());

    qputenv("TESK_CAMEMU", "2");
    QCOMPARE(tesk::CameraFactory::deviceList().size(), size_t(2));
    qunsetenv("TESK_CAMEMU");
}

void TestStartup::displayDetection()
{
    char name[] = "quarnel-link";
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* withPlatform[] = {name, platform, offscreen};
    char* plain[] = {name};
    QVERIFY(haveDisplay(3, withPlatform));

    const QByteArray qpa = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    QVERIFY(!haveDisplay(1, plain));
    qputenv("DISPLAY", ":7");
    QVERIFY(haveDisplay(1, plain));
    qputenv("QT_QPA_PLATFORM", qpa);
    display.isNull() ? qunsetenv("DISPLAY") : qputenv("DISPLAY", display);
    if (!wayland.isNull()) {
        qputenv("WAYLAND_DISPLAY", wayland);
    }
}

QUARNEL_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
