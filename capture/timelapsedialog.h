#pragma once

#include <QDateTime>
#include <QDialog>

#include <memory>

class QTimer;

namespace Ui {
class TimelapseDialog;
}

/// Takes a series of pictures at a fixed interval, a given number of them or for a given time.
/// It only counts: every picture that is due is asked for with captureRequested().
class TimelapseDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit TimelapseDialog(QWidget* parent = nullptr);
    ~TimelapseDialog() override;

    bool isRunning() const;
    /// One second has passed; the timer calls this while the series runs (tests call it directly).
    void tick();

signals:
    void captureRequested();
    void timelapseStarted();
    void timelapseStopped();

private slots:
    void on_pushButtonStart_clicked();
    void on_pushButtonStop_clicked();
    void on_spinBoxDurationHours_valueChanged(int);
    void on_spinBoxDurationMins_valueChanged(int);
    void on_spinBoxHour_valueChanged(int);
    void on_spinBoxMinute_valueChanged(int);
    void on_spinBoxSecond_valueChanged(int);

private:
    void updateMode();
    void updateInterval();
    void updateProgress();
    void finish();
    int intervalFromForm() const;
    int durationFromForm() const;
    qint64 secondsSinceStart() const;

    std::unique_ptr<Ui::TimelapseDialog> m_ui;
    int m_takenCount = 0;
    int m_targetCount = 0;
    int m_durationSeconds = 0;
    int m_intervalSeconds = 0;
    int m_countdownSeconds = 0;
    bool m_byDuration = false;
    QDateTime m_startTime;
    QTimer* m_timer = nullptr;
};
