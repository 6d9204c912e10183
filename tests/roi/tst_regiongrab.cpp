#include "scriptedprompt.h"
#include "testmain.h"

#include <roi/regiongrab.h>
#include <roi/regiongrabmenu.h>
#include <roi/roiimagedialog.h>

#include <vrx/graphicsview.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace {

QImage picture()
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

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

class TestRegionGrab final : public QObject
{
    Q_OBJECT

private slots:
    void redragReturnsToRegionGrab();
    void closingDoesNotReturnToRegionGrab();
    void contextMenuLeadsIntoRegionGrab();
};

void TestRegionGrab::redragReturnsToRegionGrab()
{
    testsupport::ScriptedPrompt prompt;
    vrx::GraphicsView view;
    view.updateBackgroundByImage(picture());
    QStringList messages;
    whenDialogShows({QStringLiteral("toolButtonSave"), QStringLiteral("toolButtonRedrag")});
    const int result = runRoiImageDialog(picture().copy(10, 10, 100, 50), &view, &view,
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

void TestRegionGrab::closingDoesNotReturnToRegionGrab()
{
    vrx::GraphicsView view;
    view.updateBackgroundByImage(picture());
    view.setPrimitiveDragMode(vrx::PrimitiveManager::HandDrag, -1);
    whenDialogShows({});
    QCOMPARE(runRoiImageDialog(picture(), &view, &view, nullptr), int(QDialog::Rejected));
    QTest::qWait(RedragDelayMs * 2);
    QVERIFY(!view.isRegionGrab());
    QCOMPARE(view.primitiveDragMode(), vrx::PrimitiveManager::HandDrag);
}

void TestRegionGrab::contextMenuLeadsIntoRegionGrab()
{
    vrx::GraphicsView view;
    view.resize(400, 300);
    view.updateBackgroundByImage(picture());
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

QUARNEL_TEST_MAIN(TestRegionGrab)
#include "tst_regiongrab.moc"
