#include <QtGlobal>

#ifdef Q_OS_WIN

#include "usbdevicemonitor.h"

#include <QDebug>
#include <QWidget>

#include <windows.h>

#include <dbt.h>

namespace {
// The USB device interface class: every USB device, cameras among them.
constexpr GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

UsbDeviceMonitor::Change changeForDeviceEvent(WPARAM event)
{
    switch (event) {
    case DBT_DEVICEARRIVAL:
        return UsbDeviceMonitor::Change::Arrived;
    case DBT_DEVICEREMOVECOMPLETE:
        return UsbDeviceMonitor::Change::Removed;
    default:
        return UsbDeviceMonitor::Change::None;
    }
}
} // namespace

// The system sends WM_DEVICECHANGE to the registered window; the handle is the registration.
struct UsbDeviceMonitor::Platform
{
    ~Platform() { close(); }

    void close()
    {
        if (handle) {
            UnregisterDeviceNotification(handle);
            handle = nullptr;
        }
    }

    HDEVNOTIFY handle = nullptr;
};

UsbDeviceMonitor::UsbDeviceMonitor(QObject* parent) : QObject(parent), m_platform(std::make_unique<Platform>()) {}

UsbDeviceMonitor::~UsbDeviceMonitor() = default;

bool UsbDeviceMonitor::start(QWidget* window)
{
    if (isListening()) {
        return true;
    }
    if (!window) {
        qWarning() << "USB device monitor: no window to receive device notifications";
        return false;
    }
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kUsbDeviceInterface;
    const HWND hwnd = reinterpret_cast<HWND>(window->winId());
    m_platform->handle = RegisterDeviceNotificationW(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!m_platform->handle) {
        qWarning() << "USB device monitor: RegisterDeviceNotificationW failed, error" << GetLastError();
        return false;
    }
    return true;
}

void UsbDeviceMonitor::stop()
{
    m_platform->close();
}

bool UsbDeviceMonitor::isListening() const
{
    return m_platform->handle != nullptr;
}

void UsbDeviceMonitor::handleNativeEvent(const QByteArray& eventType, void* message)
{
    if (!isListening() || eventType != "windows_generic_MSG" || !message) {
        return;
    }
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_DEVICECHANGE) {
        notify(changeForDeviceEvent(msg->wParam));
    }
}

#endif // Q_OS_WIN
