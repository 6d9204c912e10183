#pragma once

#include "camera/panels/panelcamctrl.h"

#include <memory>

namespace Ui {
class PanelCamMiscellaneous;
}

/// "Miscellaneous": the mains power frequency the camera suppresses and a network camera's packet size.
class PanelCamMiscellaneous final : public PanelCamCtrl
{
    Q_OBJECT

public:
    explicit PanelCamMiscellaneous(QWidget* parent = nullptr);
    ~PanelCamMiscellaneous() override;

public slots:
    void updateControls() override;

private slots:
    void on_comboBoxPowerFrequency_currentIndexChanged(int index);
    void on_spinBoxPacketSize_valueChanged(int arg1);

private:
    void updatePacketSize();

    std::unique_ptr<Ui::PanelCamMiscellaneous> m_ui;
};
