#pragma once

#include "camera/panels/panelcamctrl.h"

#include <memory>

namespace Ui {
class PanelCamExposure;
}

/// The "Exposure & Gain" section: automatic exposure on or off, exposure target, exposure
/// time and gain.
class PanelCamExposure final : public PanelCamCtrl
{
    Q_OBJECT

public:
    explicit PanelCamExposure(QWidget* parent = nullptr);
    ~PanelCamExposure() override;

public slots:
    void updateControls() override;
    /// Shows the exposure time and gain the camera reports, telling neither the camera nor
    /// the spin boxes.
    void autoUpdate();

private slots:
    void on_checkBoxAuto_toggled(bool checked);
    void on_sliderTarget_valueChanged(int value);
    void on_sliderTime_valueChanged(int value);
    void on_sliderGain_valueChanged(int value);

private:
    std::unique_ptr<Ui::PanelCamExposure> m_ui;
};
