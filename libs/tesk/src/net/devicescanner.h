#pragma once

#include "scanprotocol.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

namespace tesk {

/// Runs one discovery protocol on a thread of its own: sends the probe a few times and
/// collects the answers, so the caller never waits. devices() returns what has arrived.
class DeviceScanner final
{
public:
    explicit DeviceScanner(std::unique_ptr<ScanProtocol> protocol);
    ~DeviceScanner();
    DeviceScanner(const DeviceScanner&) = delete;
    DeviceScanner& operator=(const DeviceScanner&) = delete;

    /// Forgets earlier results and scans again.
    void start();
    /// Ends the scan; the results stay until the next start().
    void stop();
    bool isRunning() const { return m_running.load(); }
    std::vector<CameraInfo> devices() const;

    /// How long a scan listens after its first probe.
    static constexpr std::chrono::milliseconds kListenTime{10000};

private:
    void run(std::string probe);
    void add(const std::vector<CameraInfo>& found);

    std::unique_ptr<ScanProtocol> m_protocol;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    mutable std::mutex m_mutex;
    std::vector<CameraInfo> m_devices;
};

} // namespace tesk
