#include "fakeuploadtool.h"
#include "imagefile.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/clock.h>
#include <app/savelocations.h>
#include <roi/googlelens.h>
#include <roi/imagesearchconfig.h>
#include <roi/regiongrab.h>
#include <roi/regiongrabmenu.h>
#include <roi/roiimagedialog.h>

#include <vrx/graphicsview.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
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

using testsupport::identify;

QImage region(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 60, 20));
    return image;
}

struct ShownDialog
{
    ShownDialog(const QImage& image, const QSize& size) : dialog(image, nullptr)
    {
        dialog.resize(size);
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) {
            qWarning("the region dialog was not exposed");
        }
        QCoreApplication::processEvents();
    }
    QLabel* label() const { return dialog.findChild<QLabel*>(QStringLiteral("labelImage")); }
    QToolButton* button(const char* name) const { return dialog.findChild<QToolButton*>(QLatin1String(name)); }
    QSize shown() const { return label()->pixmap(Qt::ReturnByValue).size(); }

    RoiImageDialog dialog;
};

/// Once the dialog is up, clicks the named buttons of it in turn, or closes it.
void whenDialogShows(const QStringList& buttons)
{
    QTimer::singleShot(50, qApp, [buttons] {
        auto* dialog = qobject_cast<RoiImageDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("no region dialog is shown");
            return;
        }
        for (const QString& name : buttons) {
            dialog->findChild<QToolButton*>(name)->click();
        }
        if (dialog->isVisible()) {
            dialog->close();
        }
    });
}

} // namespace

class TestRoi final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { g_log.clear(); }
    void cleanup();
    void uploadsAndOpensTheSearchPage();
    void refusesWithoutConfiguration_data();
    void refusesWithoutConfiguration();
    void toolFails_data();
    void toolFails();
    void secondSearchWhileOneRuns();
    void destroyedDuringUpload();
    void shippedExampleHasEveryKey();
    void fitsWithoutDistortion_data();
    void fitsWithoutDistortion();
    void saveWritesTheShownSizeOrReportsCancel();
    void searchDisablesButtonsWhileItRuns();
    void onlyRedragReturnsToRegionGrab();
    void contextMenuLeadsIntoRegionGrab();

private:
    QTemporaryDir m_temp;
};

void TestRoi::initTestCase()
{
    // Temporary pictures go to a folder of this test, so leftovers are ours to see.
    qputenv("TMPDIR", m_temp.path().toLocal8Bit());
    QCOMPARE(QDir::tempPath(), m_temp.path());
    g_previousHandler = qInstallMessageHandler(recordMessage);
}

void TestRoi::cleanup()
{
    Clock::setFixedTime(std::nullopt);
    AppSettings::instance()->setCapturePopup(false);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // Whatever happened, the credentials never reach the log, and no picture is left over.
    QVERIFY2(!log().contains(QLatin1String(FakeUploadTool::SecretKey)), qPrintable(log()));
    QVERIFY2(!log().contains(QLatin1String(FakeUploadTool::SecretId)), qPrintable(log()));
    QCOMPARE(QDir(m_temp.path()).entryList({QStringLiteral("pic_*.png")}, QDir::Files), QStringList());
}

void TestRoi::uploadsAndOpensTheSearchPage()
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

void TestRoi::refusesWithoutConfiguration_data()
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

void TestRoi::refusesWithoutConfiguration()
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

void TestRoi::toolFails_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("error");
    const QString abnormal = QStringLiteral("The process exits abnormally.. Exit code: ");
    QTest::newRow("missing") << QByteArray() << false << QStringLiteral("Failed to start process");
    QTest::newRow("not executable") << QByteArray("\n") << false << QStringLiteral("Failed to start process");
    QTest::newRow("crash") << QByteArray("kill -SEGV $$\n") << true << abnormal;
    QTest::newRow("hangs past the time limit") << QByteArray("exec sleep 30\n") << true << abnormal;
}

