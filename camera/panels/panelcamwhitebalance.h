#pragma once

#include "camera/panels/panelcamctrl.h"

#include <memory>

class QTimer;

namespace Ui {
class PanelCamWhiteBalance;
}

/// The "White Balance" section: the camera's white-balance mode, a one-push balance, and a
/// colour temperature or red, green and blue gains, whichever the camera offers. Re-reads
/// temperature and gains every three seconds, since the camera changes them by itself in
/// the automatic modes.
class PanelCamWhiteBalance final : public PanelCamCtrl
{
    Q_OBJECT

public:
    explicit PanelCamWhiteBalance(QWidget* parent = nullptr);
    ~PanelCamWhiteBalance() override;

    static constexpr int kRefreshIntervalMs = 3000;
    static constexpr int kOnePushSettleMs = 1000;

public slots:
    void updateControls() override;
    /// Shows the temperature and gains the camera reports; writes nothing.
    void autoUpdate();

private slots:
    void on_pushButtonOnce_clicked();
    void on_comboBoxModes_currentIndexChanged(int index);
    void on_sliderTemperature_valueChanged(int value);
    void on_sliderRGain_valueChanged(int value);
    void on_sliderGGain_valueChanged(int value);
    void on_sliderBGain_valueChanged(int value);
    void on_pushButtonDefault_clicked();

private:
    std::unique_ptr<Ui::PanelCamWhiteBalance> m_ui;
    QTimer* m_refreshTimer;
};
