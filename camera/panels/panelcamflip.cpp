#include "panelcamflip.h"

#include "ui_panelcamflip.h"

#include <tesk/camera.h>

PanelCamFlip::PanelCamFlip(QWidget* parent) : PanelCamCtrl(parent), m_ui(std::make_unique<Ui::PanelCamFlip>())
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(4, 4, 4, 4);
}

PanelCamFlip::~PanelCamFlip() = default;

void PanelCamFlip::updateControls()
{
    setEnabled(true);
    if (!camera) {
        return;
    }
    // setChecked() does not emit clicked(), so nothing goes back to the camera.
    m_ui->pushButtonMirror->setChecked(camera->isMirror());
    m_ui->pushButtonFlip->setChecked(camera->isFlip());
}

void PanelCamFlip::on_pushButtonMirror_clicked(bool checked)
{
    if (camera) {
        camera->setMirror(checked);
    }
}

void PanelCamFlip::on_pushButtonFlip_clicked(bool checked)
{
    if (camera) {
        camera->setFlip(checked);
    }
}
