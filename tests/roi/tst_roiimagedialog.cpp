#include "fakeuploadtool.h"
#include "imagefile.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/clock.h>
#include <app/savelocations.h>
#include <roi/roiimagedialog.h>

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>

namespace {

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

} // namespace

class TestRoiImageDialog final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void fitsWithoutDistortion_data();
    void fitsWithoutDistortion();
    void saveWritesTheShownSize();
    void cancelledSaveDialog();
    void searchDisablesButtonsWhileItRuns();
};

void TestRoiImageDialog::cleanup()
{
    Clock::setFixedTime(std::nullopt);
    AppSettings::instance()->setCapturePopup(false);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestRoiImageDialog::fitsWithoutDistortion_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("fullWidth");
    QTest::newRow("wide region, tall window") << QSize(900, 100) << QSize(420, 600) << true;
    QTest::newRow("tall region, wide window") << QSize(100, 900) << QSize(700, 300) << false;
    QTest::newRow("small region, large window") << QSize(20, 10) << QSize(800, 600) << true;
}

void TestRoiImageDialog::fitsWithoutDistortion()
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

void TestRoiImageDialog::saveWritesTheShownSize()
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
}

void TestRoiImageDialog::cancelledSaveDialog()
{
    testsupport::ScriptedPrompt prompt; // the save dialog is cancelled
    AppSettings::instance()->setCapturePopup(true);
    ShownDialog shown(region(QSize(100, 100)), QSize(400, 300));
    QSignalSpy status(&shown.dialog, &RoiImageDialog::setStatusBar);
    shown.button("toolButtonSave")->click();
    QCOMPARE(prompt.saveRequests().size(), 1);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.messages().first().icon, QMessageBox::Critical);
    QCOMPARE(prompt.messages().first().title, QStringLiteral("Error"));
    QCOMPARE(prompt.messages().first().text, QStringLiteral("Failed to save image"));
    QCOMPARE(status.count(), 0);
}

void TestRoiImageDialog::searchDisablesButtonsWhileItRuns()
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

QUARNEL_TEST_MAIN(TestRoiImageDialog)
#include "tst_roiimagedialog.moc"
