#include <QtGlobal>

#ifdef Q_OS_LINUX

#include "usbdevicemonitor.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

// udev's view of the video devices: it announces a node after its rules have run, so by the
// time an "add" arrives the node has its permissions and can be opened.
struct UsbDeviceMonitor::Platform
{
    ~Platform() { close(); }

    void close()
    {
        if (notifier) {
            // close() may run inside the notifier's own signal: let it finish first.
            notifier->setEnabled(false);
            notifier->deleteLater();
            notifier = nullptr;
        }
        if (monitor) {
            udev_monitor_unref(monitor);
            monitor = nullptr;
        }
        if (context) {
            udev_unref(context);
            context = nullptr;
        }
    }

    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    QSocketNotifier* notifier = nullptr; // a child of the monitor
};

UsbDeviceMonitor::UsbDeviceMonitor(QObject* parent) : QObject(parent), m_platform(std::make_unique<Platform>()) {}

UsbDeviceMonitor::~UsbDeviceMonitor() = default;

bool UsbDeviceMonitor::start(QWidget* /*window*/)
{
    if (isListening()) {
        return true;
    }
    Platform& p = *m_platform;
    p.context = udev_new();
    if (!p.context) {
        qWarning() << "USB device monitor: udev is not available";
        return false;
    }
    p.monitor = udev_monitor_new_from_netlink(p.context, "udev");
    if (!p.monitor) {
        qWarning() << "USB device monitor: cannot open the udev event socket";
        p.close();
        return false;
    }
    if (udev_monitor_filter_add_match_subsystem_devtype(p.monitor, "video4linux", nullptr) < 0 ||
        udev_monitor_enable_receiving(p.monitor) < 0) {
        qWarning() << "USB device monitor: cannot receive udev events for video devices";
        p.close();
        return false;
    }
    const int fd = udev_monitor_get_fd(p.monitor);
    if (fd < 0) {
        qWarning() << "USB device monitor: the udev event socket has no descriptor";
        p.close();
        return false;
    }
    p.notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(p.notifier, &QSocketNotifier::activated, this, [this]() {
        // The socket does not block: read every event that is waiting, then go back to the loop.
        // A receiver of the signals may stop the monitor, so look again before each read.
        while (m_platform->monitor) {
            udev_device* device = udev_monitor_receive_device(m_platform->monitor);
            if (!device) {
                break;
            }
            const Change change = changeForUdevAction(udev_device_get_action(device));
            udev_device_unref(device);
            notify(change);
        }
    });
    return true;
}

void UsbDeviceMonitor::stop()
{
    m_platform->close();
}

bool UsbDeviceMonitor::isListening() const
{
    return m_platform->notifier != nullptr;
}

void UsbDeviceMonitor::handleNativeEvent(const QByteArray& /*eventType*/, void* /*message*/)
{
    // udev reports through its own socket; window messages carry nothing for us here.
}

#endif // Q_OS_LINUX
