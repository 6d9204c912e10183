#include <tesk/camera.h>

#include "requestparams.h"

#include <tesk/errors.h>

#include <chrono>
#include <deque>

namespace tesk {

// Delivery times of the last two seconds.
struct Camera::RateMeter
{
    static constexpr long long kWindowUs = 2000000;

    std::mutex mutex;
    std::deque<long long> times;

    void add(long long nowUs)
    {
        std::lock_guard<std::mutex> lock(mutex);
        times.push_back(nowUs);
        while (!times.empty() && nowUs - times.front() > kWindowUs) {
            times.pop_front();
        }
    }

    double rate()
    {
        const long long nowUs =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        std::lock_guard<std::mutex> lock(mutex);
        while (!times.empty() && nowUs - times.front() > kWindowUs) {
            times.pop_front();
        }
        if (times.size() < 2) {
            return 0.0;
        }
        return double(times.size() - 1) * 1e6 / double(times.back() - times.front());
    }
};

Camera::Camera(const CameraInfo& info)
    : m_info(info), m_params(std::make_unique<RequestParams>()), m_rate(std::make_unique<RateMeter>())
{}

Camera::~Camera() = default;

std::vector<Frame::Format> Camera::allFrameFormats() const
{
    return formats();
}

std::vector<Size> Camera::allFrameSizes() const
{
    return sizes();
}

double Camera::resetProperty(int id)
{
    if (!isPropertySupported(id)) {
        return 0.0;
    }
    const double value = propertyDefault(id);
    setProperty(id, value);
    return value;
}

unsigned Camera::resetEnumProperty(int id)
{
    if (!isEnumPropertySupported(id)) {
        return 0;
    }
    const unsigned value = enumPropertyDefault(id);
    setEnumProperty(id, value);
    return value;
}

void Camera::setFrameCallBack(FrameCallBack callback, void* user)
{
    std::lock_guard<std::mutex> lock(m_callbackMutex);
    m_callback = std::move(callback);
    m_user = user;
}

void Camera::setStreamLostCallBack(StreamLostCallBack callback, void* user)
{
    std::lock_guard<std::mutex> lock(m_callbackMutex);
    m_streamLost = std::move(callback);
    m_streamLostUser = user;
}

int Camera::loadRequestParam(const std::string& path)
{
    return m_params->load(path);
}

bool Camera::isSupportStillFrame() const
{
    return hasStillCapture();
}

int Camera::grabMaxStillFrame(Frame* frame, unsigned timeoutMs)
{
    if (!frame) {
        return ErrorInvalidArgument;
    }
    if (!isOpened()) {
        return ErrorNotOpened;
    }
    if (!hasStillCapture()) {
        return ErrorNotSupported;
    }
    return captureStill(frame, timeoutMs);
}

int Camera::grabMaxFrame(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs)
{
    if (!frame) {
        return ErrorInvalidArgument;
    }
    if (!isOpened()) {
        return ErrorNotOpened;
    }
    return captureLargest(frame, firstFrameTimeoutMs, totalTimeoutMs);
}

double Camera::frameRate() const
{
    return m_rate->rate();
}

int Camera::captureStill(Frame*, unsigned)
{
    return ErrorNotSupported;
}

void Camera::deliver(const Frame* source, const Frame* rgb, long long timestampUs)
{
    m_rate->add(timestampUs);
    std::lock_guard<std::mutex> lock(m_callbackMutex);
    if (m_callback) {
        m_callback(source ? source : rgb, rgb, timestampUs, m_user);
    }
}

void Camera::reportStreamLost(int error)
{
    std::lock_guard<std::mutex> lock(m_callbackMutex);
    if (m_streamLost) {
        m_streamLost(error, m_streamLostUser);
    }
}

void Camera::resetFrameRate()
{
    std::lock_guard<std::mutex> lock(m_rate->mutex);
    m_rate->times.clear();
}

} // namespace tesk
