#include "panelcamwhitebalance.h"

#include "ui_panelcamwhitebalance.h"

#include <tesk/camera.h>

#include <QDebug>
#include <QSignalBlocker>
#include <QTimer>

namespace {

// Camera property ids of this panel.
constexpr int kWhiteBalanceMode = 2; // enumerated
constexpr unsigned kModeOff = 0;
constexpr unsigned kModeOnce = 1;
constexpr unsigned kModeContinuous = 2;
constexpr int kRedGain = 10;
constexpr int kGreenGain = 11;
constexpr int kBlueGain = 12;
constexpr int kTemperature = 13;

} // namespace

PanelCamWhiteBalance::PanelCamWhiteBalance(QWidget* parent)
    : PanelCamCtrl(parent), m_ui(std::make_unique<Ui::PanelCamWhiteBalance>()), m_refreshTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(4, 4, 4, 4);

    m_refreshTimer->setInterval(kRefreshIntervalMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &PanelCamWhiteBalance::autoUpdate);
    m_refreshTimer->start();
}

PanelCamWhiteBalance::~PanelCamWhiteBalance() = default;

void PanelCamWhiteBalance::updateControls()
{
    setEnabled(true);
    setupEnumControl(kWhiteBalanceMode, nullptr, m_ui->comboBoxModes);
    if (!camera) {
        return;
    }

    const unsigned mode = camera->getEnumProperty(kWhiteBalanceMode);
    const bool hasTemperature = camera->isPropertySupported(kTemperature);
    const bool hasGains = camera->isPropertySupported(kRedGain) || camera->isPropertySupported(kGreenGain) ||
                          camera->isPropertySupported(kBlueGain);

    m_ui->pushButtonOnce->setVisible(mode == kModeOnce);
    m_ui->frameTemperature->setEnabled(mode != kModeContinuous);
    m_ui->frameGain->setEnabled(mode != kModeContinuous);

    m_ui->frameTemperature->setVisible(hasTemperature);
    if (hasTemperature) {
        setupPropertyControl(kTemperature, nullptr, m_ui->sliderTemperature, m_ui->spinBoxTemperature);
    }
    m_ui->frameGain->setVisible(hasGains);
    if (hasGains) {
        setupPropertyControl(kRedGain, nullptr, m_ui->sliderRGain, m_ui->spinBoxRGain);
        setupPropertyControl(kGreenGain, nullptr, m_ui->sliderGGain, m_ui->spinBoxGGain);
        setupPropertyControl(kBlueGain, nullptr, m_ui->sliderBGain, m_ui->spinBoxBGain);
    }
}

void PanelCamWhiteBalance::autoUpdate()
{
    qDebug() << "autoUpdate";
    if (!camera) {
        return;
    }

    // A failed read of the temperature keeps what the controls show.
    double temperature = m_ui->sliderTemperature->value();
    camera->getProperty(kTemperature, &temperature);
    {
        const QSignalBlocker blockSlider(m_ui->sliderTemperature);
        const QSignalBlocker blockSpinBox(m_ui->spinBoxTemperature);
        m_ui->sliderTemperature->setValue(toControlValue(temperature));
        m_ui->spinBoxTemperature->setValue(toControlValue(temperature));
    }

    const struct
    {
        int id;
        QSlider* slider;
        QSpinBox* spinBox;
    } gains[] = {
        {kRedGain, m_ui->sliderRGain, m_ui->spinBoxRGain},
        {kGreenGain, m_ui->sliderGGain, m_ui->spinBoxGGain},
        {kBlueGain, m_ui->sliderBGain, m_ui->spinBoxBGain},
    };
    for (const auto& gain : gains) {
        double value = 0.0;
        if (camera->getProperty(gain.id, &value) != 0) {
            continue;
        }
        const QSignalBlocker blockSlider(gain.slider);
        const QSignalBlocker blockSpinBox(gain.spinBox);
        gain.slider->setValue(toControlValue(value));
        gain.spinBox->setValue(toControlValue(value));
    }
}

void PanelCamWhiteBalance::on_pushButtonOnce_clicked()
{
    if (!camera) {
        return;
    }
    camera->setEnumProperty(kWhiteBalanceMode, kModeOnce);
    // The camera needs a moment to balance; show what it settled on.
    QTimer::singleShot(kOnePushSettleMs, this, &PanelCamWhiteBalance::autoUpdate);
}

void PanelCamWhiteBalance::on_comboBoxModes_currentIndexChanged(int index)
{
    if (index < 0) {
        return;
    }
    const unsigned mode = m_ui->comboBoxModes->itemData(index).toUInt();
    if (camera) {
        camera->setEnumProperty(kWhiteBalanceMode, mode);
    }
    m_ui->pushButtonOnce->setVisible(mode == kModeOnce);
    m_ui->frameTemperature->setEnabled(mode == kModeOff);
    m_ui->frameGain->setEnabled(mode == kModeOff);
}

void PanelCamWhiteBalance::on_sliderTemperature_valueChanged(int value)
{
    if (camera) {
        camera->setProperty(kTemperature, value);
    }
    m_ui->spinBoxTemperature->setValue(value);
}

void PanelCamWhiteBalance::on_sliderRGain_valueChanged(int value)
{
    if (camera) {
        camera->setProperty(kRedGain, value);
    }
}

void PanelCamWhiteBalance::on_sliderGGain_valueChanged(int value)
{
    if (camera) {
        camera->setProperty(kGreenGain, value);
    }
}

void PanelCamWhiteBalance::on_sliderBGain_valueChanged(int value)
{
    if (camera) {
        camera->setProperty(kBlueGain, value);
    }
}

void PanelCamWhiteBalance::on_pushButtonDefault_clicked()
{
    if (!camera) {
        return;
    }
    // Not blocked: each slider's handler writes the restored value to the camera as well.
    if (m_ui->frameTemperature->isVisibleTo(this)) {
        m_ui->sliderTemperature->setValue(toControlValue(camera->resetProperty(kTemperature)));
        return;
    }
    if (m_ui->frameGain->isVisibleTo(this)) {
        m_ui->sliderRGain->setValue(toControlValue(camera->resetProperty(kRedGain)));
        m_ui->sliderGGain->setValue(toControlValue(camera->resetProperty(kGreenGain)));
        m_ui->sliderBGain->setValue(toControlValue(camera->resetProperty(kBlueGain)));
    }
}
