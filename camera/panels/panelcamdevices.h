#pragma once

#include "camera/panels/panelcamctrl.h"

#include <memory>

namespace Ui {
class PanelCamDevices;
}

/// "Image Source": the camera's frame size and pixel format, chosen from the lists the camera reports.
class PanelCamDevices final : public PanelCamCtrl
{
    Q_OBJECT

public:
    explicit PanelCamDevices(QWidget* parent = nullptr);
    ~PanelCamDevices() override;

public slots:
    void updateControls() override;

private slots:
    void on_comboBoxPreviewSize_currentIndexChanged(int index);
    void on_comboBoxPreviewFormat_currentIndexChanged(int index);

public:
    /// Applies entry `index` of the camera's size list; nothing for a null camera or an index outside the list.
    static void setCameraFrameSize(tesk::Camera* camera, int index);
    /// Applies entry `index` of the camera's format list; nothing for a null camera or an index outside the list.
    static void setCameraFrameFormat(tesk::Camera* camera, int index);

private:
    void fillFormats();
    void fillSizes();

    std::unique_ptr<Ui::PanelCamDevices> m_ui;
};
