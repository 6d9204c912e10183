#pragma once

#include "camerainfo.h"
#include "frame.h"
#include "size.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tesk {

class RequestParams;

/// One camera. The application owns it and deletes it through the virtual destructor.
///
/// Calls come from one controlling thread. Frames arrive on the camera's capture thread
/// through the frame callback; stop() and close() return only when the callback can no
/// longer be running. The callback must not call stop() or close() of its own camera.
class Camera
{
public:
    /// (source frame, 32-bit RGB frame, time stamp in microseconds, user pointer). The
    /// source frame is the picture in the camera's own format where the backend has it,
    /// otherwise the same frame as the second.
    using FrameCallBack = std::function<void(const Frame*, const Frame*, long long, void*)>;
    /// (error number, user pointer). Called once, on the capture thread, when a running
    /// stream ends without being asked to (camera unplugged, network stream gone). By then
    /// the camera reports not opened; the owner should close() it from its own thread.
    using StreamLostCallBack = std::function<void(int, void*)>;

    explicit Camera(const CameraInfo& info);
    virtual ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    const CameraInfo& info() const { return m_info; }
    std::vector<Frame::Format> allFrameFormats() const;
    /// The sizes the current format offers.
    std::vector<Size> allFrameSizes() const;
    /// Restores a numeric property's default and returns it (0 when unsupported).
    double resetProperty(int id);
    /// Restores an enumerated property's default and returns it (0 when unsupported).
    unsigned resetEnumProperty(int id);
    void setFrameCallBack(FrameCallBack callback, void* user);
    void setStreamLostCallBack(StreamLostCallBack callback, void* user);
    /// Reads the request parameters used by the next open(); see docs/request-parameters.md.
    int loadRequestParam(const std::string& path);
    bool isSupportStillFrame() const;
    /// A still picture at the largest size.
    int grabMaxStillFrame(Frame* frame, unsigned timeoutMs);
    /// One picture at the largest size of the current format: JPEG (MJPEG) for an MJPEG
    /// camera, otherwise 32-bit RGB. The stream, if running, resumes afterwards.
    int grabMaxFrame(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs);

    virtual int open(int width, int height) = 0;
    virtual void close() = 0;
    virtual int start() = 0;
    virtual void stop() = 0;
    virtual bool isOpened() const = 0;
    /// Frames delivered per second, measured over the last two seconds.
    virtual double frameRate() const;
    virtual Frame::Format frameFormat() const = 0;
    virtual int setFrameFormat(Frame::Format format) = 0;
    virtual Size frameSize() const = 0;
    virtual int setFrameSize(int width, int height) = 0;
    virtual int setFlip(bool flip) = 0;
    virtual bool isFlip() const = 0;
    virtual int setMirror(bool mirror) = 0;
    virtual bool isMirror() const = 0;
    virtual bool isPropertySupported(int id) const = 0;
    /// Range of a numeric property; `step` is the smallest change the camera takes.
    virtual int propertyRange(int id, double* min, double* max, double* step) const = 0;
    virtual int getProperty(int id, double* value) const = 0;
    virtual int setProperty(int id, double value) = 0;
    virtual bool isEnumPropertySupported(int id) const = 0;
    virtual std::vector<unsigned> enumPropertyValues(int id) const = 0;
    virtual unsigned getEnumProperty(int id) const = 0;
    virtual int setEnumProperty(int id, unsigned value) = 0;

protected:
    virtual std::vector<Frame::Format> formats() const = 0;
    virtual std::vector<Size> sizes() const = 0;
    virtual double propertyDefault(int id) const = 0;
    virtual unsigned enumPropertyDefault(int id) const = 0;
    virtual bool hasStillCapture() const { return false; }
    virtual int captureStill(Frame* frame, unsigned timeoutMs);
    virtual int captureLargest(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs) = 0;

    const RequestParams& requestParams() const { return *m_params; }

    /// Hands a frame to the callback; called on the capture thread.
    void deliver(const Frame* source, const Frame* rgb, long long timestampUs);
    /// Tells the owner the stream has ended on its own; called on the capture thread.
    void reportStreamLost(int error);
    /// Forgets the measured rate, e.g. when the stream restarts.
    void resetFrameRate();

private:
    struct RateMeter;

    CameraInfo m_info;
    std::unique_ptr<RequestParams> m_params;
    std::mutex m_callbackMutex;
    FrameCallBack m_callback;
    void* m_user = nullptr;
    StreamLostCallBack m_streamLost;
    void* m_streamLostUser = nullptr;
    std::unique_ptr<RateMeter> m_rate;
};

} // namespace tesk
