#include "fakeuploadtool.h"
#include "testmain.h"

#include <app/clock.h>
#include <roi/googlelens.h>
#include <roi/imagesearchconfig.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QUrlQuery>

namespace {

QStringList g_log;
QtMessageHandler g_previousHandler = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    g_log << message;
    g_previousHandler(type, context, message);
}

QString log()
{
    return g_log.join(QLatin1Char('\n'));
}

QImage testPicture()
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 4, y * 5, 128));
        }
    }
    return image;
}

struct Spies
{
    explicit Spies(GoogleLens* lens)
        : started(lens, &GoogleLens::started), finished(lens, &GoogleLens::finished),
          errors(lens, &GoogleLens::errorOccur)
    {}
    QString error() const { return errors.isEmpty() ? QString() : errors.first().first().toString(); }

    QSignalSpy started;
    QSignalSpy finished;
    QSignalSpy errors;
};

} // namespace

class TestGoogleLens final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { g_log.clear(); }
    void cleanup();
    void uploadsAndOpensTheSearchPage();
    void refusesWithoutConfiguration_data();
    void refusesWithoutConfiguration();
    void toolThatDoesNotStart_data();
    void toolThatDoesNotStart();
    void abnormalExit_data();
    void abnormalExit();
    void secondSearchWhileOneRuns();
    void destroyedDuringUpload();
    void shippedExampleHasEveryKey();

private:
    QTemporaryDir m_temp;
};

void TestGoogleLens::initTestCase()
{
    // Temporary pictures go to a folder of this test, so leftovers are ours to see.
    qputenv("TMPDIR", m_temp.path().toLocal8Bit());
    QCOMPARE(QDir::tempPath(), m_temp.path());
    g_previousHandler = qInstallMessageHandler(recordMessage);
}

void TestGoogleLens::cleanup()
{
    Clock::setFixedTime(std::nullopt);
    // Whatever happened, the credentials never reach the log, and no picture is left over.
    QVERIFY2(!log().contains(QLatin1String(FakeUploadTool::SecretKey)), qPrintable(log()));
    QVERIFY2(!log().contains(QLatin1String(FakeUploadTool::SecretId)), qPrintable(log()));
    QCOMPARE(QDir(m_temp.path()).entryList({QStringLiteral("pic_*.png")}, QDir::Files), QStringList());
}

void TestGoogleLens::uploadsAndOpensTheSearchPage()
{
    FakeUploadTool tool;
    tool.writeConfig();
    // The tool keeps a copy of its file, talks on both channels (repeating the secrets, as a
    // careless tool might) and ends with a code of its own.
    tool.writeTool("cp \"$2\" uploaded.png\n"
                   "echo \"uploading $2 with ${10}\"\n"
                   "echo \"note: id $8\" >&2\n"
                   "exit 3\n");
    const QDateTime moment(QDate(2025, 3, 4), QTime(5, 6, 7, 89));
    Clock::setFixedTime(moment);
    const QString key = QStringLiteral("202503/04/%1.png").arg(moment.toMSecsSinceEpoch());

    GoogleLens lens;
    Spies spies(&lens);
    lens.search(testPicture());
    QCOMPARE(spies.started.count(), 1);
    QVERIFY(spies.finished.wait(10000));
    QVERIFY2(spies.errors.isEmpty(), qPrintable(spies.error()));
    QVERIFY(!lens.isRunning());

    const QStringList args = tool.arguments();
    const QString uploaded = args.value(1);
    QVERIFY2(QFileInfo(uploaded).fileName().startsWith(QLatin1String("pic_")) && uploaded.endsWith(".png"),
             qPrintable(uploaded));
    QCOMPARE(QFileInfo(uploaded).absolutePath(), m_temp.path());
    QCOMPARE(args,
             QStringLiteral("cp|%1|cos://test-bucket-1250000000/%2|--init-skip=true|--endpoint|"
                            "cos.test-region.example.invalid|--secret-id|%3|--secret-key|%4|--protocol|http|"
                            "--disable-log")
                 .arg(uploaded, key, QLatin1String(FakeUploadTool::SecretId), QLatin1String(FakeUploadTool::SecretKey))
                 .split(QLatin1Char('|')));
    QCOMPARE(QFileInfo(tool.workingDirectory()).canonicalFilePath(), QFileInfo(tool.path()).canonicalFilePath());

    // While the tool ran the file was a complete PNG of the picture; now it is gone.
    QCOMPARE(QImage(tool.path() + QStringLiteral("/uploaded.png"), "PNG").convertToFormat(QImage::Format_RGB32),
             testPicture());
    QVERIFY(!QFile::exists(uploaded));

    // A non-zero exit is the tool's own business: the page opens all the same, for exactly
    // the object uploaded, with "/" and ":" encoded inside the query value.
    QCOMPARE(tool.opened().size(), 1);
    const QUrl page = tool.opened().first();
    QCOMPARE(page.toEncoded(),
             "https://search.example.invalid/uploadbyurl?url=http%3A%2F%2Fpictures.example.invalid%2F" +
                 QUrl::toPercentEncoding(key));
    QCOMPARE(QUrlQuery(page).queryItemValue(QStringLiteral("url"), QUrl::FullyDecoded),
             QStringLiteral("http://pictures.example.invalid/") + key);

    QVERIFY(log().contains(QLatin1String("uploading ") + uploaded + QLatin1String(" with ********")));
    QVERIFY(log().contains(QLatin1String("[Error] note: id ********")));
    QVERIFY(log().contains(QString(40, QLatin1Char('-')) + QLatin1String("\nExecution completed. Exit code: 3")));
}

