#include "testmain.h"

#include <app/formsidebar.h>
#include <app/startup.h>
#include <camera/cameraparamsform.h>

#include <vrx/sidebar.h>

#include <QAction>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>

class TestFormSidebar final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initResources(); }
    void pagesFollowTheStrip();
    void bottomActionsAndWifi();
    void splitterKeepsItWide();
};

namespace {
QString captionOf(const FormSidebar& sidebar)
{
    return sidebar.findChild<QLabel*>(QStringLiteral("sidebarCaption"))->text();
}
} // namespace

void TestFormSidebar::pagesFollowTheStrip()
{
    FormSidebar sidebar;
    auto* stack = sidebar.findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
    auto* strip = sidebar.findChild<vrx::SideBar*>();
    // The form's placeholder pages are gone: one page per navigation entry, the camera first.
    QCOMPARE(stack->count(), strip->count());
    QCOMPARE(stack->currentWidget(), sidebar.cameraParamsForm());
    QCOMPARE(captionOf(sidebar), QStringLiteral("Camera"));
    QCOMPARE(sidebar.findChild<QWidget*>(QStringLiteral("FormMeasure")), sidebar.measurePanel());

    // Where the measurement panel is not built in, a stand-in page is put in its place.
    QWidget* measure = sidebar.measurePanel();
    if (!measure) {
        measure = new QWidget;
        stack->addWidget(measure);
        strip->addTopAction(QStringLiteral("Measure"), QIcon());
    }
    strip->topAction(1)->trigger();
    QCOMPARE(stack->currentWidget(), measure);
    QCOMPARE(captionOf(sidebar), QStringLiteral("Measure"));
    strip->topAction(0)->trigger();
    QCOMPARE(stack->currentWidget(), sidebar.cameraParamsForm());
    QCOMPARE(captionOf(sidebar), QStringLiteral("Camera"));

    // Called directly, the slot keeps the strip in step; a page that does not exist is ignored.
    sidebar.setCurrentStackedWidget(1);
    QCOMPARE(strip->currentIndex(), 1);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no page 7")));
    sidebar.setCurrentStackedWidget(7);
    QCOMPARE(stack->currentWidget(), measure);
    QCOMPARE(captionOf(sidebar), QStringLiteral("Measure"));

    // At its preferred width the whole banner is in view.
    sidebar.resize(sidebar.sizeHint().width(), 700);
    sidebar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sidebar));
    QVERIFY(sidebar.findChild<QLabel*>(QStringLiteral("labelBanner"))->geometry().right() < sidebar.width());
}

void TestFormSidebar::bottomActionsAndWifi()
{
    FormSidebar sidebar;
    QAction snap, maxFrame, timelapse, record, gallery, settings;
    record.setCheckable(true);
    sidebar.addBottomActions({&snap, &maxFrame, &timelapse});
    for (QAction* single : {&record, &gallery, &settings}) {
        sidebar.addBottomAction(single);
    }
    sidebar.resize(300, 900);
    sidebar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sidebar));

    QList<QToolButton*> buttons = sidebar.findChild<vrx::SideBar*>()->findChildren<QToolButton*>();
    std::sort(buttons.begin(), buttons.end(), [](QToolButton* a, QToolButton* b) { return a->y() < b->y(); });
    QList<QAction*> shown;
    for (QToolButton* button : buttons) {
        shown << button->defaultAction();
    }
    QCOMPARE(shown.mid(shown.size() - 6),
             QList<QAction*>({&snap, &maxFrame, &timelapse, &record, &gallery, &settings}));
    QTest::mouseClick(buttons.at(buttons.size() - 3), Qt::LeftButton);
    QVERIFY(record.isChecked());

    QSignalSpy wifi(&sidebar, &FormSidebar::openWiFi);
    QTest::mouseClick(sidebar.findChild<QToolButton*>(QStringLiteral("toolButtonWiFi")), Qt::LeftButton);
    QCOMPARE(wifi.count(), 1);
}

void TestFormSidebar::splitterKeepsItWide()
{
    QSplitter splitter(Qt::Horizontal);
    auto* sidebar = new FormSidebar(&splitter);
    splitter.addWidget(sidebar);
    splitter.addWidget(new QWidget);
    splitter.setChildrenCollapsible(false);
    splitter.resize(1200, 700);
    splitter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splitter));
    splitter.setSizes({0, 1200});
    QCOMPARE(sidebar->width(), 250);
}

QUARNEL_TEST_MAIN(TestFormSidebar)
#include "tst_formsidebar.moc"
