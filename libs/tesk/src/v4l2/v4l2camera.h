#pragma once

#include "../capturethread.h"
#include "frameconverter.h"
#include "v4l2controls.h"

#include <tesk/camera.h>

#include <atomic>
#include <linux/videodev2.h>
#include <mutex>

namespace tesk {

class V4l2Io;

/// A USB (UVC) camera driven through V4L2: memory-mapped buffers read by a capture thread
/// that waits in poll() with a timeout, frames converted to 32-bit RGB, the driver's
/// controls behind the library's property ids.
class V4l2Camera final : public Camera
{
public:
    V4l2Camera(const CameraInfo& info, V4l2Io& io);
    ~V4l2Camera() override;

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

    /// Frames dropped because they arrived damaged (a broken JPEG, a short buffer).
    long long damagedFrames() const { return m_damaged.load(); }
    /// The frame rate asked of the driver for the current size (0: the driver's own).
    double nominalFrameRate() const;

protected:
    std::vector<Frame::Format> formats() const override;
    std::vector<Size> sizes() const override;
    double propertyDefault(int id) const override;
    unsigned enumPropertyDefault(int id) const override;
    int captureLargest(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs) override;

private:
    struct Buffer
    {
        void* start = nullptr;
        std::size_t length = 0;
    };
    struct FormatModes
    {
        Frame::Format format = Frame::Unknown;
        uint32_t fourcc = 0;
        std::vector<Size> sizes;
    };

    // All *Locked functions expect m_mutex held and the capture thread stopped, except
    // where they say otherwise.
    void enumerateModesLocked();
    const FormatModes* modesLocked(Frame::Format format) const;
    Frame::Format defaultFormatLocked(const Size& wanted) const;
    int configureLocked(Frame::Format format, const Size& size);
    void setFrameIntervalLocked(uint32_t fourcc, const Size& size);
    int streamOnLocked();
    void streamOffLocked();
    void releaseBuffersLocked();
    void closeDeviceLocked();
    int switchModeLocked(Frame::Format format, const Size& size);
    int restartWith(Frame::Format format, const Size& size);
    int takeOneFrameLocked(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs);
    void applyFlipMirrorLocked();

    void captureLoop();
    bool convertBuffer(const v4l2_buffer& buffer, uint8_t* out);
    void countDamaged(const char* why);
    void loseStream(int error, const char* during);

    V4l2Io& m_io;
    mutable std::mutex m_mutex;
    int m_fd = -1;
    bool m_opened = false;
    bool m_streaming = false;
    std::vector<FormatModes> m_modes;
    Frame::Format m_format = Frame::Unknown;
    Size m_size;
    int m_stride = 0;
    double m_wantedFps = 0.0;
    double m_nominalFps = 0.0;
    std::vector<Buffer> m_buffers;
    V4l2Controls m_controls;
    bool m_flip = false;
    bool m_mirror = false;
    // Flip and mirror the converter does when the camera cannot; read by the capture thread.
    std::atomic<bool> m_softFlip{false};
    std::atomic<bool> m_softMirror{false};

    CaptureThread m_thread;
    FrameConverter m_converter; // capture thread, or the controlling thread while it is stopped
    std::vector<uint8_t> m_rgb;
    std::atomic<double> m_focus{0.0};
    std::atomic<long long> m_damaged{0};
};

} // namespace tesk
