#include "cameraparamsform.h"

#include "camera/panels/panelcamcoloradjustment.h"
#include "camera/panels/panelcamdevices.h"
#include "camera/panels/panelcamexposure.h"
#include "camera/panels/panelcamflip.h"
#include "camera/panels/panelcammiscellaneous.h"
#include "camera/panels/panelcamvideosource.h"
#include "camera/panels/panelcamwhitebalance.h"
#include "widgets/categorytoolbox.h"

#include <QVBoxLayout>

CameraParamsForm::CameraParamsForm(bool withVideoSource, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CameraParamsForm"));

    if (withVideoSource) {
        m_videoSource = new PanelCamVideoSource(this);
        connect(m_videoSource, &PanelCamVideoSource::nameClicked, this, &CameraParamsForm::openSelectDeviceDialog);
        connect(m_videoSource, &PanelCamVideoSource::closeCamera, this, &CameraParamsForm::closeCamera);
        connect(m_videoSource, &PanelCamVideoSource::pauseCamera, this, &CameraParamsForm::pauseCamera);
        m_panels.append(m_videoSource);
    }

    m_toolBox = new CategoryToolBox(this);
    m_devices = new PanelCamDevices();
    m_toolBox->addCategory(tr("Image Source"), m_devices, true);
    auto* exposure = new PanelCamExposure();
    m_toolBox->addCategory(tr("Exposure && Gain"), exposure, false);
    auto* whiteBalance = new PanelCamWhiteBalance();
    m_toolBox->addCategory(tr("White Balance"), whiteBalance, false);
    auto* colorAdjustment = new PanelCamColorAdjustment();
    m_toolBox->addCategory(tr("Color Adjustment"), colorAdjustment, false);
    auto* flip = new PanelCamFlip();
    m_toolBox->addCategory(tr("Flip"), flip, false);
    auto* miscellaneous = new PanelCamMiscellaneous();
    m_toolBox->addCategory(tr("Miscellaneous"), miscellaneous, false);

    m_panels << m_devices << exposure << whiteBalance << colorAdjustment << flip << miscellaneous;
    m_toolBox->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_videoSource) {
        layout->addWidget(m_videoSource);
    }
    layout->addWidget(m_toolBox);
}

CameraParamsForm::~CameraParamsForm() = default;

void CameraParamsForm::setCamera(tesk::Camera* camera)
{
    for (PanelCamCtrl* panel : qAsConst(m_panels)) {
        panel->setCamera(camera);
    }
    m_toolBox->setEnabled(camera != nullptr);

    if (!camera) {
        // The sections keep what they showed, greyed out inside the disabled tool box.
        if (m_videoSource) {
            m_videoSource->updateControls();
        }
        return;
    }

    for (PanelCamCtrl* panel : qAsConst(m_panels)) {
        panel->updateControls();
    }
    // Rows shown or hidden for this camera change the sections' heights.
    m_toolBox->relayoutExpanded();
    if (m_videoSource) {
        m_videoSource->updateControls();
    }
}

void CameraParamsForm::setPanelDevicesDisabled(bool disabled)
{
    m_devices->setDisabled(disabled);
}
