#pragma once

#include "capturethread.h"
#include "testpattern.h"

#include <tesk/camera.h>

#include <atomic>
#include <map>
#include <mutex>

namespace tesk {

/// A camera made of software: every property, several sizes and formats, still capture, and
/// a moving test chart that shows what the properties do. Stands in for hardware anywhere.
class EmulatedCamera final : public Camera
{
public:
    explicit EmulatedCamera(const CameraInfo& info);
    ~EmulatedCamera() override;

    int open(int width, int height) override;
    void close() override;
    int start() override;
    void stop() override;
    bool isOpened() const override;
    Frame::Format frameFormat() const override;
    int setFrameFormat(Frame::Format format) override;
    Size frameSize() const override;
    int setFrameSize(int width, int height) override;
    int setFlip(bool flip) override;
    bool isFlip() const override;
    int setMirror(bool mirror) override;
    bool isMirror() const override;
    bool isPropertySupported(int id) const override;
    int propertyRange(int id, double* min, double* max, double* step) const override;
    int getProperty(int id, double* value) const override;
    int setProperty(int id, double value) override;
    bool isEnumPropertySupported(int id) const override;
    std::vector<unsigned> enumPropertyValues(int id) const override;
    unsigned getEnumProperty(int id) const override;
    int setEnumProperty(int id, unsigned value) override;

    /// The nominal rate of a size: what the stream is paced to.
    static double nominalFrameRate(const Size& size);

protected:
    std::vector<Frame::Format> formats() const override;
    std::vector<Size> sizes() const override;
    double propertyDefault(int id) const override;
    unsigned enumPropertyDefault(int id) const override;
    bool hasStillCapture() const override { return true; }
    int captureStill(Frame* frame, unsigned timeoutMs) override;
    int captureLargest(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs) override;

private:
    struct Range
    {
        double min, max, step, initial;
    };
    static const std::map<int, Range>& ranges();
    static const std::map<int, std::vector<unsigned>>& enumValues();

    void applyRequestParams();
    PatternLook lookLocked(long long frameNumber) const;
    double framePeriodLocked() const;
    void captureLoop();

    mutable std::mutex m_mutex;
    bool m_opened = false;
    Size m_size;
    Frame::Format m_format = Frame::MJPEG;
    double m_fpsOverride = 0.0;
    bool m_flip = false;
    bool m_mirror = false;
    std::map<int, double> m_values;
    std::map<int, unsigned> m_enums;
    std::atomic<double> m_focus{0.0};

    CaptureThread m_thread;
    TestPattern m_pattern; // used by the capture thread only
    std::vector<uint8_t> m_buffer;
    std::mutex m_stillMutex;
    TestPattern m_stillPattern; // used by grabs
};

} // namespace tesk
