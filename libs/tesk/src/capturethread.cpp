#include "capturethread.h"

#include <tesk/log.h>

namespace tesk {

CaptureThread::~CaptureThread()
{
    stop();
}

void CaptureThread::start(std::function<void()> body)
{
    stop();
    m_keepRunning.store(true, std::memory_order_release);
    m_thread = std::thread(std::move(body));
}

void CaptureThread::stop()
{
    if (!m_thread.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_keepRunning.store(false, std::memory_order_release);
    }
    m_wake.notify_all();
    if (isCurrentThread()) {
        // Asked from the frame callback: the thread ends after the callback returns.
        log(LogLevel::Warning, "camera stopped from its own frame callback");
        m_thread.detach();
        return;
    }
    m_thread.join();
}

bool CaptureThread::sleepUntil(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_until(lock, deadline, [this]() { return !keepRunning(); });
    return keepRunning();
}

} // namespace tesk
