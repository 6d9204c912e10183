#pragma once

#include "v4l2/v4l2io.h"

#include <tesk/size.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

/// A scripted V4L2 driver for tests: devices by node path, their formats, sizes, frame
/// rates and controls, buffers in plain memory, frames from a callback, and faults on
/// demand (busy, no bandwidth, unplugged).
class FakeV4l2 final : public tesk::V4l2Io
{
public:
    struct Payload
    {
        std::vector<uint8_t> bytes;
        bool damaged = false; ///< the driver marks the buffer with V4L2_BUF_FLAG_ERROR
    };
    using FrameSource = std::function<Payload(uint32_t fourcc, int width, int height, unsigned sequence)>;

    struct Control
    {
        int32_t min = 0, max = 0, step = 1, initial = 0, value = 0;
        uint32_t type = 1; // V4L2_CTRL_TYPE_INTEGER
        std::vector<int32_t> menu;
    };

    struct Device
    {
        std::string card = "Fake Camera";
        uint32_t caps = 0; // 0: a streaming capture node
        std::vector<std::pair<uint32_t, std::vector<tesk::Size>>> formats;
        bool stepwise = false; // the first format's sizes are a step-wise range
        uint32_t stepMinW = 0, stepMaxW = 0, stepW = 1, stepMinH = 0, stepMaxH = 0, stepH = 1;
        std::vector<double> rates = {30.0, 15.0};
        std::map<uint32_t, Control> controls;
        FrameSource source;
        std::chrono::milliseconds frameInterval{5};
        int openErrno = 0;
        int setFormatErrno = 0;
        tesk::Size refusedSize; ///< S_FMT of this size fails with EIO, like a mode the firmware lists but cannot do
        int streamOnErrno = 0;
        bool unplugged = false;

        // State, as the driver sees it.
        uint32_t fourcc = 0;
        tesk::Size size;
        double rate = 0.0;
        bool streaming = false;
        std::vector<std::vector<uint8_t>> buffers;
        std::deque<uint32_t> queued;
        unsigned sequence = 0;
        std::chrono::steady_clock::time_point nextFrame;
    };

    Device& device(const std::string& node) { return m_devices[node]; }
    /// Runs `change` on a device with the driver's lock held, waking a waiting poll().
    void change(const std::string& node, const std::function<void(Device&)>& change);

    int openFiles() const
    {
        return locked([&] { return int(m_files.size()); });
    }
    int mappedBuffers() const
    {
        return locked([&] { return int(m_mapped.size()); });
    }
    int pollCalls() const
    {
        return locked([&] { return m_pollCalls; });
    }
    Device snapshot(const std::string& node) const
    {
        return locked([&] { return m_devices.at(node); });
    }

    int open(const char* path, int flags) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    void* mmap(std::size_t length, int prot, int flags, int fd, off_t offset) override;
    int munmap(void* address, std::size_t length) override;
    int poll(struct pollfd* fds, nfds_t count, int timeoutMs) override;

private:
    template <typename F> auto locked(F f) const -> decltype(f())
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return f();
    }
    int ioctlLocked(Device& device, unsigned long request, void* arg);
    bool frameReadyLocked(const Device& device) const;
    Device* deviceOfLocked(int fd);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, Device> m_devices;
    std::map<int, std::string> m_files;
    std::map<void*, std::size_t> m_mapped;
    int m_nextFd = 100;
    int m_pollCalls = 0;
};
