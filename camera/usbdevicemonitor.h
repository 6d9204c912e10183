#pragma once

#include <QObject>

#include <memory>

class QByteArray;
class QWidget;

/// Tells when a camera is plugged in or pulled out, so a device list can be kept current.
/// On Linux it listens to udev for video devices. On Windows the system sends its
/// device-change messages to a window, which hands them on through handleNativeEvent().
class UsbDeviceMonitor final : public QObject
{
    Q_OBJECT

public:
    enum class Change
    {
        None,
        Arrived,
        Removed,
    };

    explicit UsbDeviceMonitor(QObject* parent = nullptr);
    ~UsbDeviceMonitor() override;

    /// Starts listening. `window` is where the system delivers its messages on platforms that
    /// send them to a window; elsewhere it is not used. False, with a log line saying why,
    /// when the system refuses; the monitor then stays silent.
    bool start(QWidget* window);
    void stop();
    bool isListening() const;

    /// One native message of the listening window. Never consumes it: the window passes every
    /// message on to its default handling.
    void handleNativeEvent(const QByteArray& eventType, void* message);

    /// Reports one change as a signal. The platform code calls it; tests drive it directly.
    void notify(Change change);

    /// What a udev action of a video device means: "add" and "remove"; anything else is none.
    static Change changeForUdevAction(const char* action);

signals:
    void deviceArrived();
    void deviceRemoved();

private:
    struct Platform;
    std::unique_ptr<Platform> m_platform;
};
