#include "panelcamexposure.h"

#include "ui_panelcamexposure.h"

#include <tesk/camera.h>

#include <QDebug>
#include <QSignalBlocker>

namespace {

// Camera property ids of this panel.
constexpr int kAutoExposure = 0; // enumerated
constexpr int kAutoExposureOff = 0;
constexpr int kAutoExposureContinuous = 2;
constexpr int kGain = 6;
constexpr int kExposureTarget = 8;
constexpr int kExposureTime = 9;

} // namespace

PanelCamExposure::PanelCamExposure(QWidget* parent)
    : PanelCamCtrl(parent), m_ui(std::make_unique<Ui::PanelCamExposure>())
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(4, 4, 4, 4);
}

PanelCamExposure::~PanelCamExposure() = default;

void PanelCamExposure::updateControls()
{
    setEnabled(true);
    setupPropertyControl(kExposureTime, m_ui->groupTime, m_ui->sliderTime, m_ui->spinBoxTime);
    setupPropertyControl(kExposureTarget, m_ui->groupTarget, m_ui->sliderTarget, m_ui->spinBoxTarget);
    setupPropertyControl(kGain, m_ui->groupGain, m_ui->sliderGain, m_ui->spinBoxGain);
    if (!camera) {
        return;
    }
    // Not blocked: a change of state sends the mode back and sets which sliders apply.
    m_ui->checkBoxAuto->setChecked(camera->getEnumProperty(kAutoExposure) == kAutoExposureContinuous);
}

void PanelCamExposure::autoUpdate()
{
    if (!camera) {
        return;
    }
    double time = m_ui->sliderTime->value();
    camera->getProperty(kExposureTime, &time);
    double gain = m_ui->sliderGain->value();
    camera->getProperty(kGain, &gain);

    const QSignalBlocker blockTime(m_ui->sliderTime);
    const QSignalBlocker blockGain(m_ui->sliderGain);
    m_ui->sliderTime->setValue(toControlValue(time));
    m_ui->sliderGain->setValue(toControlValue(gain));
}

void PanelCamExposure::on_checkBoxAuto_toggled(bool checked)
{
    m_ui->sliderTime->setEnabled(!checked);
    m_ui->sliderGain->setEnabled(!checked);
    m_ui->sliderTarget->setEnabled(checked);
    if (!camera) {
        return;
    }
    camera->setEnumProperty(kAutoExposure, checked ? kAutoExposureContinuous : kAutoExposureOff);
    if (!checked) {
        // The camera may have drifted under automatic exposure; manual means what the sliders show.
        camera->setProperty(kExposureTime, m_ui->sliderTime->value());
        camera->setProperty(kGain, m_ui->sliderGain->value());
    }
}

void PanelCamExposure::on_sliderTarget_valueChanged(int value)
{
    qDebug() << "exposure target value changed";
    if (camera) {
        camera->setProperty(kExposureTarget, value);
    }
}

void PanelCamExposure::on_sliderTime_valueChanged(int value)
{
    qDebug() << "exposure time value changed";
    if (camera) {
        camera->setProperty(kExposureTime, value);
    }
}

void PanelCamExposure::on_sliderGain_valueChanged(int value)
{
    if (camera) {
        camera->setProperty(kGain, value);
    }
}
