#include "statusbar.h"

#include "clock.h"

#include <QAction>
#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPropertyAnimation>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int kZoomMaximum = 500;
constexpr int kZoomSliderMaxWidth = 120;
constexpr int kMaxFrameSide = 10000;
constexpr int kBlinkPeriodMs = 2000;
constexpr int kElapsedIntervalMs = 1000;

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
} // namespace

StatusBar::StatusBar(QStatusBar* statusBar)
    : m_statusBar(statusBar), m_outputBarButton(makeToolButton(statusBar, "toolButtonOutputBar", true)),
      m_fullScreenButton(makeToolButton(statusBar, "toolButtonFullScreen", true)),
      m_zoomIndicationButton(new QToolButton(statusBar)), m_zoomSlider(new QSlider(Qt::Horizontal, statusBar)),
      m_zoomInButton(makeToolButton(statusBar, "toolButtonZoomIn", false)),
      m_zoomOutButton(makeToolButton(statusBar, "toolButtonZoomOut", false)), m_frameSizeLabel(new QLabel(statusBar)),
      m_frameRateLabel(new QLabel(statusBar)), m_fvLabel(new QLabel(statusBar))
{
    m_zoomIndicationButton->setObjectName(QStringLiteral("toolButtonZoomIndication"));
    m_zoomIndicationButton->setToolTip(tr("Zoom presets"));
    m_zoomSlider->setObjectName(QStringLiteral("sliderZoom"));
    m_zoomSlider->setRange(0, kZoomMaximum);
    m_zoomSlider->setMaximumWidth(kZoomSliderMaxWidth);
    m_frameSizeLabel->setObjectName(QStringLiteral("labelFrameSize"));
    m_frameRateLabel->setObjectName(QStringLiteral("labelFrameRate"));
    m_fvLabel->setObjectName(QStringLiteral("labelFV"));
    // Nothing to show until a camera reports a value.
    m_fvLabel->hide();

    showScale(1.0);
    setZoomValue(100);
    connect(m_zoomSlider, &QSlider::valueChanged, this, &StatusBar::zoomValueChanged);

    statusBar->addPermanentWidget(m_outputBarButton);
    statusBar->addPermanentWidget(m_fullScreenButton);
    statusBar->addPermanentWidget(m_zoomIndicationButton);
    statusBar->addPermanentWidget(m_zoomOutButton);
    statusBar->addPermanentWidget(m_zoomSlider);
    statusBar->addPermanentWidget(m_zoomInButton);
    statusBar->addPermanentWidget(m_frameSizeLabel);
    statusBar->addPermanentWidget(m_frameRateLabel);
    statusBar->addPermanentWidget(m_fvLabel);
}

StatusBar::~StatusBar() = default;

QToolButton* StatusBar::makeToolButton(QStatusBar* parent, const char* objectName, bool textBesideIcon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(objectName));
    button->setIconSize(QSize(16, 16));
    if (textBesideIcon) {
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return button;
}

void StatusBar::setActions(QAction* fullScreen, QAction* outputBar, QAction* zoomIn, QAction* zoomOut)
{
    m_fullScreenButton->setDefaultAction(fullScreen);
    m_outputBarButton->setDefaultAction(outputBar);
    m_zoomInButton->setDefaultAction(zoomIn);
    m_zoomOutButton->setDefaultAction(zoomOut);
}

void StatusBar::showMessage(const QString& text, int timeout)
{
    m_statusBar->showMessage(text, timeout);
}

void StatusBar::showScale(double scale)
{
    m_zoomIndicationButton->setText(QStringLiteral("%1%").arg(scale * 100.0, 0, 'f', 2));
}

void StatusBar::setZoomValue(int zoomValue)
{
    // Blocking (rather than only turning tracking off) keeps value() and the handle together,
    // so a later page step starts from what the user sees.
    const QSignalBlocker blocker(m_zoomSlider);
    m_zoomSlider->setValue(zoomValue);
}

void StatusBar::showFrameRate(double rate)
{
    m_frameRateLabel->setText(tr("%1 fps").arg(rate, 0, 'f', 2));
}

void StatusBar::showFrameSize(int width, int height)
{
    if (width > 0 && width < kMaxFrameSide && height > 0 && height < kMaxFrameSide) {
        m_frameSizeLabel->setText(QStringLiteral("%1x%2").arg(width).arg(height));
    }
}

void StatusBar::showFV(double fv)
{
    m_fvLabel->setVisible(fv > 0);
    if (fv > 0) {
        m_fvLabel->setText(tr("FV: %1").arg(fv, 0, 'f', 2));
    }
}

void StatusBar::showRecordIndicator(bool show)
{
    if (!show) {
        if (m_recordIndicator) {
            m_statusBar->removeWidget(m_recordIndicator);
            // The effect and its animation are children of the label.
            delete m_recordIndicator;
        }
        if (m_elapsedTimer) {
            m_elapsedTimer->stop();
        }
        return;
    }
    if (m_recordIndicator) {
        return;
    }

    m_recordIndicator = new QLabel(m_statusBar);
    m_recordIndicator->setObjectName(QStringLiteral("labelRecordIndicator"));
    m_recordIndicator->setTextFormat(Qt::RichText);
    m_recordIndicator->setAlignment(Qt::AlignVCenter);
    showRecordIndicatorText(QStringLiteral("00:00:00"));
    m_statusBar->addPermanentWidget(m_recordIndicator);

    auto* effect = new QGraphicsOpacityEffect(m_recordIndicator);
    m_recordIndicator->setGraphicsEffect(effect);
    auto* blink = new QPropertyAnimation(effect, "opacity", effect);
    blink->setStartValue(0.1);
    blink->setEndValue(1.0);
    blink->setDuration(kBlinkPeriodMs);
    blink->setEasingCurve(QEasingCurve::InOutQuart);
    blink->setLoopCount(-1);
    blink->start();

    if (!m_elapsedTimer) {
        m_elapsedTimer = new QTimer(this);
        m_elapsedTimer->setObjectName(QStringLiteral("elapsedTimer"));
        connect(m_elapsedTimer, &QTimer::timeout, this, &StatusBar::updateTimer);
    }
    m_recordStart = Clock::now();
    m_elapsedTimer->start(kElapsedIntervalMs);
}

void StatusBar::showRecordIndicatorText(const QString& text)
{
    if (!m_recordIndicator) {
        return;
    }
    m_recordIndicator->setText(QStringLiteral("<div><img style=\"vertical-align:middle;\" "
                                              "src=\":/images/record_indicator.png\"><span>%1</span></div>")
                                   .arg(text));
}

void StatusBar::updateTimer()
{
    if (!m_recordIndicator) {
        return;
    }
    const qint64 s = qMax<qint64>(0, m_recordStart.secsTo(Clock::now()));
    showRecordIndicatorText(
        QStringLiteral(" %1:%2:%3").arg(twoDigits(s / 3600), twoDigits((s / 60) % 60), twoDigits(s % 60)));
}
