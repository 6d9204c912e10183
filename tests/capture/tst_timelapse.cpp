#include "testmain.h"

#include <app/appsettings.h>
#include <app/clock.h>
#include <app/mainwindow.h>
#include <app/savelocations.h>
#include <capture/timelapsedialog.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

template <typename T> T* part(const QWidget& dialog, const char* name)
{
    T* child = dialog.findChild<T*>(QLatin1String(name));
    Q_ASSERT(child);
    return child;
}

void setInterval(const QWidget& dialog, int hours, int minutes, int seconds)
{
    part<QSpinBox>(dialog, "spinBoxHour")->setValue(hours);
    part<QSpinBox>(dialog, "spinBoxMinute")->setValue(minutes);
    part<QSpinBox>(dialog, "spinBoxSecond")->setValue(seconds);
}

QString text(const QWidget& dialog, const char* label)
{
    return part<QLabel>(dialog, label)->text();
}

int page(const QWidget& dialog)
{
    return part<QStackedWidget>(dialog, "stackedWidget")->currentIndex();
}

} // namespace

class TestTimelapse final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void initialFormAndStartRules();
    void quantitySeries();
    void durationSeriesAndRemainingTime();
    void stopTakesNoFurtherPicture();
    void mainWindowKeepsOneDialog();
};

void TestTimelapse::cleanup()
{
    Clock::setFixedTime(std::nullopt);
}

void TestTimelapse::initialFormAndStartRules()
{
    TimelapseDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("Time-lapse"));
    QCOMPARE(dialog.size(), QSize(389, 268));
    QVERIFY(dialog.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!dialog.isModal());
    QCOMPARE(page(dialog), 0);
    QCOMPARE(text(dialog, "labelInterval"), QString("00:00:05"));
    QVERIFY(part<QRadioButton>(dialog, "radioButtonQuantity")->isChecked());
    QVERIFY(part<QSpinBox>(dialog, "spinBoxPhotoCount")->isEnabled());
    QVERIFY(!part<QSpinBox>(dialog, "spinBoxDurationHours")->isEnabled());
    QCOMPARE(part<QSpinBox>(dialog, "spinBoxPhotoCount")->value(), 100);
    auto* start = part<QPushButton>(dialog, "pushButtonStart");
    QVERIFY(start->isEnabled());

    setInterval(dialog, 0, 0, 0);
    QVERIFY(!start->isEnabled());
    setInterval(dialog, 0, 59, 59);
    QCOMPARE(text(dialog, "labelInterval"), QString("00:59:59"));

    // Duration mode: at least two intervals must fit in the duration (1 h by default).
    part<QRadioButton>(dialog, "radioButtonDuration")->setChecked(true);
    QVERIFY(!part<QSpinBox>(dialog, "spinBoxPhotoCount")->isEnabled());
    QVERIFY(part<QSpinBox>(dialog, "spinBoxDurationMins")->isEnabled());
    setInterval(dialog, 0, 40, 0);
    QVERIFY(!start->isEnabled());
    setInterval(dialog, 0, 30, 0);
    QVERIFY(start->isEnabled());
    setInterval(dialog, 0, 0, 0);
    QVERIFY(!start->isEnabled());
}

void TestTimelapse::quantitySeries()
{
    TimelapseDialog dialog;
    QSignalSpy captures(&dialog, &TimelapseDialog::captureRequested);
    QSignalSpy started(&dialog, &TimelapseDialog::timelapseStarted);
    QSignalSpy stopped(&dialog, &TimelapseDialog::timelapseStopped);
    part<QSpinBox>(dialog, "spinBoxPhotoCount")->setValue(3);
    setInterval(dialog, 0, 0, 1);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    QCOMPARE(started.count(), 1);
    QCOMPARE(page(dialog), 1);
    QVERIFY(dialog.isRunning());
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 0 / 3"));
    QCOMPARE(text(dialog, "labelRemaining"), QString("Remaining: 3"));
    QCOMPARE(text(dialog, "labelNextCapture"), QString("Next photo taken: 1 seconds"));

    dialog.tick();
    QCOMPARE(captures.count(), 1);
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 1 / 3"));
    QCOMPARE(text(dialog, "labelRemaining"), QString("Remaining: 2"));
    dialog.tick();
    dialog.tick();
    QCOMPARE(captures.count(), 3);
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(page(dialog), 0);
    QVERIFY(!dialog.isRunning());
    dialog.tick();
    QCOMPARE(captures.count(), 3);

    // Five seconds between pictures: the first one comes a full interval after Start.
    part<QSpinBox>(dialog, "spinBoxPhotoCount")->setValue(1);
    setInterval(dialog, 0, 0, 5);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    for (int second = 1; second < 5; ++second) {
        dialog.tick();
    }
    QCOMPARE(captures.count(), 3);
    QCOMPARE(text(dialog, "labelNextCapture"), QString("Next photo taken: 1 seconds"));
    dialog.tick();
    QCOMPARE(captures.count(), 4);
    QCOMPARE(page(dialog), 0);
}