void TestRoi::toolFails()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, executable);
    QFETCH(QString, error);
    FakeUploadTool tool;
    tool.writeConfig();
    if (!body.isEmpty()) {
        tool.writeTool(body);
    }
    if (!executable && !body.isEmpty()) {
        QFile::setPermissions(GoogleLens::toolPath(), QFile::ReadOwner | QFile::WriteOwner);
    }
    GoogleLens::setRunTimeLimit(300);
    GoogleLens lens;
    Spies spies(&lens);
    lens.search(testPicture());
    QCOMPARE(spies.started.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(spies.finished.count(), 1, 10000);
    if (executable) {
        QVERIFY2(spies.error().startsWith(error), qPrintable(spies.error()));
    } else {
        QCOMPARE(spies.error(), error);
    }
    QVERIFY(!lens.isRunning());
    QVERIFY(tool.opened().isEmpty());
}

void TestRoi::secondSearchWhileOneRuns()
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

void TestRoi::destroyedDuringUpload()
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

void TestRoi::shippedExampleHasEveryKey()
{
    QString problem;
    const auto config = ImageSearchConfig::read(QFINDTESTDATA("../../tools/imagesearch.ini.example"), &problem);
    QVERIFY2(config.isComplete(), qPrintable(problem));
}

void TestRoi::fitsWithoutDistortion_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("fullWidth");
    QTest::newRow("wide region, tall window") << QSize(900, 100) << QSize(420, 600) << true;
    QTest::newRow("tall region, wide window") << QSize(100, 900) << QSize(700, 300) << false;
    QTest::newRow("small region, large window") << QSize(20, 10) << QSize(800, 600) << true;
}

void TestRoi::fitsWithoutDistortion()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, window);
    QFETCH(bool, fullWidth);
    ShownDialog shown(region(picture), window);
    const QSize label = shown.label()->size();
    const QSize size = shown.shown();
    QVERIFY(!size.isEmpty());
    if (fullWidth) {
        QCOMPARE(size.width(), label.width());
    } else {
        QCOMPARE(size.height(), label.height());
    }
    QVERIFY(size.width() <= label.width() && size.height() <= label.height());
    const double aspect = double(picture.width()) / picture.height();
    QVERIFY2(qAbs(size.width() - size.height() * aspect) <= aspect + 1,
             qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));

    // The shown picture never holds the window open: a smaller window shows a smaller one.
    shown.dialog.resize(window / 2);
    QCoreApplication::processEvents();
    QCOMPARE(shown.dialog.size(), window / 2);
    QVERIFY(shown.shown().width() < size.width());
}

void TestRoi::saveWritesTheShownSizeOrReportsCancel()
{
    testsupport::ScriptedPrompt prompt;
    Clock::setFixedTime(QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7, 89)));
    AppSettings::instance()->setCapturePopup(false);
    ShownDialog shown(region(QSize(1600, 800)), QSize(400, 300));
    QSignalSpy status(&shown.dialog, &RoiImageDialog::setStatusBar);

    const QString first = imageFilePath(false, nullptr);
    shown.button("toolButtonSave")->click();
    QCOMPARE(prompt.messages().size(), 0);
    const QSize small = shown.shown();
    QCOMPARE(identify(first), QStringLiteral("%1x%2 JPEG").arg(small.width()).arg(small.height()));
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.first().first().toString(), QStringLiteral("The file has been saved to %1").arg(first));

    // A larger window shows, and so saves, a larger picture.
    Clock::setFixedTime(QDateTime(QDate(2025, 3, 4), QTime(5, 6, 8, 0)));
    shown.dialog.resize(900, 600);
    QCoreApplication::processEvents();
    const QSize large = shown.shown();
    QVERIFY(large.width() > small.width());
    const QString second = imageFilePath(false, nullptr);
    QVERIFY(second != first);
    shown.button("toolButtonSave")->click();
    QCOMPARE(identify(second), QStringLiteral("%1x%2 JPEG").arg(large.width()).arg(large.height()));
    QCOMPARE(status.count(), 2);

    // With the pop-up setting, a cancelled save dialog is reported as a failure.
    AppSettings::instance()->setCapturePopup(true);
    shown.button("toolButtonSave")->click();
    QCOMPARE(prompt.saveRequests().size(), 1);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.messages().first().icon, QMessageBox::Critical);
    QCOMPARE(prompt.messages().first().title, QStringLiteral("Error"));
    QCOMPARE(prompt.messages().first().text, QStringLiteral("Failed to save image"));
    QCOMPARE(status.count(), 2);
}

