#include "testmain.h"

#include <vrx/log.h>

#include <QDir>
#include <QFile>
#include <QThread>

#include <thread>

class TestLog final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { vrx::Log::instance()->shutdown(); }
    void messagesReachFileAboveLevel();
    void rotationKeepsFileCount();
    void concurrentWriters();
    void unopenableFileIsNotFatal();

private:
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

void TestLog::messagesReachFileAboveLevel()
{
    const QString path = QDir::homePath() + "/level.log";
    QVERIFY(vrx::Log::instance()->addFileOut(path, 3145728, 15));
    vrx::Log::instance()->setLevel(2);
    qDebug() << "hidden debug line";
    qInfo() << "visible info line";
    qWarning() << "visible warning line";
    qCritical() << "visible critical line";
    const QByteArray content = read(path);
    QVERIFY(!content.contains("hidden debug line"));
    QVERIFY(content.contains("[info]"));
    for (const char* line : {"visible info line", "visible warning line", "visible critical line"}) {
        QVERIFY2(content.contains(line), line);
    }

    vrx::Log::instance()->setLevel(1);
    qDebug() << "now debug shows";
    QVERIFY(read(path).contains("now debug shows"));
}

void TestLog::rotationKeepsFileCount()
{
    const QString dir = QDir::homePath() + "/rotate";
    QDir().mkpath(dir);
    QVERIFY(vrx::Log::instance()->addFileOut(dir + "/r.log", 2048, 3));
    vrx::Log::instance()->setLevel(2);
    const QString line(200, QLatin1Char('x'));
    for (int i = 0; i < 200; ++i) {
        qInfo().noquote() << i << line;
    }
    vrx::Log::instance()->flush();
    const QStringList files = QDir(dir).entryList(QDir::Files);
    QCOMPARE(files.size(), 3); // the current file and two older ones
    for (const QString& name : files) {
        QVERIFY2(QFileInfo(dir + "/" + name).size() <= 2048, qPrintable(name));
    }
    QVERIFY(read(dir + "/r.log").contains("199 "));
}

void TestLog::concurrentWriters()
{
    const QString path = QDir::homePath() + "/threads.log";
    QVERIFY(vrx::Log::instance()->addFileOut(path, 3145728, 15));
    vrx::Log::instance()->setLevel(2);
    auto writer = [](int id) {
        for (int i = 0; i < 500; ++i) {
            qInfo("writer %d line %d", id, i);
        }
    };
    std::thread a(writer, 1);
    std::thread b(writer, 2);
    a.join();
    b.join();
    vrx::Log::instance()->flush();
    const QByteArray content = read(path);
    QCOMPARE(content.count('\n'), 1000); // no line lost or torn
    QVERIFY(content.contains("writer 1 line 499") && content.contains("writer 2 line 499"));
}

void TestLog::unopenableFileIsNotFatal()
{
    // A plain file where the folder should be: the log cannot be created.
    QFile blocker(QDir::homePath() + "/blocked");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!vrx::Log::instance()->addFileOut(QDir::homePath() + "/blocked/x.log", 3145728, 15));
    qInfo() << "still fine";
}

QUARNEL_TEST_MAIN(TestLog)
#include "tst_log.moc"
