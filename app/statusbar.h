#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>

class QAction;
class QLabel;
class QSlider;
class QStatusBar;
class QTimer;
class QToolButton;

/// Fills the main window's status bar with its permanent controls and shows the live state of
/// the picture: messages, zoom, frame size and rate, the "FV:" value and the recording indicator.
///
/// A plain object: the widgets it creates belong to the status bar widget, which must outlive it.
class StatusBar final : public QObject
{
    Q_OBJECT

public:
    explicit StatusBar(QStatusBar* statusBar);
    ~StatusBar() override;

    /// The buttons take these as their default actions.
    void setActions(QAction* fullScreen, QAction* outputBar, QAction* zoomIn, QAction* zoomOut);

    /// Its clicked() opens the zoom-preset menu of the main window.
    QToolButton* zoomIndicationButton() const { return m_zoomIndicationButton; }

signals:
    /// The zoom slider moved (by the user; setZoomValue() stays silent).
    void zoomValueChanged(int value);

public slots:
    void showMessage(const QString& text, int timeout = 0);
    void showScale(double scale);
    /// Moves the slider without emitting zoomValueChanged, so the canvas gets no echo.
    void setZoomValue(int zoomValue);
    void showFrameRate(double rate);
    /// Sizes outside 1..9999 in either direction leave the label as it is.
    void showFrameSize(int width, int height);
    /// The value is shown only while it is greater than 0.
    void showFV(double fv);
    void showRecordIndicator(bool show);
    bool isRecordIndicatorShown() const { return !m_recordIndicator.isNull(); }
    void showRecordIndicatorText(const QString& text);

private slots:
    void updateTimer();

private:
    static QToolButton* makeToolButton(QStatusBar* parent, const char* objectName, bool textBesideIcon);

    QStatusBar* m_statusBar;
    QToolButton* m_outputBarButton;
    QToolButton* m_fullScreenButton;
    // Guarded: the status bar widget may delete it along with itself.
    QPointer<QLabel> m_recordIndicator;
    QToolButton* m_zoomIndicationButton;
    QSlider* m_zoomSlider;
    QToolButton* m_zoomInButton;
    QToolButton* m_zoomOutButton;
    QLabel* m_frameSizeLabel;
    QLabel* m_frameRateLabel;
    QLabel* m_fvLabel;
    QTimer* m_elapsedTimer = nullptr;
    // A full date and time, so a recording across midnight keeps counting up.
    QDateTime m_recordStart;
};
