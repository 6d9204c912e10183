#pragma once

#include "camera/panels/panelcamctrl.h"

#include <memory>

namespace Ui {
class PanelCamColorAdjustment;
}

/// "Color Adjustment": the colour mode and seven picture controls, with a reset to the camera's defaults.
class PanelCamColorAdjustment final : public PanelCamCtrl
{
    Q_OBJECT

public:
    explicit PanelCamColorAdjustment(QWidget* parent = nullptr);
    ~PanelCamColorAdjustment() override;

public slots:
    void updateControls() override;

private slots:
    void on_sliderBrightness_valueChanged(int value);
    void on_sliderDenoise_valueChanged(int value);
    void on_sliderSharpness_valueChanged(int value);
    void on_sliderGamma_valueChanged(int value);
    void on_sliderHue_valueChanged(int value);
    void on_sliderSaturation_valueChanged(int value);
    void on_sliderContrast_valueChanged(int value);
    void on_pushButtonDefault_clicked();
    void on_comboBoxColorMode_currentIndexChanged(int index);

private:
    void writeProperty(int id, int value);

    std::unique_ptr<Ui::PanelCamColorAdjustment> m_ui;
};