void TestRoi::searchDisablesButtonsWhileItRuns()
{
    testsupport::ScriptedPrompt prompt;
    FakeUploadTool tool;
    tool.writeConfig();
    tool.writeTool("sleep 0.5\n");
    ShownDialog shown(region(QSize(320, 200)), QSize(500, 300));
    QToolButton* search = shown.button("toolButtonGoogleLens");
    QToolButton* redrag = shown.button("toolButtonRedrag");
    search->click();
    QVERIFY(!search->isEnabled());
    QVERIFY(!redrag->isEnabled());
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTRY_VERIFY_WITH_TIMEOUT(search->isEnabled(), 10000);
    QVERIFY(redrag->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(prompt.messages().size(), 0);
    QCOMPARE(tool.opened().size(), 1);

    // A crash: the error goes to a box, and the buttons come back.
    tool.writeTool("kill -KILL $$\n");
    search->click();
    QTRY_COMPARE_WITH_TIMEOUT(prompt.messages().size(), 1, 10000);
    QVERIFY(prompt.messages().first().text.startsWith(QLatin1String("The process exits abnormally..")));
    QTRY_VERIFY(search->isEnabled());
    QVERIFY(redrag->isEnabled());
    QCOMPARE(tool.opened().size(), 1);
}

void TestRoi::onlyRedragReturnsToRegionGrab()
{
    testsupport::ScriptedPrompt prompt;
    const QImage picture = region(QSize(320, 240));
    vrx::GraphicsView view;
    view.updateBackgroundByImage(picture);
    view.setPrimitiveDragMode(vrx::PrimitiveManager::HandDrag, -1);
    whenDialogShows({});
    QCOMPARE(runRoiImageDialog(picture, &view, &view, nullptr), int(QDialog::Rejected));
    QTest::qWait(RedragDelayMs * 2);
    QVERIFY(!view.isRegionGrab());
    QCOMPARE(view.primitiveDragMode(), vrx::PrimitiveManager::HandDrag);

    QStringList messages;
    whenDialogShows({QStringLiteral("toolButtonSave"), QStringLiteral("toolButtonRedrag")});
    const int result = runRoiImageDialog(picture.copy(10, 10, 100, 50), &view, &view,
                                         [&messages](const QString& message) { messages << message; });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().startsWith(QLatin1String("The file has been saved to ")));

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!view.isRegionGrab());
    QTRY_VERIFY_WITH_TIMEOUT(view.isRegionGrab(), 2000);
    QVERIFY2(clock.elapsed() >= RedragDelayMs - 20, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(view.primitiveDragMode(), vrx::PrimitiveManager::SelectDrag);
    QCOMPARE(view.primitiveToolType(), -1);
}

void TestRoi::contextMenuLeadsIntoRegionGrab()
{
    vrx::GraphicsView view;
    view.resize(400, 300);
    view.updateBackgroundByImage(region(QSize(320, 240)));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    new RegionGrabMenu(&view);

    const QPoint at(100, 100);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 1);
    menu->actions().first()->trigger();
    menu->close();
    QVERIFY(view.isRegionGrab());

    // While a tool is drawn the right button belongs to the tool.
    view.setPrimitiveDragMode(vrx::PrimitiveManager::DrawDrag, 0x10065);
    QTRY_COMPARE(QApplication::activePopupWidget(), nullptr);
    QContextMenuEvent again(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &again);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

QUARNEL_TEST_MAIN(TestRoi)
#include "tst_roi.moc"
