#include "panelcamcoloradjustment.h"

#include "ui_panelcamcoloradjustment.h"

#include <tesk/camera.h>

#include <QStyledItemDelegate>

namespace {

// Numeric and enumerated property ids of this panel.
constexpr int kBrightness = 0;
constexpr int kContrast = 1;
constexpr int kHue = 2;
constexpr int kSaturation = 3;
constexpr int kGamma = 4;
constexpr int kSharpness = 5;
constexpr int kDenoise = 15;
constexpr int kColorMode = 5;

} // namespace

PanelCamColorAdjustment::PanelCamColorAdjustment(QWidget* parent)
    : PanelCamCtrl(parent), m_ui(std::make_unique<Ui::PanelCamColorAdjustment>())
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(4, 4, 4, 4);
    m_ui->comboBoxColorMode->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxColorMode));
}

PanelCamColorAdjustment::~PanelCamColorAdjustment() = default;

void PanelCamColorAdjustment::updateControls()
{
    setEnabled(true);
    setupEnumControl(kColorMode, m_ui->groupColorMode, m_ui->comboBoxColorMode);
    setupPropertyControl(kBrightness, m_ui->groupBrightness, m_ui->sliderBrightness, m_ui->spinBoxBrightness);
    setupPropertyControl(kContrast, m_ui->groupContrast, m_ui->sliderContrast, m_ui->spinBoxContrast);
    setupPropertyControl(kSaturation, m_ui->groupSaturation, m_ui->sliderSaturation, m_ui->spinBoxSaturation);
    setupPropertyControl(kHue, m_ui->groupHue, m_ui->sliderHue, m_ui->spinBoxHue);
    setupPropertyControl(kGamma, m_ui->groupGamma, m_ui->sliderGamma, m_ui->spinBoxGamma);
    setupPropertyControl(kSharpness, m_ui->groupSharpness, m_ui->sliderSharpness, m_ui->spinBoxSharpness);
    setupPropertyControl(kDenoise, m_ui->groupDenoise, m_ui->sliderDenoise, m_ui->spinBoxDenoise);
}

void PanelCamColorAdjustment::on_sliderBrightness_valueChanged(int value)
{
    writeProperty(kBrightness, value);
}

void PanelCamColorAdjustment::on_sliderDenoise_valueChanged(int value)
{
    writeProperty(kDenoise, value);
}

void PanelCamColorAdjustment::on_sliderSharpness_valueChanged(int value)
{
    writeProperty(kSharpness, value);
}

void PanelCamColorAdjustment::on_sliderGamma_valueChanged(int value)
{
    writeProperty(kGamma, value);
}

void PanelCamColorAdjustment::on_sliderHue_valueChanged(int value)
{
    writeProperty(kHue, value);
}

void PanelCamColorAdjustment::on_sliderSaturation_valueChanged(int value)
{
    writeProperty(kSaturation, value);
}

void PanelCamColorAdjustment::on_sliderContrast_valueChanged(int value)
{
    writeProperty(kContrast, value);
}

void PanelCamColorAdjustment::on_pushButtonDefault_clicked()
{
    if (!camera) {
        return;
    }
    // The signals stay connected, so each restored value also goes through its handler and
    // reaches the camera once more.
    m_ui->comboBoxColorMode->setCurrentIndex(static_cast<int>(camera->resetEnumProperty(kColorMode)));
    m_ui->sliderBrightness->setValue(toControlValue(camera->resetProperty(kBrightness)));
    m_ui->sliderContrast->setValue(toControlValue(camera->resetProperty(kContrast)));
    m_ui->sliderSaturation->setValue(toControlValue(camera->resetProperty(kSaturation)));
    m_ui->sliderHue->setValue(toControlValue(camera->resetProperty(kHue)));
    m_ui->sliderGamma->setValue(toControlValue(camera->resetProperty(kGamma)));
    m_ui->sliderSharpness->setValue(toControlValue(camera->resetProperty(kSharpness)));
    m_ui->sliderDenoise->setValue(toControlValue(camera->resetProperty(kDenoise)));
}

void PanelCamColorAdjustment::on_comboBoxColorMode_currentIndexChanged(int index)
{
    // The camera's colour modes are numbered by their position in the list, not by item data.
    if (camera && index >= 0) {
        camera->setEnumProperty(kColorMode, static_cast<unsigned>(index));
    }
}

void PanelCamColorAdjustment::writeProperty(int id, int value)
{
    if (camera) {
        camera->setProperty(id, value);
    }
}
