#pragma once

// What a camera's frame and stream-lost callbacks saw, read from the test's thread.

#include <tesk/camera.h>

#include <QImage>
#include <QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

struct CameraSink
{
    std::atomic<int> frames{0};
    std::atomic<int> placeholders{0}; ///< pictures of a box camera still waiting for its camera
    std::atomic<int> malformed{0};    ///< not 32-bit RGB of width × height × 4 bytes
    std::atomic<int> bad{0};          ///< pictures `isGood` refused
    std::atomic<int> lost{0};
    std::atomic<int> lostError{-1};
    std::atomic<bool> inside{false}; ///< the frame callback is running
    std::atomic<int> sleepMs{0};     ///< makes the frame callback slow
    std::function<bool(const QImage&)> isGood;

    void attach(tesk::Camera& camera)
    {
        camera.setFrameCallBack(&CameraSink::frame, this);
        camera.setStreamLostCallBack(
            [](int error, void* user) {
                auto* sink = static_cast<CameraSink*>(user);
                sink->lostError = error;
                ++sink->lost;
            },
            this);
    }
    QImage image()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_last;
    }
    bool waitFrames(int count, int timeoutMs = 5000)
    {
        const int target = frames + count;
        return QTest::qWaitFor([&]() { return frames >= target; }, timeoutMs);
    }

private:
    static void frame(const tesk::Frame*, const tesk::Frame* rgb, long long, void* user)
    {
        auto* sink = static_cast<CameraSink*>(user);
        sink->inside = true;
        if (rgb->format() == tesk::Frame::NoPicture) {
            ++sink->placeholders;
        } else if (rgb->format() != tesk::Frame::RGB32 ||
                   rgb->dataSize() != std::size_t(rgb->width()) * rgb->height() * 4) {
            ++sink->malformed;
        } else {
            // ARGB32 keeps the fourth byte, which must be 0xff.
            const QImage image =
                QImage(rgb->data(), rgb->width(), rgb->height(), rgb->width() * 4, QImage::Format_ARGB32).copy();
            if (sink->isGood && !sink->isGood(image)) {
                ++sink->bad;
            }
            {
                std::lock_guard<std::mutex> lock(sink->m_mutex);
                sink->m_last = image;
            }
            if (sink->sleepMs > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(sink->sleepMs.load()));
            }
            ++sink->frames;
        }
        sink->inside = false;
    }

    std::mutex m_mutex;
    QImage m_last;
};
