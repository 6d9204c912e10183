#include "opendevicedialog.h"

#include "ui_opendevicedialog.h"
#include "usbdevicemonitor.h"

#include <app/settingskeys.h>

#include <tesk/camerafactory.h>

#include <QDebug>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int kDravikIndex = 0;
constexpr int kNetcamIndex = 1;
// Asks every box camera on the network to answer.
constexpr int kDravikScanAllMode = 1;

QString fromLibrary(const std::string& text)
{
    return QString::fromStdString(text);
}
} // namespace

QStringList OpenDeviceDialog::defaultNetcamAddresses()
{
    // The camera's own access point first, then the usual address of a home router.
    return {QStringLiteral("192.168.42.1"), QStringLiteral("192.168.1.1")};
}

QString OpenDeviceDialog::defaultRtspUrl()
{
    return QStringLiteral("rtsp://%1/live/0_00").arg(defaultNetcamAddresses().constFirst());
}

bool OpenDeviceDialog::containsIpAddress(const QString& text)
{
    // Not anchored: an address inside other words counts.
    static const QRegularExpression pattern(
        QStringLiteral("((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)"));
    return pattern.match(text).hasMatch();
}

OpenDeviceDialog::OpenDeviceDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OpenDeviceDialog>()), m_usbMonitor(new UsbDeviceMonitor(this)),
      m_arrivalDelay(new QTimer(this))
{
    m_ui->setupUi(this);
    // An editable box shows the placeholder of its line edit, not its own.
    m_ui->comboBoxWiFiAddress->lineEdit()->setPlaceholderText(m_ui->comboBoxWiFiAddress->placeholderText());

    const QString storedUrl = QSettings().value(SettingsKeys::RtspUrl).toString();
    m_ui->comboBoxRtspUrl->addItem(defaultRtspUrl());
    if (!storedUrl.isEmpty() && storedUrl != defaultRtspUrl()) {
        m_ui->comboBoxRtspUrl->addItem(storedUrl);
    }
    m_ui->comboBoxRtspUrl->setCurrentIndex(0);

    m_ui->tabWidget->setCurrentIndex(0);
    m_ui->pushButtonWiFiConnect->setEnabled(false);

    // A camera needs a moment after plugging in before it can be listed; several nodes of one
    // camera arriving together give one refresh.
    m_arrivalDelay->setSingleShot(true);
    m_arrivalDelay->setInterval(ArrivalDelayMs);
    connect(m_arrivalDelay, &QTimer::timeout, this, &OpenDeviceDialog::refreshUSBDevices);
    connect(m_usbMonitor, &UsbDeviceMonitor::deviceArrived, m_arrivalDelay, qOverload<>(&QTimer::start));
    connect(m_usbMonitor, &UsbDeviceMonitor::deviceRemoved, this, &OpenDeviceDialog::refreshUSBDevices);
    if (!m_usbMonitor->start(this)) {
        qDebug() << "Failed to register device notification";
    }

    refreshUSBDevices();
}

OpenDeviceDialog::~OpenDeviceDialog()
{
    // The end calls die with the dialog; do not leave a scan listening on its own.
    if (m_pendingDravikScanEnds > 0) {
        tesk::CameraFactory::stopDravikDeviceScan();
    }
    if (m_pendingNetcamScanEnds > 0) {
        tesk::CameraFactory::stopNetcamDeviceScan();
    }
}

void OpenDeviceDialog::refreshUSBDevices()
{
    const std::vector<tesk::CameraInfo> devices = tesk::CameraFactory::deviceList();
    qDebug().noquote() << QStringLiteral("%1 devices found.").arg(devices.size());
    m_ui->listWidget->clear();
    for (const tesk::CameraInfo& device : devices) {
        const int row = m_ui->listWidget->count();
        auto* item = new QListWidgetItem(fromLibrary(device.name));
        item->setData(Qt::UserRole, QStringLiteral("%1#%2").arg(device.type).arg(device.index));
        m_ui->listWidget->insertItem(row, item);
        qDebug().noquote() << QStringLiteral("device %1: %2").arg(row).arg(item->text());
    }
    if (m_ui->listWidget->count() > 0) {
        m_ui->listWidget->setCurrentRow(0);
    }
    on_listWidget_itemSelectionChanged();
}

void OpenDeviceDialog::refreshWiFiDevices()
{
    if (selectedNetworkType() == tesk::SDKBoxCamera) {
        tesk::CameraFactory::startDravikDeviceScan(kDravikScanAllMode);
        ++m_pendingDravikScanEnds;
        QTimer::singleShot(ScanDurationMs, this, &OpenDeviceDialog::endDravikScan);
    } else {
        tesk::CameraFactory::startNetcamDeviceScan();
        ++m_pendingNetcamScanEnds;
        QTimer::singleShot(ScanDurationMs, this, &OpenDeviceDialog::endNetCamScan);
    }
    updateScanIndication();
}

void OpenDeviceDialog::refreshDravikDevices()
{
    const std::vector<tesk::CameraInfo> devices = tesk::CameraFactory::dravikDeviceList();
    qDebug().noquote() << QStringLiteral("%1 dravik devices found.").arg(devices.size());
    fillWiFiList(devices);
}

void OpenDeviceDialog::endDravikScan()
{
    const std::vector<tesk::CameraInfo> devices = tesk::CameraFactory::dravikDeviceList();
    qDebug().noquote() << QStringLiteral("%1 dravik devices found.").arg(devices.size());
    fillWiFiList(devices);
    tesk::CameraFactory::stopDravikDeviceScan();
    m_pendingDravikScanEnds = qMax(0, m_pendingDravikScanEnds - 1);
    updateScanIndication();
}

