#pragma once

#include <tesk/camera.h>
#include <tesk/errors.h>
#include <tesk/frame.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

/// A camera that sends a plain 640 x 480 picture about every 20 ms from its own thread, and
/// whose stream can be ended the way an unplugged camera's ends.
class FakeCamera final : public tesk::Camera
{
public:
    explicit FakeCamera(const tesk::CameraInfo& info) : tesk::Camera(info), m_pixels(640 * 480 * 4, 0x80) {}
    ~FakeCamera() override { close(); }

    /// Ends the stream from the capture thread, as a backend does when the device is gone.
    void loseStream() { m_lose = true; }

    /// What the largest-size and still grabs give: `result`, and on success `frame`.
    void setGrab(int result, const tesk::Frame& frame = tesk::Frame())
    {
        m_grabResult = result;
        m_grabFrame = frame;
    }
    void setStillCapture(bool supported) { m_still = supported; }
    int liveGrabs() const { return m_liveGrabs; }
    int stillGrabs() const { return m_stillGrabs; }

    int open(int, int) override
    {
        m_opened = true;
        return 0;
    }
    void close() override
    {
        stop();
        m_opened = false;
    }
    int start() override
    {
        if (m_thread.joinable()) {
            return 0;
        }
        m_running = true;
        m_thread = std::thread([this] { run(); });
        return 0;
    }
    void stop() override
    {
        m_running = false;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    bool isOpened() const override { return m_opened; }
    tesk::Frame::Format frameFormat() const override { return tesk::Frame::RGB32; }
    int setFrameFormat(tesk::Frame::Format) override { return 0; }
    tesk::Size frameSize() const override { return tesk::Size(640, 480); }
    int setFrameSize(int, int) override { return 0; }
    int setFlip(bool) override { return 0; }
    bool isFlip() const override { return false; }
    int setMirror(bool) override { return 0; }
    bool isMirror() const override { return false; }
    bool isPropertySupported(int) const override { return false; }
    int propertyRange(int, double*, double*, double*) const override { return tesk::ErrorNotSupported; }
    int getProperty(int, double*) const override { return tesk::ErrorNotSupported; }
    int setProperty(int, double) override { return tesk::ErrorNotSupported; }
    bool isEnumPropertySupported(int) const override { return false; }
    std::vector<unsigned> enumPropertyValues(int) const override { return {}; }
    unsigned getEnumProperty(int) const override { return 0; }
    int setEnumProperty(int, unsigned) override { return tesk::ErrorNotSupported; }

protected:
    std::vector<tesk::Frame::Format> formats() const override { return {tesk::Frame::RGB32}; }
    std::vector<tesk::Size> sizes() const override { return {tesk::Size(640, 480)}; }
    double propertyDefault(int) const override { return 0; }
    unsigned enumPropertyDefault(int) const override { return 0; }
    int captureLargest(tesk::Frame* frame, unsigned, unsigned) override
    {
        ++m_liveGrabs;
        return giveGrab(frame);
    }
    bool hasStillCapture() const override { return m_still; }
    int captureStill(tesk::Frame* frame, unsigned) override
    {
        ++m_stillGrabs;
        return giveGrab(frame);
    }

private:
    int giveGrab(tesk::Frame* frame)
    {
        if (m_grabResult == 0) {
            *frame = m_grabFrame;
        }
        return m_grabResult;
    }

    void run()
    {
        while (m_running) {
            if (m_lose) {
                m_opened = false;
                m_running = false;
                reportStreamLost(tesk::ErrorDeviceLost);
                return;
            }
            const tesk::Frame frame(m_pixels.data(), m_pixels.size(), tesk::Frame::RGB32, 640, 480);
            deliver(&frame, &frame, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::vector<uint8_t> m_pixels;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_lose{false};
    int m_grabResult = tesk::ErrorNotSupported;
    tesk::Frame m_grabFrame;
    bool m_still = false;
    int m_liveGrabs = 0;
    int m_stillGrabs = 0;
};
