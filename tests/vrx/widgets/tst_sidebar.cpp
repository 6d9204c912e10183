#include "testmain.h"

#include <vrx/sidebar.h>

#include <QAction>
#include <QToolButton>

namespace {
QToolButton* buttonFor(const QWidget* bar, const QAction* action)
{
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
        if (button->defaultAction() == action) {
            return button;
        }
    }
    return nullptr;
}
} // namespace

class TestSideBar final : public QObject
{
    Q_OBJECT

private slots:
    void pagesAreReportedOncePerChange();
    void commandsStayBelowThePages();
};

void TestSideBar::pagesAreReportedOncePerChange()
{
    vrx::SideBar bar;
    QAction* camera = bar.addTopAction("&Camera", QIcon::fromTheme("view-camera"));
    QAction* measure = bar.addTopAction("Measure", QIcon::fromTheme("view-measure"));
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy changed(&bar, &vrx::SideBar::currentIndexChanged);
    QCOMPARE(bar.currentIndex(), -1); // none chosen yet, so the first selection is reported

    bar.setCurrentIndex(0);
    bar.setCurrentIndex(0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no page 2 among 2"));
    bar.setCurrentIndex(2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(bar.currentText(), QString("Camera"));

    QTest::mouseClick(buttonFor(&bar, measure), Qt::LeftButton);
    QTest::mouseClick(buttonFor(&bar, measure), Qt::LeftButton); // a second click keeps the page
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toInt(), 1);
    QVERIFY(measure->isChecked() && !camera->isChecked());

    camera->setChecked(true); // checking a page's action is as good as choosing it
    QCOMPARE(changed.count(), 3);
    QCOMPARE(bar.currentIndex(), 0);
}

void TestSideBar::commandsStayBelowThePages()
{
    vrx::SideBar bar;
    bar.resize(80, 700);
    QAction snap("Snap");
    QAction capture("Capture (Maximum resolution)");
    QAction record("Record");
    record.setCheckable(true);
    bar.addTopAction("Camera", QIcon());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("null bottom action"));
    bar.addBottomActions({&snap, nullptr, &capture});
    bar.addBottomAction(&record);
    QAction* measure = bar.addTopAction("Measure", QIcon()); // added after the commands
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy changed(&bar, &vrx::SideBar::currentIndexChanged);
    QSignalSpy snapped(&snap, &QAction::triggered);

    QCOMPARE(bar.findChildren<QToolButton*>().size(), 5);
    QVERIFY(buttonFor(&bar, measure)->geometry().bottom() < buttonFor(&bar, &snap)->geometry().top());
    QVERIFY(buttonFor(&bar, &capture)->geometry().bottom() < buttonFor(&bar, &record)->geometry().top());
    QTest::mouseClick(buttonFor(&bar, &snap), Qt::LeftButton);
    QTest::mouseClick(buttonFor(&bar, &record), Qt::LeftButton);
    QCOMPARE(snapped.count(), 1);
    QVERIFY(record.isChecked() && buttonFor(&bar, &record)->isChecked());
    QCOMPARE(changed.count(), 0); // commands are not pages

    // A long caption wraps and is elided so the strip stays narrow; the tip keeps it whole.
    QToolButton* button = buttonFor(&bar, &capture);
    const QStringList lines = button->text().split('\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), QString("Capture"));
    QVERIFY2(lines.last().startsWith("(Max") && lines.last().endsWith(QChar(0x2026)), qPrintable(button->text()));
    QVERIFY(bar.sizeHint().width() < button->fontMetrics().horizontalAdvance(capture.text()));
    QCOMPARE(button->toolTip(), capture.text());
    capture.setText("Capture (Max)"); // a changed action is fitted again
    QCOMPARE(button->text(), QString("Capture\n(Max)"));
}

QUARNEL_TEST_MAIN(TestSideBar)
#include "tst_sidebar.moc"
