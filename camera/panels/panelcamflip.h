#pragma once

#include "camera/panels/panelcamctrl.h"

#include <memory>

namespace Ui {
class PanelCamFlip;
}

/// "Flip": mirror (left to right) and flip (top to bottom) toggles of the camera's picture.
class PanelCamFlip final : public PanelCamCtrl
{
    Q_OBJECT

public:
    explicit PanelCamFlip(QWidget* parent = nullptr);
    ~PanelCamFlip() override;

public slots:
    void updateControls() override;

private slots:
    void on_pushButtonMirror_clicked(bool checked);
    void on_pushButtonFlip_clicked(bool checked);

private:
    std::unique_ptr<Ui::PanelCamFlip> m_ui;
};