void TestTimelapse::durationSeriesAndRemainingTime()
{
    const QDateTime start(QDate(2026, 5, 1), QTime(10, 0, 0));
    Clock::setFixedTime(start);
    TimelapseDialog dialog;
    QSignalSpy captures(&dialog, &TimelapseDialog::captureRequested);
    part<QRadioButton>(dialog, "radioButtonDuration")->setChecked(true);
    part<QSpinBox>(dialog, "spinBoxDurationHours")->setValue(1);
    part<QSpinBox>(dialog, "spinBoxDurationMins")->setValue(5);
    setInterval(dialog, 0, 0, 30);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 0"));
    QCOMPARE(text(dialog, "labelRemaining"), QString("Time remaining: 01:05:00"));

    Clock::setFixedTime(start.addSecs(10));
    dialog.tick();
    QCOMPARE(text(dialog, "labelRemaining"), QString("Time remaining: 01:04:50"));
    QCOMPARE(text(dialog, "labelNextCapture"), QString("Next photo taken: 29 seconds"));

    // The wall clock ends the series: the photo due at or after the end is the last one.
    Clock::setFixedTime(start.addSecs(3899));
    for (int second = 1; second < 30; ++second) {
        dialog.tick();
    }
    QCOMPARE(captures.count(), 1);
    QVERIFY(dialog.isRunning());
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 1"));
    Clock::setFixedTime(start.addSecs(3900));
    for (int second = 0; second < 30; ++second) {
        dialog.tick();
    }
    QCOMPARE(captures.count(), 2);
    QVERIFY(!dialog.isRunning());
    QCOMPARE(page(dialog), 0);
}

void TestTimelapse::stopTakesNoFurtherPicture()
{
    TimelapseDialog dialog;
    QSignalSpy captures(&dialog, &TimelapseDialog::captureRequested);
    QSignalSpy stopped(&dialog, &TimelapseDialog::timelapseStopped);
    setInterval(dialog, 0, 0, 2);
    part<QPushButton>(dialog, "pushButtonStart")->click();
    dialog.tick();
    dialog.tick();
    QCOMPARE(captures.count(), 1);
    dialog.tick();
    part<QPushButton>(dialog, "pushButtonStop")->click();
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(page(dialog), 0);
    dialog.tick();
    dialog.tick();
    QCOMPARE(captures.count(), 1);
    // The progress keeps its last values; a new Start counts from 0 again.
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 1 / 100"));
    part<QPushButton>(dialog, "pushButtonStart")->click();
    QCOMPARE(text(dialog, "labelPhotoCount"), QString("Photos taken: 0 / 100"));
}

void TestTimelapse::mainWindowKeepsOneDialog()
{
    QSettings().clear();
    AppSettings::instance()->setOpenLastDevice(false);
    AppSettings::instance()->setConfirmExit(false);
    MainWindow window;
    window.show();
    window.grabTimelapse();
    auto* dialog = window.findChild<TimelapseDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    window.grabTimelapse();
    QCOMPARE(window.findChildren<TimelapseDialog*>().size(), 1);

    // Every picture of the series is a saved snap of the view.
    part<QSpinBox>(*dialog, "spinBoxPhotoCount")->setValue(2);
    setInterval(*dialog, 0, 0, 1);
    part<QPushButton>(*dialog, "pushButtonStart")->click();
    Clock::setFixedTime(QDateTime(QDate(2026, 5, 1), QTime(10, 0, 0)));
    dialog->tick();
    Clock::setFixedTime(QDateTime(QDate(2026, 5, 1), QTime(10, 0, 1)));
    dialog->tick();
    QCOMPARE(QDir(captureFolder()).entryList(QDir::Files).size(), 2);

    // Closed while running: deleted, without the stopped signal; the next use builds a new one.
    part<QPushButton>(*dialog, "pushButtonStart")->click();
    QSignalSpy stopped(dialog, &TimelapseDialog::timelapseStopped);
    QSignalSpy destroyed(dialog, &QObject::destroyed);
    dialog->close();
    QTRY_COMPARE(destroyed.count(), 1);
    QCOMPARE(stopped.count(), 0);
    window.grabTimelapse();
    auto* fresh = window.findChild<TimelapseDialog*>();
    QVERIFY(fresh);
    QCOMPARE(part<QSpinBox>(*fresh, "spinBoxPhotoCount")->value(), 100);
    QCOMPARE(page(*fresh), 0);
}

QUARNEL_TEST_MAIN(TestTimelapse)
#include "tst_timelapse.moc"
