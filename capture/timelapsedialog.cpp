#include "timelapsedialog.h"

#include "ui_timelapsedialog.h"

#include "app/clock.h"

#include <QPointer>
#include <QTimer>

namespace {

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

TimelapseDialog::TimelapseDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TimelapseDialog>()), m_timer(new QTimer(this))
{
    m_ui->setupUi(this);
    m_ui->stackedWidget->setCurrentIndex(0);
    setWindowFlags(windowFlags() | Qt::Tool);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    connect(m_ui->radioButtonQuantity, &QRadioButton::toggled, this, &TimelapseDialog::updateMode);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TimelapseDialog::tick);
    updateInterval();
}

TimelapseDialog::~TimelapseDialog() = default;

bool TimelapseDialog::isRunning() const
{
    return m_timer->isActive();
}

int TimelapseDialog::intervalFromForm() const
{
    return (m_ui->spinBoxHour->value() * 60 + m_ui->spinBoxMinute->value()) * 60 + m_ui->spinBoxSecond->value();
}

int TimelapseDialog::durationFromForm() const
{
    return (m_ui->spinBoxDurationHours->value() * 60 + m_ui->spinBoxDurationMins->value()) * 60;
}

qint64 TimelapseDialog::secondsSinceStart() const
{
    return m_startTime.secsTo(Clock::now());
}

void TimelapseDialog::updateMode()
{
    const bool quantity = m_ui->radioButtonQuantity->isChecked();
    m_ui->spinBoxPhotoCount->setEnabled(quantity);
    m_ui->spinBoxDurationHours->setEnabled(!quantity);
    m_ui->spinBoxDurationMins->setEnabled(!quantity);
    updateInterval();
}

void TimelapseDialog::updateInterval()
{
    const int duration = durationFromForm();
    const int interval = intervalFromForm();
    m_ui->labelInterval->setText(QStringLiteral("%1:%2:%3")
                                     .arg(twoDigits(m_ui->spinBoxHour->value()))
                                     .arg(twoDigits(m_ui->spinBoxMinute->value()))
                                     .arg(twoDigits(m_ui->spinBoxSecond->value())));
    const bool quantity = m_ui->radioButtonQuantity->isChecked();
    m_ui->pushButtonStart->setEnabled(interval > 0 && (quantity || duration >= 2 * interval));
}

void TimelapseDialog::updateProgress()
{
    if (m_byDuration) {
        m_ui->labelPhotoCount->setText(tr("Photos taken: %1").arg(m_takenCount));
        const qint64 remaining = m_durationSeconds - secondsSinceStart();
        m_ui->labelRemaining->setText(tr("Time remaining: %1:%2:%3")
                                          .arg(twoDigits(remaining / 3600))
                                          .arg(twoDigits((remaining / 60) % 60))
                                          .arg(twoDigits(remaining % 60)));
    } else {
        m_ui->labelPhotoCount->setText(tr("Photos taken: %1 / %2").arg(m_takenCount).arg(m_targetCount));
        m_ui->labelRemaining->setText(tr("Remaining: %1").arg(m_targetCount - m_takenCount));
    }
    m_ui->labelNextCapture->setText(tr("Next photo taken: %1 seconds").arg(m_countdownSeconds));
}

void TimelapseDialog::on_pushButtonStart_clicked()
{
    if (m_ui->radioButtonQuantity->isChecked()) {
        m_targetCount = m_ui->spinBoxPhotoCount->value();
        m_byDuration = false;
    } else {
        m_byDuration = true;
        m_durationSeconds = durationFromForm();
        m_startTime = Clock::now();
    }
    m_intervalSeconds = m_countdownSeconds = intervalFromForm();
    m_takenCount = 0;
    m_ui->stackedWidget->setCurrentIndex(1);
    updateProgress();
    m_timer->start();
    emit timelapseStarted();
}

void TimelapseDialog::on_pushButtonStop_clicked()
{
    finish();
}

void TimelapseDialog::tick()
{
    if (!isRunning()) {
        return;
    }
    --m_countdownSeconds;
    if (m_countdownSeconds > 0) {
        updateProgress();
        return;
    }
    ++m_takenCount;
    // The picture may open a save dialog, during which the user can close this window.
    const QPointer<TimelapseDialog> alive(this);
    emit captureRequested();
    if (!alive || !isRunning()) {
        return;
    }
    const bool done = m_byDuration ? secondsSinceStart() >= m_durationSeconds : m_takenCount >= m_targetCount;
    if (done) {
        finish();
        return;
    }
    m_countdownSeconds = m_intervalSeconds;
    updateProgress();
}

void TimelapseDialog::finish()
{
    m_timer->stop();
    m_ui->stackedWidget->setCurrentIndex(0);
    emit timelapseStopped();
}

void TimelapseDialog::on_spinBoxDurationHours_valueChanged(int)
{
    updateInterval();
}

void TimelapseDialog::on_spinBoxDurationMins_valueChanged(int)
{
    updateInterval();
}

void TimelapseDialog::on_spinBoxHour_valueChanged(int)
{
    updateInterval();
}

void TimelapseDialog::on_spinBoxMinute_valueChanged(int)
{
    updateInterval();
}

void TimelapseDialog::on_spinBoxSecond_valueChanged(int)
{
    updateInterval();
}
