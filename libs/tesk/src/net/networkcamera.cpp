#include "networkcamera.h"

#include "requestparams.h"
#include "streamurl.h"

#include <tesk/camerafactory.h>
#include <tesk/errors.h>
#include <tesk/log.h>

extern "C" {
#include <libavutil/error.h>
}

#include <algorithm>
#include <cmath>

namespace tesk {

namespace {

using Clock = std::chrono::steady_clock;

// How long stop() lets a read finish by itself before cutting it short.
constexpr std::chrono::milliseconds kStopGrace{500};
// A box camera waiting for its button: how often the placeholder goes out and the stream is
// asked for again.
constexpr std::chrono::milliseconds kPlaceholderPeriod{500};
constexpr std::chrono::milliseconds kRetryPeriod{1000};
// How far picture stamps may run from the steady clock before they are anchored anew.
constexpr long long kLiveDriftUs = 2000000;
constexpr long long kFileLagUs = 500000;

long long nowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

// The box answered, but has no stream to give yet.
bool boxIsNotStreaming(int error, int avError)
{
    return error == ErrorNoVideoStream || avError == AVERROR_HTTP_NOT_FOUND || avError == AVERROR_STREAM_NOT_FOUND ||
           avError == AVERROR_HTTP_SERVER_ERROR;
}

} // namespace

NetworkCamera::NetworkCamera(const CameraInfo& info) : Camera(info) {}

NetworkCamera::~NetworkCamera()
{
    close();
}

void NetworkCamera::setOpenTimeout(std::chrono::milliseconds timeout)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_timeout = std::max(timeout, std::chrono::milliseconds(50));
    m_hasTimeoutOverride = true;
}

std::string NetworkCamera::url() const
{
    if (info().type == SDKRtsp) {
        return info().address;
    }
    const auto urlTemplate = requestParams().value("network", "url_template");
    return urlFromTemplate(urlTemplate && !urlTemplate->empty() ? *urlTemplate : kDefaultUrlTemplate, info().address);
}

StreamDecoder::Options NetworkCamera::options() const
{
    StreamDecoder::Options options;
    options.url = url();
    if (const auto transport = requestParams().value("network", "transport")) {
        if (*transport == "udp" || *transport == "UDP") {
            options.rtspOverUdp = true;
        } else if (*transport != "tcp" && *transport != "TCP") {
            log(LogLevel::Warning, "request parameters: transport " + *transport + " is not tcp or udp; tcp is used");
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    options.timeout = m_timeout;
    if (!m_hasTimeoutOverride) {
        if (const auto ms = requestParams().number("network", "timeout_ms")) {
            options.timeout = std::chrono::milliseconds(std::clamp((long long)std::llround(*ms), 100LL, 60000LL));
        }
    }
    return options;
}

bool NetworkCamera::isWaitingForPicture() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_waiting;
}

int NetworkCamera::openStream()
{
    return m_decoder.open(options());
}

void NetworkCamera::takeStreamDetails()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_size = m_decoder.size();
    m_nominalRate = m_decoder.nominalFrameRate();
    m_format = m_decoder.sourceFormat();
    m_waiting = false;
}

int NetworkCamera::open(int, int)
{
    // The stream has the size the camera sends; the requested size cannot change it.
    close();
    const int result = openStream();
    if (result == Ok) {
        takeStreamDetails();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_opened = true;
        return Ok;
    }
    if (info().type == SDKBoxCamera && boxIsNotStreaming(result, m_decoder.lastAvError())) {
        log(LogLevel::Info, "box camera " + info().address + " is connected but not streaming; waiting for its button");
        std::lock_guard<std::mutex> lock(m_mutex);
        m_opened = true;
        m_waiting = true;
        m_size = Size();
        m_format = Frame::NoPicture;
        return Ok;
    }
    log(LogLevel::Warning, "network camera " + urlForLog(url()) + " not opened: " + errorText(result));
    return result;
}

void NetworkCamera::close()
{
    stop();
    m_decoder.close();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_opened = false;
    m_waiting = false;
}

