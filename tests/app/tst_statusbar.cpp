#include "testmain.h"

#include <app/clock.h>
#include <app/statusbar.h>

#include <QAction>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

class TestStatusBar final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void texts();
    void zoomSliderEchoesOnlyTheUser();
    void controlsInOrderWithTheirActions();
    void recordIndicator();

private:
    template <typename T = QWidget> T* child(const char* name) const
    {
        return m_bar->findChild<T*>(QLatin1String(name));
    }
    QString indicatorTime() const
    {
        const QString text = child<QLabel>("labelRecordIndicator")->text();
        const QString prefix =
            QStringLiteral("<div><img style=\"vertical-align:middle;\" src=\":/images/record_indicator.png\"><span>");
        if (!text.startsWith(prefix) || !text.endsWith(QStringLiteral("</span></div>"))) {
            return QStringLiteral("malformed: ") + text;
        }
        return text.section(QStringLiteral("<span>"), 1).section(QStringLiteral("</span>"), 0, 0);
    }

    QStatusBar* m_bar = nullptr;
    StatusBar* m_status = nullptr;
};

void TestStatusBar::init()
{
    m_bar = new QStatusBar;
    m_status = new StatusBar(m_bar);
}

void TestStatusBar::cleanup()
{
    Clock::setFixedTime(std::nullopt);
    delete m_status;
    delete m_bar;
}

void TestStatusBar::texts()
{
    m_status->showFrameSize(1920, 1080);
    for (const QSize& bad : {QSize(0, 480), QSize(12000, 9000), QSize(640, 10000), QSize(-640, 480)}) {
        m_status->showFrameSize(bad.width(), bad.height());
    }
    QCOMPARE(child<QLabel>("labelFrameSize")->text(), QStringLiteral("1920x1080"));
    m_status->showFrameSize(9999, 1);
    QCOMPARE(child<QLabel>("labelFrameSize")->text(), QStringLiteral("9999x1"));

    m_status->showFrameRate(29.97);
    QCOMPARE(child<QLabel>("labelFrameRate")->text(), QStringLiteral("29.97 fps"));

    auto* fv = child<QLabel>("labelFV");
    QVERIFY(fv->isHidden());
    m_status->showFV(3.5);
    QVERIFY(!fv->isHidden());
    QCOMPARE(fv->text(), QStringLiteral("FV: 3.50"));
    m_status->showFV(0);
    QVERIFY(fv->isHidden());

    m_status->showScale(1.5);
    QCOMPARE(m_status->zoomIndicationButton()->text(), QStringLiteral("150.00%"));
}

void TestStatusBar::zoomSliderEchoesOnlyTheUser()
{
    auto* slider = child<QSlider>("sliderZoom");
    QCOMPARE(slider->maximum(), 500);
    QSignalSpy spy(m_status, &StatusBar::zoomValueChanged);

    // A drag reports every position it passes.
    slider->setSliderDown(true);
    for (int position : {110, 140, 180}) {
        slider->setSliderPosition(position);
    }
    slider->setSliderDown(false);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(2).at(0).toInt(), 180);

    spy.clear();
    m_status->setZoomValue(300);
    QCOMPARE(slider->sliderPosition(), 300);
    QCOMPARE(spy.count(), 0);
}

void TestStatusBar::controlsInOrderWithTheirActions()
{
    QAction fullScreen, outputBar, zoomIn, zoomOut;
    m_status->setActions(&fullScreen, &outputBar, &zoomIn, &zoomOut);
    QCOMPARE(child<QToolButton>("toolButtonFullScreen")->defaultAction(), &fullScreen);
    QCOMPARE(child<QToolButton>("toolButtonOutputBar")->defaultAction(), &outputBar);
    QCOMPARE(child<QToolButton>("toolButtonZoomIn")->defaultAction(), &zoomIn);
    QCOMPARE(child<QToolButton>("toolButtonZoomOut")->defaultAction(), &zoomOut);

    m_status->showFV(1);
    m_status->showRecordIndicator(true);
    m_bar->resize(1200, 30);
    m_bar->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_bar));
    const char* order[] = {"toolButtonOutputBar", "toolButtonFullScreen", "toolButtonZoomIndication",
                           "toolButtonZoomOut",   "sliderZoom",           "toolButtonZoomIn",
                           "labelFrameSize",      "labelFrameRate",       "labelFV",
                           "labelRecordIndicator"};
    for (size_t i = 1; i < std::size(order); ++i) {
        QVERIFY2(child(order[i - 1])->x() < child(order[i])->x(), order[i]);
    }
}

void TestStatusBar::recordIndicator()
{
    m_status->showRecordIndicator(false); // hiding what is not there is harmless
    const QDateTime start(QDate(2024, 3, 1), QTime(23, 30, 0));
    Clock::setFixedTime(start);
    m_status->showRecordIndicator(true);
    m_status->showRecordIndicator(true);
    QCOMPARE(m_bar->findChildren<QLabel*>(QStringLiteral("labelRecordIndicator")).size(), 1);
    QCOMPARE(indicatorTime(), QStringLiteral("00:00:00"));

    // The timer really ticks; past midnight the count goes on.
    Clock::setFixedTime(start.addSecs(3725));
    QTRY_COMPARE_WITH_TIMEOUT(indicatorTime(), QStringLiteral(" 01:02:05"), 3000);

    // It blinks: the opacity sweeps between 0.1 and 1.0.
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(child<QLabel>("labelRecordIndicator")->graphicsEffect());
    QVERIFY(effect);
    qreal lowest = 1.0, highest = 0.0;
    QElapsedTimer watch;
    watch.start();
    while (watch.elapsed() < 2200) {
        QTest::qWait(20);
        lowest = qMin(lowest, effect->opacity());
        highest = qMax(highest, effect->opacity());
    }
    QVERIFY2(lowest >= 0.099 && lowest < 0.2 && highest > 0.9,
             qPrintable(QStringLiteral("%1..%2").arg(lowest).arg(highest)));

    m_status->showRecordIndicator(false);
    m_status->showRecordIndicator(false);
    QVERIFY(!child("labelRecordIndicator"));
    QVERIFY(QMetaObject::invokeMethod(m_status, "updateTimer")); // a late tick does nothing

    // The next recording counts from zero again.
    m_status->showRecordIndicator(true);
    Clock::setFixedTime(start.addSecs(3727));
    QVERIFY(QMetaObject::invokeMethod(m_status, "updateTimer"));
    QCOMPARE(indicatorTime(), QStringLiteral(" 00:00:02"));
}

QUARNEL_TEST_MAIN(TestStatusBar)
#include "tst_statusbar.moc"
