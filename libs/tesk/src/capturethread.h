#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tesk {

/// The one thread a camera captures on. stop() returns when the thread has ended, so
/// nothing the thread calls (the frame callback above all) can still be running.
class CaptureThread final
{
public:
    CaptureThread() = default;
    ~CaptureThread();
    CaptureThread(const CaptureThread&) = delete;
    CaptureThread& operator=(const CaptureThread&) = delete;

    /// Runs `body` on a new thread until it returns; `body` polls keepRunning().
    void start(std::function<void()> body);
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    bool keepRunning() const { return m_keepRunning.load(std::memory_order_acquire); }
    bool isCurrentThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

    /// Sleeps until `deadline` or until stop() is asked; false when asked to stop.
    bool sleepUntil(std::chrono::steady_clock::time_point deadline);

private:
    std::thread m_thread;
    std::atomic<bool> m_keepRunning{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

} // namespace tesk