int NetworkCamera::start()
{
    if (!isOpened()) {
        return ErrorNotOpened;
    }
    if (m_thread.isRunning()) {
        return Ok;
    }
    if (!isWaitingForPicture()) {
        if (!m_decoder.isOpen() || m_decoder.wasAborted()) {
            // The last read was cut short: the connection may be mid-message.
            const int result = openStream();
            if (result != Ok) {
                return result;
            }
            takeStreamDetails();
        } else {
            m_decoder.play();
        }
    }
    resetFrameRate();
    m_thread.start([this]() { captureLoop(); });
    return Ok;
}

void NetworkCamera::stop()
{
    if (!m_thread.isRunning()) {
        return;
    }
    m_decoder.abortAfter(kStopGrace);
    m_thread.stop();
    m_decoder.clearAbort();
    if (m_decoder.isOpen() && !m_decoder.wasAborted()) {
        m_decoder.pause();
    }
    std::lock_guard<std::mutex> lock(m_grabMutex);
    m_grabDone.notify_all();
}

bool NetworkCamera::isOpened() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opened;
}

double NetworkCamera::frameRate() const
{
    const double measured = Camera::frameRate();
    if (measured > 0.0) {
        return measured;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opened && !m_waiting ? m_nominalRate : 0.0;
}

Frame::Format NetworkCamera::frameFormat() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_format;
}

int NetworkCamera::setFrameFormat(Frame::Format format)
{
    return format == frameFormat() ? Ok : ErrorNotSupported;
}

Size NetworkCamera::frameSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_size;
}

int NetworkCamera::setFrameSize(int width, int height)
{
    return Size(width, height) == frameSize() ? Ok : ErrorNotSupported;
}

int NetworkCamera::setFlip(bool flip)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_flip = flip;
    return Ok;
}

bool NetworkCamera::isFlip() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_flip;
}

int NetworkCamera::setMirror(bool mirror)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mirror = mirror;
    return Ok;
}

bool NetworkCamera::isMirror() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mirror;
}

// A stream carries pictures only: there are no image properties to set.
bool NetworkCamera::isPropertySupported(int) const
{
    return false;
}

int NetworkCamera::propertyRange(int, double*, double*, double*) const
{
    return ErrorNotSupported;
}

int NetworkCamera::getProperty(int, double*) const
{
    return ErrorNotSupported;
}

int NetworkCamera::setProperty(int, double)
{
    return ErrorNotSupported;
}

bool NetworkCamera::isEnumPropertySupported(int) const
{
    return false;
}

std::vector<unsigned> NetworkCamera::enumPropertyValues(int) const
{
    return {};
}

unsigned NetworkCamera::getEnumProperty(int) const
{
    return 0;
}

int NetworkCamera::setEnumProperty(int, unsigned)
{
    return ErrorNotSupported;
}

std::vector<Frame::Format> NetworkCamera::formats() const
{
    const Frame::Format format = frameFormat();
    return format == Frame::Unknown ? std::vector<Frame::Format>() : std::vector<Frame::Format>{format};
}

std::vector<Size> NetworkCamera::sizes() const
{
    const Size size = frameSize();
    return size.isEmpty() ? std::vector<Size>() : std::vector<Size>{size};
}

int NetworkCamera::captureLargest(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs)
{
    if (isWaitingForPicture()) {
        return ErrorTimeout;
    }
    if (!m_thread.isRunning()) {
        // Paused preview: read one picture here; the capture thread is not using the decoder.
        m_decoder.play();
        bool flip = false, mirror = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            flip = m_flip;
            mirror = m_mirror;
        }
        const int result = m_decoder.readPicture(flip, mirror);
        m_decoder.pause();
        if (result != Ok) {
            return result;
        }
        const Size size = m_decoder.size();
        frame->assign(m_decoder.rgb(), m_decoder.rgbSize(), Frame::RGB32, size.width(), size.height());
        return Ok;
    }
    std::unique_lock<std::mutex> lock(m_grabMutex);
    m_grabTarget = frame;
    m_grabFilled = false;
    const auto bound = std::chrono::milliseconds(std::max(firstFrameTimeoutMs, totalTimeoutMs));
    const bool filled = m_grabDone.wait_for(lock, bound, [this]() { return m_grabFilled || !isOpened(); });
    m_grabTarget = nullptr;
    return filled && m_grabFilled ? Ok : ErrorTimeout;
}

