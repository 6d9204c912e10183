#pragma once

#include "camera/panels/panelcamctrl.h"

#include <memory>

namespace Ui {
class PanelCamVideoSource;
}

/// The row above the camera sections: names the open video source (click it to choose another)
/// and carries the pause and close buttons.
class PanelCamVideoSource final : public PanelCamCtrl
{
    Q_OBJECT

public:
    explicit PanelCamVideoSource(QWidget* parent = nullptr);
    ~PanelCamVideoSource() override;

signals:
    void nameClicked();
    void closeCamera();
    /// Declared for the form to repeat; the panel's own pause button drives the camera directly.
    void pauseCamera(bool enable);

public slots:
    void updateControls() override;
    /// Shows or hides the pause and close buttons together.
    void setButtonVisible(bool visible);

private slots:
    void on_toolButtonClose_clicked();
    void on_toolButtonPause_clicked(bool checked);

private:
    std::unique_ptr<Ui::PanelCamVideoSource> m_ui;
};