void OpenDeviceDialog::endNetCamScan()
{
    const std::vector<tesk::CameraInfo> devices = tesk::CameraFactory::netcamDeviceList();
    qDebug().noquote() << QStringLiteral("%1 network cameras found.").arg(devices.size());
    fillWiFiList(devices);
    tesk::CameraFactory::stopNetcamDeviceScan();
    m_pendingNetcamScanEnds = qMax(0, m_pendingNetcamScanEnds - 1);
    updateScanIndication();
}

void OpenDeviceDialog::fillWiFiList(const std::vector<tesk::CameraInfo>& devices)
{
    m_ui->listWidgetDravik->clear();
    for (const tesk::CameraInfo& device : devices) {
        const int row = m_ui->listWidgetDravik->count();
        const QString address = fromLibrary(device.address);
        auto* item = new QListWidgetItem(fromLibrary(device.name) + QLatin1Char(' ') + address);
        item->setData(Qt::UserRole, address);
        m_ui->listWidgetDravik->insertItem(row, item);
        qDebug().noquote() << QStringLiteral("network device %1: %2").arg(row).arg(fromLibrary(device.name));
    }
    if (m_ui->listWidgetDravik->count() > 0) {
        m_ui->listWidgetDravik->setCurrentRow(0);
    }
}

void OpenDeviceDialog::on_pushButtonRefresh_clicked()
{
    refreshUSBDevices();
}

void OpenDeviceDialog::on_pushButtonRefreshWiFi_clicked()
{
    refreshWiFiDevices();
}

void OpenDeviceDialog::on_listWidget_itemSelectionChanged()
{
    m_ui->pushButtonOpenCamera->setEnabled(!m_ui->listWidget->selectedItems().isEmpty());
}

void OpenDeviceDialog::on_listWidget_itemDoubleClicked(QListWidgetItem* item)
{
    openUsbItem(item);
    accept();
}

void OpenDeviceDialog::on_pushButtonOpenCamera_clicked()
{
    const QList<QListWidgetItem*> selected = m_ui->listWidget->selectedItems();
    for (const QListWidgetItem* item : selected) {
        openUsbItem(item);
    }
    accept();
}

void OpenDeviceDialog::on_listWidgetDravik_itemSelectionChanged()
{
    const QList<QListWidgetItem*> selected = m_ui->listWidgetDravik->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    m_ui->comboBoxWiFiAddress->clear();
    m_ui->comboBoxWiFiAddress->addItem(selected.constFirst()->data(Qt::UserRole).toString());
    m_ui->comboBoxWiFiAddress->setCurrentIndex(0);
}

void OpenDeviceDialog::on_listWidgetDravik_itemDoubleClicked(QListWidgetItem* /*item*/)
{
    // The double click has selected the item, which put its address into the address box.
    connectWiFiDevice();
}

void OpenDeviceDialog::on_pushButtonWiFiConnect_clicked()
{
    connectWiFiDevice();
}

void OpenDeviceDialog::on_pushButtonRTSPConnect_clicked()
{
    const QString text = m_ui->comboBoxRtspUrl->currentText();
    QSettings().setValue(SettingsKeys::RtspUrl, text);
    if (!QUrl(text, QUrl::TolerantMode).isValid()) {
        // The text may hold a password: do not log it.
        qDebug() << "The stream address is not a valid URL; nothing opened";
        return;
    }
    emit openNetworkDevice(tesk::SDKRtsp, text);
    accept();
}

void OpenDeviceDialog::on_comboBoxWiFiType_currentIndexChanged(int index)
{
    m_ui->comboBoxWiFiAddress->clear();
    if (index == kNetcamIndex) {
        m_ui->comboBoxWiFiAddress->addItems(defaultNetcamAddresses());
        m_ui->comboBoxWiFiAddress->setCurrentIndex(0);
    }
}

void OpenDeviceDialog::on_comboBoxWiFiAddress_currentTextChanged(const QString& text)
{
    m_ui->pushButtonWiFiConnect->setEnabled(containsIpAddress(text));
}

bool OpenDeviceDialog::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    m_usbMonitor->handleNativeEvent(eventType, message);
    return QDialog::nativeEvent(eventType, message, result);
}

void OpenDeviceDialog::openUsbItem(const QListWidgetItem* item)
{
    if (!item) {
        return;
    }
    // "<kind>#<index>"; the kind is not needed to open a USB camera.
    const QString data = item->data(Qt::UserRole).toString();
    const QStringList fields = data.split(QLatin1Char('#'));
    bool ok = false;
    const int index = fields.size() >= 2 ? fields.at(1).toInt(&ok, 10) : 0;
    if (!ok) {
        qWarning().noquote() << QStringLiteral("USB device item without an index: \"%1\"").arg(data);
        return;
    }
    emit openUsbDevice(index);
}

void OpenDeviceDialog::connectWiFiDevice()
{
    if (m_ui->comboBoxWiFiAddress->count() == 0) {
        qDebug() << "No network device chosen; nothing to connect to";
        return;
    }
    emit openNetworkDevice(selectedNetworkType(), m_ui->comboBoxWiFiAddress->currentText());
    accept();
}

int OpenDeviceDialog::selectedNetworkType() const
{
    return m_ui->comboBoxWiFiType->currentIndex() == kDravikIndex ? tesk::SDKBoxCamera : tesk::SDKNetworkCamera;
}

void OpenDeviceDialog::updateScanIndication()
{
    // The list is where the results will appear; a busy pointer over it says a scan runs.
    if (m_pendingDravikScanEnds + m_pendingNetcamScanEnds > 0) {
        m_ui->listWidgetDravik->setCursor(Qt::BusyCursor);
    } else {
        m_ui->listWidgetDravik->unsetCursor();
    }
}