void NetworkCamera::offerToGrab()
{
    std::lock_guard<std::mutex> lock(m_grabMutex);
    if (m_grabTarget && !m_grabFilled) {
        const Size size = m_decoder.size();
        m_grabTarget->assign(m_decoder.rgb(), m_decoder.rgbSize(), Frame::RGB32, size.width(), size.height());
        m_grabFilled = true;
        m_grabDone.notify_all();
    }
}

void NetworkCamera::lose(int error)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_opened = false;
    }
    log(LogLevel::Warning, "stream " + urlForLog(url()) + " lost: " + errorText(error));
    {
        std::lock_guard<std::mutex> lock(m_grabMutex);
        m_grabDone.notify_all();
    }
    reportStreamLost(error);
}

void NetworkCamera::captureLoop()
{
    if (isWaitingForPicture() && !waitForPicture()) {
        return;
    }
    streamPictures();
}

bool NetworkCamera::waitForPicture()
{
    const Frame placeholder(nullptr, 0, Frame::NoPicture, 0, 0);
    auto nextTry = Clock::now() + kRetryPeriod;
    while (m_thread.keepRunning()) {
        deliver(&placeholder, &placeholder, nowUs());
        if (Clock::now() >= nextTry) {
            const int result = openStream();
            if (result == Ok) {
                takeStreamDetails();
                log(LogLevel::Info, "box camera " + info().address + " started streaming");
                return true;
            }
            if (!m_thread.keepRunning()) {
                return false;
            }
            if (!boxIsNotStreaming(result, m_decoder.lastAvError()) && result != ErrorTimeout) {
                lose(ErrorDeviceLost);
                return false;
            }
            nextTry = Clock::now() + kRetryPeriod;
        }
        if (!m_thread.sleepUntil(Clock::now() + kPlaceholderPeriod)) {
            return false;
        }
    }
    return false;
}

void NetworkCamera::streamPictures()
{
    // Pictures are stamped on the stream's own clock, anchored to the steady clock: network
    // jitter and the burst of pictures the probe buffered at the start then neither distort
    // the measured rate nor the recorder's timing. A file is also played at that pace.
    long long firstPts = -1;
    long long anchorUs = 0;
    long long lastStampUs = 0;
    while (m_thread.keepRunning()) {
        bool flip = false, mirror = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            flip = m_flip;
            mirror = m_mirror;
        }
        const int result = m_decoder.readPicture(flip, mirror);
        if (result != Ok) {
            if (!m_thread.keepRunning()) {
                return; // cut short by stop()
            }
            const bool fileEnded = result == ErrorEndOfStream && m_decoder.isLocalFile();
            lose(fileEnded ? ErrorEndOfStream : ErrorDeviceLost);
            return;
        }
        const long long pts = m_decoder.pictureTimeUs();
        const long long now = nowUs();
        long long stampUs = now;
        if (pts >= 0) {
            const long long drift = firstPts < 0 ? 0 : anchorUs + (pts - firstPts) - now;
            // Far behind (a slow machine, a stall) or a jump of the stream's clock: count from here.
            const long long behindLimit = m_decoder.isLocalFile() ? kFileLagUs : kLiveDriftUs;
            if (firstPts < 0 || pts < firstPts || drift < -behindLimit || drift > kLiveDriftUs) {
                firstPts = pts;
                anchorUs = now;
            }
            stampUs = anchorUs + (pts - firstPts);
            if (m_decoder.isLocalFile() &&
                !m_thread.sleepUntil(Clock::now() + std::chrono::microseconds(std::max(0LL, stampUs - now)))) {
                return;
            }
        }
        stampUs = std::max(stampUs, lastStampUs + 1);
        lastStampUs = stampUs;
        const Size size = m_decoder.size();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_size = size;
        }
        const Frame rgb(m_decoder.rgb(), m_decoder.rgbSize(), Frame::RGB32, size.width(), size.height());
        offerToGrab();
        deliver(&rgb, &rgb, stampUs);
    }
}

} // namespace tesk
