#include "testmain.h"

#include <qwk/titlebarhittest.h>
#include <qwk/widgetwindowagent.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

using QWK::WidgetWindowAgent;

namespace {

/// A 400 x 300 frameless window: a 40 px title bar (title, menu button, close button) over a body.
/// Offscreen there is no window manager to hand moves and resizes to, so the agent does them itself.
struct TestWindow
{
    TestWindow()
    {
        auto* column = new QVBoxLayout(&window);
        column->setContentsMargins(0, 0, 0, 0);
        titleBar = new QWidget(&window);
        titleBar->setFixedHeight(40);
        auto* row = new QHBoxLayout(titleBar);
        row->setContentsMargins(0, 0, 0, 0);
        title = new QLabel("Title", titleBar);
        menuButton = new QPushButton("Menu", titleBar);
        menuButton->setFixedSize(60, 40);
        menuIcon = new QLabel("v", menuButton);
        menuIcon->setGeometry(40, 10, 16, 16);
        closeButton = new QPushButton("X", titleBar);
        closeButton->setFixedSize(60, 40);
        row->addWidget(title, 1);
        row->addWidget(menuButton);
        row->addWidget(closeButton);
        body = new QWidget(&window);
        column->addWidget(titleBar);
        column->addWidget(body, 1);

        agent = new WidgetWindowAgent(&window);
        agent->setup(&window);
        agent->setTitleBar(titleBar);
        agent->setSystemButton(WidgetWindowAgent::Close, closeButton);
        agent->setHitTestVisible(menuButton);
        window.setGeometry(100, 100, 400, 300);
        window.show();
    }

    bool exposed() { return QTest::qWaitForWindowExposed(&window); }
    QWindow* handle() const { return window.windowHandle(); }
    QPoint at(const QWidget* widget, QPoint pos = QPoint(10, 10)) const { return widget->mapTo(&window, pos); }

    QWidget window;
    QWidget* titleBar;
    QLabel* title;
    QPushButton* menuButton;
    QLabel* menuIcon;
    QPushButton* closeButton;
    QWidget* body;
    WidgetWindowAgent* agent;
};

/// Presses at `from` and drags by `by` on the screen: as the window moves or resizes under the mouse,
/// the events carry the window-local position a real pointer would have.
void drag(QWindow* handle, QPoint from, QPoint by)
{
    const QPoint target = handle->mapToGlobal(from) + by;
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(handle, handle->mapFromGlobal(target));
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, handle->mapFromGlobal(target));
}

} // namespace

class TestWidgetWindowAgent final : public QObject
{
    Q_OBJECT

private slots:
    void setupMakesWindowFrameless();
    void titleBarDragsButClickableWidgetsClick();
    void doubleClickTogglesMaximized();
    void borderDragResizes();
    void hoverNearBorderShowsResizeCursor();
    void maximizedWindowStaysPut();
};

void TestWidgetWindowAgent::setupMakesWindowFrameless()
{
    QWidget window;
    window.show();
    WidgetWindowAgent agent(&window);
    QVERIFY(agent.setup(&window));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(window.isVisible()); // a shown window stays shown

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no window"));
    QVERIFY(!WidgetWindowAgent().setup(nullptr));
    auto* child = new QWidget(&window);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a top-level"));
    QVERIFY(!WidgetWindowAgent().setup(child));
    QWidget other;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already serving"));
    QVERIFY(!agent.setup(&other));
    QVERIFY(!(other.windowFlags() & Qt::FramelessWindowHint));
}

void TestWidgetWindowAgent::titleBarDragsButClickableWidgetsClick()
{
    TestWindow t;
    QVERIFY(t.exposed());
    const QPoint start = t.window.pos();
    QSignalSpy menuClicks(t.menuButton, &QPushButton::clicked);
    QSignalSpy closeClicks(t.closeButton, &QPushButton::clicked);

    drag(t.handle(), t.at(t.title), QPoint(30, 20));
    QCOMPARE(t.window.pos(), start + QPoint(30, 20));
    QTest::mouseMove(t.handle(), t.at(t.title, QPoint(50, 20))); // released: nothing moves
    QCOMPARE(t.window.pos(), start + QPoint(30, 20));

    // Pressing and moving a little on a clickable widget, or on anything inside it, is a click.
    drag(t.handle(), t.at(t.menuIcon, QPoint(2, 2)), QPoint(5, 5));
    drag(t.handle(), t.at(t.closeButton, QPoint(20, 20)), QPoint(5, 5));
    drag(t.handle(), t.at(t.body, QPoint(100, 100)), QPoint(5, 5)); // and the body is no caption
    QCOMPARE(t.window.pos(), start + QPoint(30, 20));
    QCOMPARE(menuClicks.count(), 1);
    QCOMPARE(closeClicks.count(), 1);

    // No longer visible to hit tests, the button is caption.
    t.agent->setHitTestVisible(t.menuButton, false);
    drag(t.handle(), t.at(t.menuButton, QPoint(20, 20)), QPoint(5, 5));
    QCOMPARE(t.window.pos(), start + QPoint(35, 25));
    QCOMPARE(menuClicks.count(), 1);

    // A hidden or withdrawn title bar drags nothing.
    QVERIFY(!QWK::isTitleBarDragArea(nullptr, &t.window, t.at(t.title), {}));
    t.titleBar->hide();
    QVERIFY(!QWK::isTitleBarDragArea(t.titleBar, &t.window, QPoint(100, 10), {}));
}