void TestGoogleLens::refusesWithoutConfiguration_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("named");
    const QByteArray complete = FakeUploadTool::completeConfig();
    QTest::newRow("no file") << QByteArray() << QStringLiteral("imagesearch.ini is missing");
    QTest::newRow("no secret key") << QByteArray(complete).replace(FakeUploadTool::SecretKey, "")
                                   << QStringLiteral("upload/secret_key");
    QTest::newRow("URL for a host") << QByteArray(complete).replace("=pictures.", "=http://pictures.")
                                    << QStringLiteral("search/picture_host");
}

void TestGoogleLens::refusesWithoutConfiguration()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, named);
    FakeUploadTool tool;
    if (!config.isNull()) {
        tool.writeConfig(config);
    }
    tool.writeTool();
    GoogleLens lens;
    Spies spies(&lens);
    lens.search(testPicture());
    QVERIFY2(spies.error().startsWith(QLatin1String("Image search is not configured\n")), qPrintable(spies.error()));
    QVERIFY2(spies.error().contains(named), qPrintable(spies.error()));
    // Nothing was started, so nothing is finished either.
    QCOMPARE(spies.started.count() + spies.finished.count(), 0);
    QTest::qWait(100);
    QVERIFY(tool.arguments().isEmpty());
}

void TestGoogleLens::toolThatDoesNotStart_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << false;
    QTest::newRow("not executable") << true;
}

void TestGoogleLens::toolThatDoesNotStart()
{
    QFETCH(bool, present);
    FakeUploadTool tool;
    tool.writeConfig();
    if (present) {
        tool.writeTool();
        QFile::setPermissions(GoogleLens::toolPath(), QFile::ReadOwner | QFile::WriteOwner);
    }
    GoogleLens lens;
    Spies spies(&lens);
    lens.search(testPicture());
    QCOMPARE(spies.started.count(), 1);
    QCOMPARE(spies.error(), QStringLiteral("Failed to start process"));
    QCOMPARE(spies.finished.count(), 1);
    QVERIFY(!lens.isRunning());
    QVERIFY(tool.opened().isEmpty());
}

void TestGoogleLens::abnormalExit_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("crash") << QByteArray("kill -SEGV $$\n");
    QTest::newRow("hangs past the time limit") << QByteArray("exec sleep 30\n");
}

void TestGoogleLens::abnormalExit()
{
    QFETCH(QByteArray, body);
    FakeUploadTool tool;
    tool.writeConfig();
    tool.writeTool(body);
    GoogleLens::setRunTimeLimit(300);
    GoogleLens lens;
    Spies spies(&lens);
    lens.search(testPicture());
    QVERIFY(spies.finished.wait(10000));
    QVERIFY2(spies.error().startsWith(QLatin1String("The process exits abnormally.. Exit code: ")),
             qPrintable(spies.error()));
    QVERIFY(tool.opened().isEmpty());
}

void TestGoogleLens::secondSearchWhileOneRuns()
{
    FakeUploadTool tool;
    tool.writeConfig();
    tool.writeTool("sleep 1\n");
    GoogleLens lens;
    Spies spies(&lens);
    lens.search(testPicture());
    lens.search(testPicture());
    QCOMPARE(spies.started.count(), 1);
    QVERIFY(spies.error().contains(QLatin1String("already running")));
    QVERIFY(spies.finished.wait(10000));
    QCOMPARE(spies.errors.count(), 1);
    // The first upload is untouched by the refused one: the page asks for its object.
    QCOMPARE(tool.opened().size(), 1);
    QVERIFY(tool.opened().first().toEncoded().endsWith(
        QUrl::toPercentEncoding(tool.arguments().value(2).section(QLatin1Char('/'), 3))));
}

void TestGoogleLens::destroyedDuringUpload()
{
    FakeUploadTool tool;
    tool.writeConfig();
    tool.writeTool("exec sleep 30\n");
    QElapsedTimer clock;
    clock.start();
    {
        GoogleLens lens;
        lens.search(testPicture());
        QTRY_VERIFY_WITH_TIMEOUT(!tool.arguments().isEmpty(), 5000);
    }
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(tool.opened().isEmpty());
}

void TestGoogleLens::shippedExampleHasEveryKey()
{
    QString problem;
    const auto config = ImageSearchConfig::read(QFINDTESTDATA("../../tools/imagesearch.ini.example"), &problem);
    QVERIFY2(config.isComplete(), qPrintable(problem));
}

QUARNEL_TEST_MAIN(TestGoogleLens)
#include "tst_googlelens.moc"
