// Runs the real program offscreen with a private home and checks what it leaves behind.

#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

#include <csignal>

class TestStartupSmoke final : public QObject
{
    Q_OBJECT

private slots:
    void startsAndClosesCleanly();
    void survivesBrokenSettingsAndLogFolder();

private:
    QString home() const { return QDir::homePath(); }
    QString logFile(const QString& baseName) const
    {
        return home() + "/Documents/Quarnel Link Files/log/" + baseName + ".log";
    }
    QString settingsFile() const { return home() + "/.config/Quarnel/Quarnel Link.conf"; }
    bool runUntil(QProcess& process, const std::function<bool()>& ready);
};

bool TestStartupSmoke::runUntil(QProcess& process, const std::function<bool()>& ready)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TESK_CAMEMU", "1");
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted(10000)) {
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (!ready() && waited.elapsed() < 20000 && process.state() == QProcess::Running) {
        QTest::qWait(100);
    }
    // Give the window a moment on screen, then end the session the way a logout does.
    QTest::qWait(300);
    ::kill(pid_t(process.processId()), SIGTERM);
    return process.waitForFinished(15000) && ready();
}

void TestStartupSmoke::startsAndClosesCleanly()
{
    QVERIFY(!QFile::exists(settingsFile()));
    QProcess process;
    process.setProgram(QUARNEL_BINARY);
    const QString log = logFile("quarnel-link");
    QVERIFY(runUntil(process, [&]() { return QFile::exists(log); }));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Start log, level="));
    QVERIFY2(QFile::exists(settingsFile()), qPrintable(settingsFile()));
    QSettings stored(settingsFile(), QSettings::NativeFormat);
    QVERIFY(!stored.value("gui/mainWindow/geometry").toByteArray().isEmpty());

    // A copy of the program under another name logs under that name, in the same folder.
    const QString renamed = home() + "/inspect-station";
    QVERIFY(QFile::copy(QUARNEL_BINARY, renamed));
    QProcess copy;
    copy.setProgram(renamed);
    const QString renamedLog = logFile("inspect-station");
    QVERIFY(runUntil(copy, [&]() { return QFile::exists(renamedLog); }));
    QCOMPARE(copy.exitCode(), 0);
}

void TestStartupSmoke::survivesBrokenSettingsAndLogFolder()
{
    // A settings file of garbage, and a plain file where the log folder should be.
    QDir().mkpath(home() + "/.config/Quarnel");
    QFile settings(settingsFile());
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("\x01\x02[[[not=an ini\n=\n[gui\ntheme=\xff\xfe\n");
    settings.close();
    QDir(home() + "/Documents/Quarnel Link Files").removeRecursively();
    QDir().mkpath(home() + "/Documents/Quarnel Link Files");
    QFile blocker(home() + "/Documents/Quarnel Link Files/log");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QProcess process;
    process.setProgram(QUARNEL_BINARY);
    QElapsedTimer running;
    running.start();
    QVERIFY(runUntil(process, [&]() { return running.elapsed() > 2500; }));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    // The window still saved its geometry on the way out.
    QVERIFY(QFile(settingsFile()).open(QIODevice::ReadOnly));
    QFile written(settingsFile());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("geometry"));
}

QUARNEL_TEST_MAIN(TestStartupSmoke)
#include "tst_startupsmoke.moc"
