#pragma once

#include "capturethread.h"
#include "streamdecoder.h"

#include <tesk/camera.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tesk {

/// A camera on the network: an RTSP or HTTP stream, a file, or a box or network camera at an
/// IPv4 address, whose URL comes from a template. Decoded with FFmpeg; no image properties.
class NetworkCamera final : public Camera
{
public:
    explicit NetworkCamera(const CameraInfo& info);
    ~NetworkCamera() override;

    /// Bounds open() and every read; overrides the request parameters. Default 5 s.
    void setOpenTimeout(std::chrono::milliseconds timeout);
    /// The URL the next open() connects to.
    std::string url() const;
    /// True while a box camera is connected but sends no picture yet (frames of format 40).
    bool isWaitingForPicture() const;

    int open(int width, int height) override;
    void close() override;
    int start() override;
    void stop() override;
    bool isOpened() const override;
    double frameRate() const override;
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

protected:
    std::vector<Frame::Format> formats() const override;
    std::vector<Size> sizes() const override;
    double propertyDefault(int) const override { return 0.0; }
    unsigned enumPropertyDefault(int) const override { return 0; }
    int captureLargest(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs) override;

private:
    StreamDecoder::Options options() const;
    int openStream();
    void takeStreamDetails();
    void captureLoop();
    bool waitForPicture();
    void streamPictures();
    void lose(int error);
    void offerToGrab();

    mutable std::mutex m_mutex;
    bool m_opened = false;
    bool m_waiting = false; // box camera connected, no picture yet
    bool m_flip = false;
    bool m_mirror = false;
    bool m_hasTimeoutOverride = false;
    std::chrono::milliseconds m_timeout{5000};
    Size m_size;
    double m_nominalRate = 0.0;
    Frame::Format m_format = Frame::Unknown;

    StreamDecoder m_decoder; // the capture thread's while it runs, the caller's otherwise
    CaptureThread m_thread;

    std::mutex m_grabMutex;
    std::condition_variable m_grabDone;
    Frame* m_grabTarget = nullptr;
    bool m_grabFilled = false;
};

} // namespace tesk
