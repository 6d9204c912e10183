#pragma once

#include <QList>
#include <QWidget>

class CategoryToolBox;
class PanelCamCtrl;
class PanelCamDevices;
class PanelCamVideoSource;

namespace tesk {
class Camera;
}

/// The camera page of the sidebar: the video source row above collapsible sections of camera
/// controls. Hands the open camera to every panel and has them show it.
class CameraParamsForm final : public QWidget
{
    Q_OBJECT

public:
    /// `withVideoSource` puts the video source row (name, pause, close) above the sections.
    explicit CameraParamsForm(bool withVideoSource, QWidget* parent = nullptr);
    ~CameraParamsForm() override;

signals:
    /// The video source name was clicked.
    void openSelectDeviceDialog();
    void closeCamera();
    void pauseCamera(bool enable);

public slots:
    /// The camera to show and drive, or null after it was closed; not owned.
    void setCamera(tesk::Camera* camera);
    /// Disables (true) or enables the "Image Source" section.
    void setPanelDevicesDisabled(bool disabled);

private:
    PanelCamVideoSource* m_videoSource = nullptr;
    PanelCamDevices* m_devices = nullptr;
    QList<PanelCamCtrl*> m_panels;
    CategoryToolBox* m_toolBox = nullptr;
};