void TestWidgetWindowAgent::doubleClickTogglesMaximized()
{
    TestWindow t;
    QVERIFY(t.exposed());

    QTest::mouseDClick(t.handle(), Qt::LeftButton, Qt::NoModifier, t.at(t.title));
    QTRY_VERIFY(t.window.isMaximized());
    QTest::mouseDClick(t.handle(), Qt::LeftButton, Qt::NoModifier, t.at(t.title));
    QTRY_VERIFY(!t.window.isMaximized());

    // Not on a system button, not on the body, not with another button, not for a fixed size.
    QTest::mouseDClick(t.handle(), Qt::LeftButton, Qt::NoModifier, t.at(t.closeButton, QPoint(20, 20)));
    QTest::mouseDClick(t.handle(), Qt::LeftButton, Qt::NoModifier, t.at(t.body, QPoint(100, 100)));
    QTest::mouseDClick(t.handle(), Qt::RightButton, Qt::NoModifier, t.at(t.title));
    t.window.setFixedSize(t.window.size());
    QTest::mouseDClick(t.handle(), Qt::LeftButton, Qt::NoModifier, t.at(t.title));
    QTest::qWait(50);
    QVERIFY(!t.window.isMaximized());
}

void TestWidgetWindowAgent::borderDragResizes()
{
    // Drags go inwards: offscreen, events outside the window's old size draw warnings from QTest.
    TestWindow t;
    QVERIFY(t.exposed());
    const QRect start = t.window.geometry();

    drag(t.handle(), QPoint(399, 299), QPoint(-20, -10));
    QCOMPARE(t.window.geometry(), QRect(start.topLeft(), start.size() - QSize(20, 10)));

    const QRect smaller = t.window.geometry();
    drag(t.handle(), QPoint(2, 150), QPoint(30, 40)); // the right edge stays
    QCOMPARE(t.window.geometry(), smaller.adjusted(30, 0, 0, 0));

    t.window.setMinimumSize(300, 200);
    const QRect before = t.window.geometry();
    drag(t.handle(), QPoint(200, 1), QPoint(0, 150));
    QCOMPARE(t.window.geometry(), QRect(before.left(), before.bottom() + 1 - 200, before.width(), 200));

    t.agent->setResizeBorderWidth(0);
    const QRect unbanded = t.window.geometry();
    drag(t.handle(), QPoint(t.window.width() - 1, 150), QPoint(-20, 0));
    QCOMPARE(t.window.geometry(), unbanded);
}

void TestWidgetWindowAgent::hoverNearBorderShowsResizeCursor()
{
    TestWindow t;
    t.body->setCursor(Qt::CrossCursor);
    QVERIFY(t.exposed());

    QTest::mouseMove(t.handle(), QPoint(2, 150));
    QCOMPARE(t.handle()->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(t.handle(), QPoint(399, 0)); // over the close button, which has a cursor of its own
    QCOMPARE(t.handle()->cursor().shape(), Qt::SizeBDiagCursor);
    QTest::mouseMove(t.handle(), QPoint(200, 150));
    QCOMPARE(t.handle()->cursor().shape(), Qt::CrossCursor); // the widget's own again
}

void TestWidgetWindowAgent::maximizedWindowStaysPut()
{
    TestWindow t;
    QVERIFY(t.exposed());
    t.window.showMaximized();
    QTRY_VERIFY(t.window.isMaximized());
    QTRY_VERIFY(t.window.width() > 400);
    const QRect maximized = t.window.geometry();
    const QPoint rightEdge(t.window.width() - 1, t.window.height() / 2);

    QTest::mouseMove(t.handle(), rightEdge);
    QVERIFY(t.handle()->cursor().shape() != Qt::SizeHorCursor);
    drag(t.handle(), rightEdge, QPoint(-50, 0));
    drag(t.handle(), t.at(t.title), QPoint(30, 20));
    QCOMPARE(t.window.geometry(), maximized);
}

QUARNEL_TEST_MAIN(TestWidgetWindowAgent)
#include "tst_widgetwindowagent.moc"
