#pragma once

#include <tesk/camerainfo.h>

#include <QDialog>
#include <QStringList>

#include <memory>
#include <vector>

class QListWidgetItem;
class QTimer;
class UsbDeviceMonitor;

namespace Ui {
class OpenDeviceDialog;
}

/// The modal dialog in which the user picks a video source: an attached USB camera, a
/// network device found by a scan or typed in by address, or an RTSP stream. It opens
/// nothing itself: it names the choice with one of its two signals and closes.
class OpenDeviceDialog final : public QDialog
{
    Q_OBJECT

public:
    /// How long a network scan listens before its list is read.
    static constexpr int ScanDurationMs = 3000;
    /// How long a newly plugged camera is given before the USB list is read again.
    static constexpr int ArrivalDelayMs = 1000;

    /// The fixed addresses offered for network cameras; the first is the camera's own
    /// access point and also forms the fixed RTSP address.
    static QStringList defaultNetcamAddresses();
    static QString defaultRtspUrl();
    /// True when an IPv4 address occurs anywhere in `text`.
    static bool containsIpAddress(const QString& text);

    explicit OpenDeviceDialog(QWidget* parent = nullptr);
    ~OpenDeviceDialog() override;

signals:
    void openUsbDevice(int index);
    /// `type` is the camera library's network type: 1 box camera and 3 network camera, both
    /// by IP address, 2 stream by URL.
    void openNetworkDevice(int type, const QString& url);

public slots:
    void refreshUSBDevices();
    void refreshWiFiDevices();
    void refreshDravikDevices();
    void endDravikScan();
    void endNetCamScan();
    void fillWiFiList(const std::vector<tesk::CameraInfo>& devices);

private slots:
    void on_pushButtonRefresh_clicked();
    void on_pushButtonRefreshWiFi_clicked();
    void on_listWidget_itemSelectionChanged();
    void on_listWidget_itemDoubleClicked(QListWidgetItem* item);
    void on_pushButtonOpenCamera_clicked();
    void on_listWidgetDravik_itemSelectionChanged();
    void on_listWidgetDravik_itemDoubleClicked(QListWidgetItem* item);
    void on_pushButtonWiFiConnect_clicked();
    void on_pushButtonRTSPConnect_clicked();
    void on_comboBoxWiFiType_currentIndexChanged(int index);
    void on_comboBoxWiFiAddress_currentTextChanged(const QString& text);

protected:
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;

private:
    void openUsbItem(const QListWidgetItem* item);
    void connectWiFiDevice();
    int selectedNetworkType() const;
    void updateScanIndication();

    std::unique_ptr<Ui::OpenDeviceDialog> m_ui;
    UsbDeviceMonitor* m_usbMonitor = nullptr;
    QTimer* m_arrivalDelay = nullptr;
    // End calls still to come; a scan restarted before its end has two.
    int m_pendingDravikScanEnds = 0;
    int m_pendingNetcamScanEnds = 0;
};
