#include "v4l2camera.h"

#include "../propertyids.h"
#include "../requestedsettings.h"
#include "../requestparams.h"
#include "../testpattern.h"
#include "pixelformats.h"
#include "v4l2io.h"
#include "v4l2sizes.h"

#include <tesk/errors.h>
#include <tesk/log.h>

#include <fcntl.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace tesk {

namespace {

constexpr unsigned kBufferCount = 4;
// The capture thread wakes at least this often to see whether it should stop; a camera
// that sends nothing costs five wake-ups a second.
constexpr int kPollTimeoutMs = 200;
constexpr long long kFirstDamagedLogged = 5;
constexpr long long kDamagedLogInterval = 100;

using Clock = std::chrono::steady_clock;

long long nowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

std::string sizeText(const Size& size)
{
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

int openError(int error)
{
    switch (error) {
    case EBUSY:
        return ErrorDeviceBusy;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return ErrorNoDevice;
    default:
        return ErrorIo;
    }
}

int streamError(int error)
{
    switch (error) {
    case ENOSPC:
        return ErrorNoBandwidth;
    case EBUSY:
        return ErrorDeviceBusy;
    case ENODEV:
    case ENXIO:
    case EIO:
        return ErrorDeviceLost;
    default:
        return ErrorIo;
    }
}

bool isLoss(int error)
{
    return error == ENODEV || error == ENXIO || error == EIO;
}

Size closestSize(const std::vector<Size>& sizes, const Size& wanted)
{
    return *std::min_element(sizes.begin(), sizes.end(), [&](const Size& a, const Size& b) {
        return std::abs(a.width() - wanted.width()) + std::abs(a.height() - wanted.height()) <
               std::abs(b.width() - wanted.width()) + std::abs(b.height() - wanted.height());
    });
}

long long area(const Size& size)
{
    return (long long)size.width() * size.height();
}

} // namespace

V4l2Camera::V4l2Camera(const CameraInfo& info, V4l2Io& io) : Camera(info), m_io(io), m_controls(io) {}

V4l2Camera::~V4l2Camera()
{
    close();
}

int V4l2Camera::open(int width, int height)
{
    close();
    std::unique_lock<std::mutex> lock(m_mutex);
    const std::string& node = info().address;
    m_fd = m_io.open(node.c_str(), O_RDWR | O_NONBLOCK);
    if (m_fd < 0) {
        const int error = errno;
        log(LogLevel::Warning, info().name + ": cannot open " + node + ": " + std::strerror(error) +
                                   (error == EACCES ? " (is the user in the video group?)" : ""));
        return openError(error);
    }
    v4l2_capability caps{};
    if (m_io.xioctl(m_fd, VIDIOC_QUERYCAP, &caps) != 0) {
        const int error = errno;
        closeDeviceLocked();
        log(LogLevel::Warning, info().name + ": " + node + " is not a V4L2 device: " + std::strerror(error));
        return isLoss(error) ? ErrorNoDevice : ErrorNotSupported;
    }
    enumerateModesLocked();
    if (m_modes.empty()) {
        closeDeviceLocked();
        log(LogLevel::Warning, info().name + ": offers no picture format this program can show");
        return ErrorNotSupported;
    }
    m_controls.query(m_fd);

    // What the request parameters ask for wins over the size the program asks for.
    const RequestParams& params = requestParams();
    Size wanted(width, height);
    const auto paramWidth = params.number("camera", "width");
    const auto paramHeight = params.number("camera", "height");
    if (paramWidth && paramHeight) {
        wanted = Size(int(*paramWidth), int(*paramHeight));
    }
    m_wantedFps = std::clamp(params.number("camera", "fps").value_or(0.0), 0.0, 1000.0);
    Frame::Format format = defaultFormatLocked(wanted);
    if (const auto name = params.value("camera", "format")) {
        const auto requested = formatByName(*name);
        if (requested && modesLocked(*requested)) {
            format = *requested;
        } else {
            log(LogLevel::Warning, info().name + ": request parameters: format " + *name + " is not offered");
        }
    }
    const Size size = closestSize(modesLocked(format)->sizes, wanted);
    int result = configureLocked(format, size);
    if (result == Ok) {
        result = streamOnLocked();
    }
    if (result != Ok) {
        closeDeviceLocked();
        return result;
    }
    m_opened = true;
    m_damaged = 0;
    applyFlipMirrorLocked();
    lock.unlock();

    applyRequestedProperties(params, *this);
    log(LogLevel::Info, info().name + " opened at " + sizeText(m_size) + " " + fourccName(fourccFromFormat(format)));
    return Ok;
}

void V4l2Camera::close()
{
    m_thread.stop();
    std::lock_guard<std::mutex> lock(m_mutex);
    closeDeviceLocked();
}

int V4l2Camera::start()
{
    if (m_thread.isRunning()) {
        m_thread.stop(); // a thread that ended on its own is joined here
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_opened) {
            return ErrorNotOpened;
        }
        if (!m_streaming) {
            const int result = streamOnLocked();
            if (result != Ok) {
                return result;
            }
        }
    }
    resetFrameRate();
    m_thread.start([this]() { captureLoop(); });
    return Ok;
}

void V4l2Camera::stop()
{
    m_thread.stop();
    std::lock_guard<std::mutex> lock(m_mutex);
    // Switching the stream off gives the USB bandwidth back while paused.
    streamOffLocked();
}

bool V4l2Camera::isOpened() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opened;
}

Frame::Format V4l2Camera::frameFormat() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_format;
}

Size V4l2Camera::frameSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_size;
}

double V4l2Camera::nominalFrameRate() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nominalFps;
}

int V4l2Camera::setFrameFormat(Frame::Format format)
{
    Size size;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_opened) {
            return ErrorNotOpened;
        }
        const FormatModes* modes = modesLocked(format);
        if (!modes) {
            return ErrorNotSupported;
        }
        if (format == m_format) {
            return Ok;
        }
        // Keep the size where the new format has it.
        size = closestSize(modes->sizes, m_size);
    }
    return restartWith(format, size);
}

int V4l2Camera::setFrameSize(int width, int height)
{
    Frame::Format format;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_opened) {
            return ErrorNotOpened;
        }
        const FormatModes* modes = modesLocked(m_format);
        if (!modes || std::find(modes->sizes.begin(), modes->sizes.end(), Size(width, height)) == modes->sizes.end()) {
            return ErrorInvalidArgument;
        }
        if (Size(width, height) == m_size) {
            return Ok;
        }
        format = m_format;
    }
    return restartWith(format, Size(width, height));
}

int V4l2Camera::restartWith(Frame::Format format, const Size& size)
{
    const bool wasRunning = m_thread.isRunning();
    m_thread.stop();
    int result;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_opened) {
            return ErrorDeviceLost;
        }
        result = switchModeLocked(format, size);
    }
    if (wasRunning && isOpened()) {
        resetFrameRate();
        m_thread.start([this]() { captureLoop(); });
    }
    return result;
}

int V4l2Camera::switchModeLocked(Frame::Format format, const Size& size)
{
    const Frame::Format oldFormat = m_format;
    const Size oldSize = m_size;
    streamOffLocked();
    releaseBuffersLocked();
    int result = configureLocked(format, size);
    if (result == Ok) {
        result = streamOnLocked();
    }
    if (result != Ok) {
        log(LogLevel::Warning, info().name + ": cannot switch to " + sizeText(size) + " " +
                                   fourccName(fourccFromFormat(format)) + ": " + errorText(result) + "; back to " +
                                   sizeText(oldSize));
        streamOffLocked();
        releaseBuffersLocked();
        if (configureLocked(oldFormat, oldSize) != Ok || streamOnLocked() != Ok) {
            // A camera that takes no mode at all is as good as gone: say so, close it.
            log(LogLevel::Warning, info().name + ": cannot go back to the previous mode either; camera closed");
            closeDeviceLocked();
        }
    }
    return result;
}

void V4l2Camera::enumerateModesLocked()
{
    m_modes.clear();
    for (uint32_t index = 0;; ++index) {
        v4l2_fmtdesc desc{};
        desc.index = index;
        desc.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (m_io.xioctl(m_fd, VIDIOC_ENUM_FMT, &desc) != 0) {
            break;
        }
        const Frame::Format format = formatFromFourcc(desc.pixelformat);
        if (format == Frame::Unknown || !FrameConverter::canConvert(format)) {
            log(LogLevel::Info, info().name + ": pixel format " + fourccName(desc.pixelformat) + " is not shown");
            continue;
        }
        if (modesLocked(format)) {
            continue; // MJPG and JPEG are the same to us
        }
        FormatModes modes{format, desc.pixelformat, enumerateFrameSizes(m_io, m_fd, desc.pixelformat)};
        if (!modes.sizes.empty()) {
            m_modes.push_back(std::move(modes));
        }
    }
}

const V4l2Camera::FormatModes* V4l2Camera::modesLocked(Frame::Format format) const
{
    for (const FormatModes& modes : m_modes) {
        if (modes.format == format) {
            return &modes;
        }
    }
    return nullptr;
}

Frame::Format V4l2Camera::defaultFormatLocked(const Size& wanted) const
{
    // Compressed above VGA: an uncompressed stream of that size rarely fits USB 2.
    if (area(wanted) > 640 * 480 && modesLocked(Frame::MJPEG)) {
        return Frame::MJPEG;
    }
    if (modesLocked(Frame::YUY2)) {
        return Frame::YUY2;
    }
    if (modesLocked(Frame::MJPEG)) {
        return Frame::MJPEG;
    }
    return m_modes.front().format;
}

int V4l2Camera::configureLocked(Frame::Format format, const Size& size)
{
    const FormatModes* modes = modesLocked(format);
    if (!modes) {
        return ErrorNotSupported;
    }
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    fmt.fmt.pix.width = uint32_t(size.width());
    fmt.fmt.pix.height = uint32_t(size.height());
    fmt.fmt.pix.pixelformat = modes->fourcc;
    fmt.fmt.pix.field = V4L2_FIELD_ANY;
    if (m_io.xioctl(m_fd, VIDIOC_S_FMT, &fmt) != 0) {
        const int error = errno;
        log(LogLevel::Warning, info().name + ": cannot set " + sizeText(size) + " " + fourccName(modes->fourcc) + ": " +
                                   std::strerror(error));
        return error == EBUSY ? ErrorDeviceBusy : streamError(error);
    }
    if (fmt.fmt.pix.pixelformat != modes->fourcc) {
        return ErrorNotSupported;
    }
    m_format = format;
    m_size = Size(int(fmt.fmt.pix.width), int(fmt.fmt.pix.height));
    m_stride = int(fmt.fmt.pix.bytesperline);
    setFrameIntervalLocked(modes->fourcc, m_size);

    v4l2_requestbuffers request{};
    request.count = kBufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (m_io.xioctl(m_fd, VIDIOC_REQBUFS, &request) != 0 || request.count < 2) {
        const int error = request.count < 2 ? ENOMEM : errno;
        log(LogLevel::Warning, info().name + ": no capture buffers: " + std::strerror(error));
        return error == EBUSY ? ErrorDeviceBusy : streamError(error);
    }
    for (uint32_t index = 0; index < request.count; ++index) {
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        buffer.index = index;
        if (m_io.xioctl(m_fd, VIDIOC_QUERYBUF, &buffer) != 0) {
            const int error = errno;
            releaseBuffersLocked();
            return streamError(error);
        }
        void* start = m_io.mmap(buffer.length, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, off_t(buffer.m.offset));
        if (start == MAP_FAILED) {
            const int error = errno;
            log(LogLevel::Warning, info().name + ": cannot map a capture buffer: " + std::strerror(error));
            releaseBuffersLocked();
            return streamError(error);
        }
        m_buffers.push_back({start, buffer.length});
    }
    m_rgb.assign(std::size_t(area(m_size)) * 4, 0);
    return Ok;
}

void V4l2Camera::setFrameIntervalLocked(uint32_t fourcc, const Size& size)
{
    const double fps = chooseFrameRate(m_io, m_fd, fourcc, size, m_wantedFps);
    m_nominalFps = 0.0;
    if (fps <= 0.0) {
        return;
    }
    v4l2_streamparm parm{};
    parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    parm.parm.capture.timeperframe.numerator = 1000;
    parm.parm.capture.timeperframe.denominator = uint32_t(fps * 1000.0 + 0.5);
    if (m_io.xioctl(m_fd, VIDIOC_S_PARM, &parm) == 0 && parm.parm.capture.timeperframe.numerator > 0) {
        m_nominalFps =
            double(parm.parm.capture.timeperframe.denominator) / double(parm.parm.capture.timeperframe.numerator);
    }
}

int V4l2Camera::streamOnLocked()
{
    for (uint32_t index = 0; index < m_buffers.size(); ++index) {
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        buffer.index = index;
        if (m_io.xioctl(m_fd, VIDIOC_QBUF, &buffer) != 0) {
            return streamError(errno);
        }
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_io.xioctl(m_fd, VIDIOC_STREAMON, &type) != 0) {
        const int error = errno;
        if (error == ENOSPC) {
            log(LogLevel::Warning, info().name + ": not enough USB bandwidth for " + sizeText(m_size) + " " +
                                       fourccName(fourccFromFormat(m_format)) +
                                       "; choose a smaller size or MJPEG, or plug the camera into another port");
        } else {
            log(LogLevel::Warning, info().name + ": cannot start the stream: " + std::strerror(error));
        }
        // Buffers queued before a failed start are dequeued by switching the stream off.
        m_io.xioctl(m_fd, VIDIOC_STREAMOFF, &type);
        return streamError(error);
    }
    m_streaming = true;
    return Ok;
}

void V4l2Camera::streamOffLocked()
{
    if (m_fd >= 0 && m_streaming) {
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        m_io.xioctl(m_fd, VIDIOC_STREAMOFF, &type);
    }
    m_streaming = false;
}

void V4l2Camera::releaseBuffersLocked()
{
    for (const Buffer& buffer : m_buffers) {
        m_io.munmap(buffer.start, buffer.length);
    }
    if (!m_buffers.empty() && m_fd >= 0) {
        v4l2_requestbuffers request{};
        request.count = 0;
        request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        request.memory = V4L2_MEMORY_MMAP;
        m_io.xioctl(m_fd, VIDIOC_REQBUFS, &request);
    }
    m_buffers.clear();
}

void V4l2Camera::closeDeviceLocked()
{
    if (m_fd >= 0) {
        streamOffLocked();
        releaseBuffersLocked();
        m_io.close(m_fd);
        m_fd = -1;
    }
    m_buffers.clear();
    m_streaming = false;
    m_opened = false;
    m_controls.clear();
}

void V4l2Camera::captureLoop()
{
    int emptyWakeUps = 0;
    while (m_thread.keepRunning()) {
        pollfd ready{m_fd, POLLIN, 0};
        const int polled = m_io.poll(&ready, 1, kPollTimeoutMs);
        if (polled < 0) {
            if (errno == EINTR) {
                continue;
            }
            loseStream(errno, "waiting for a frame");
            return;
        }
        if (polled == 0) {
            continue; // nothing within the timeout: look again whether to stop
        }
        if (ready.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            loseStream(ENODEV, "waiting for a frame");
            return;
        }
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (m_io.xioctl(m_fd, VIDIOC_DQBUF, &buffer) != 0) {
            if (errno == EAGAIN) {
                // Ready but nothing to take: never spin on a driver that says so.
                if (++emptyWakeUps > 2) {
                    m_thread.sleepUntil(Clock::now() + std::chrono::milliseconds(10));
                }
                continue;
            }
            loseStream(errno, "taking a frame");
            return;
        }
        emptyWakeUps = 0;
        if (convertBuffer(buffer, m_rgb.data())) {
            const Frame source(static_cast<const uint8_t*>(m_buffers[buffer.index].start), buffer.bytesused, m_format,
                               m_size.width(), m_size.height());
            const Frame rgb(m_rgb.data(), m_rgb.size(), Frame::RGB32, m_size.width(), m_size.height());
            m_focus = TestPattern::focusValue(m_rgb.data(), m_size.width(), m_size.height());
            deliver(&source, &rgb, nowUs());
        }
        if (m_io.xioctl(m_fd, VIDIOC_QBUF, &buffer) != 0) {
            loseStream(errno, "giving a buffer back");
            return;
        }
    }
}

bool V4l2Camera::convertBuffer(const v4l2_buffer& buffer, uint8_t* out)
{
    if (buffer.index >= m_buffers.size()) {
        countDamaged("unknown buffer");
        return false;
    }
    if (buffer.flags & V4L2_BUF_FLAG_ERROR) {
        countDamaged("marked as damaged by the driver");
        return false;
    }
    const uint32_t used = std::min<uint32_t>(buffer.bytesused, uint32_t(m_buffers[buffer.index].length));
    const int result =
        m_converter.toRgb32(static_cast<const uint8_t*>(m_buffers[buffer.index].start), used, m_format, m_size.width(),
                            m_size.height(), m_stride, m_softFlip.load(), m_softMirror.load(), out);
    if (result != Ok) {
        countDamaged(m_format == Frame::MJPEG ? "the JPEG does not decode" : "the frame is short");
        return false;
    }
    return true;
}

void V4l2Camera::countDamaged(const char* why)
{
    const long long count = ++m_damaged;
    if (count <= kFirstDamagedLogged || count % kDamagedLogInterval == 0) {
        log(LogLevel::Warning,
            info().name + ": frame skipped, " + why + " (" + std::to_string(count) + " skipped so far)");
    }
}

void V4l2Camera::loseStream(int error, const char* during)
{
    const int result = isLoss(error) ? ErrorDeviceLost : ErrorIo;
    log(LogLevel::Warning, info().name + ": stream lost while " + during + ": " + std::strerror(error));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        closeDeviceLocked();
    }
    reportStreamLost(result);
}

int V4l2Camera::captureLargest(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs)
{
    const bool wasRunning = m_thread.isRunning();
    m_thread.stop();
    int result;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_opened) {
            return ErrorDeviceLost;
        }
        const std::vector<Size>& sizes = modesLocked(m_format)->sizes;
        const Size largest = *std::max_element(sizes.begin(), sizes.end(),
                                               [](const Size& a, const Size& b) { return area(a) < area(b); });
        const Size previous = m_size;
        const bool wasStreaming = m_streaming;
        result = largest == m_size ? (m_streaming ? Ok : streamOnLocked()) : switchModeLocked(m_format, largest);
        if (result == Ok) {
            result = takeOneFrameLocked(frame, firstFrameTimeoutMs, totalTimeoutMs);
        }
        if (m_opened && m_size != previous) {
            switchModeLocked(m_format, previous);
        }
        if (!wasStreaming) {
            streamOffLocked();
        }
    }
    if (wasRunning && isOpened()) {
        resetFrameRate();
        m_thread.start([this]() { captureLoop(); });
    }
    return result;
}

int V4l2Camera::takeOneFrameLocked(Frame* frame, unsigned firstFrameTimeoutMs, unsigned totalTimeoutMs)
{
    const auto begin = Clock::now();
    const auto firstDeadline = begin + std::chrono::milliseconds(firstFrameTimeoutMs);
    const auto deadline = begin + std::chrono::milliseconds(std::max(firstFrameTimeoutMs, totalTimeoutMs));
    bool anyFrame = false;
    while (true) {
        const auto now = Clock::now();
        if (now >= deadline || (!anyFrame && now >= firstDeadline)) {
            log(LogLevel::Warning, info().name + ": no usable frame at " + sizeText(m_size) + " in time");
            return ErrorTimeout;
        }
        const auto limit = anyFrame ? deadline : firstDeadline;
        const int waitMs = int(std::min<long long>(
            kPollTimeoutMs, std::chrono::duration_cast<std::chrono::milliseconds>(limit - now).count() + 1));
        pollfd ready{m_fd, POLLIN, 0};
        const int polled = m_io.poll(&ready, 1, waitMs);
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled < 0 || (polled > 0 && (ready.revents & (POLLERR | POLLHUP | POLLNVAL)))) {
            closeDeviceLocked();
            return ErrorDeviceLost;
        }
        if (polled == 0) {
            continue;
        }
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (m_io.xioctl(m_fd, VIDIOC_DQBUF, &buffer) != 0) {
            if (errno == EAGAIN) {
                continue;
            }
            const int error = errno;
            closeDeviceLocked();
            return isLoss(error) ? ErrorDeviceLost : ErrorIo;
        }
        anyFrame = true;
        // Decoding also proves a JPEG whole before it is handed on as it came.
        const bool good = convertBuffer(buffer, m_rgb.data());
        if (good) {
            if (m_format == Frame::MJPEG) {
                frame->assign(static_cast<const uint8_t*>(m_buffers[buffer.index].start), buffer.bytesused,
                              Frame::MJPEG, m_size.width(), m_size.height());
            } else {
                frame->assign(m_rgb.data(), m_rgb.size(), Frame::RGB32, m_size.width(), m_size.height());
            }
        }
        if (m_io.xioctl(m_fd, VIDIOC_QBUF, &buffer) != 0 && isLoss(errno)) {
            closeDeviceLocked();
            return good ? Ok : ErrorDeviceLost;
        }
        if (good) {
            return Ok;
        }
    }
}

int V4l2Camera::setFlip(bool flip)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_flip = flip;
    applyFlipMirrorLocked();
    return Ok;
}

bool V4l2Camera::isFlip() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_flip;
}

int V4l2Camera::setMirror(bool mirror)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mirror = mirror;
    applyFlipMirrorLocked();
    return Ok;
}

bool V4l2Camera::isMirror() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mirror;
}

void V4l2Camera::applyFlipMirrorLocked()
{
    // The camera's own flip costs nothing; otherwise the conversion does it.
    const bool hardFlip = m_fd >= 0 && m_controls.hasHardwareFlip() && m_controls.setHardwareFlip(m_fd, m_flip) == Ok;
    const bool hardMirror =
        m_fd >= 0 && m_controls.hasHardwareMirror() && m_controls.setHardwareMirror(m_fd, m_mirror) == Ok;
    m_softFlip = m_flip && !hardFlip;
    m_softMirror = m_mirror && !hardMirror;
}

bool V4l2Camera::isPropertySupported(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return (id == FocusValue && m_opened) || m_controls.isSupported(id);
}

int V4l2Camera::propertyRange(int id, double* min, double* max, double* step) const
{
    if (id == FocusValue) {
        if (min) {
            *min = 0.0;
        }
        if (max) {
            *max = 255.0;
        }
        if (step) {
            *step = 0.01;
        }
        return isOpened() ? Ok : ErrorNotOpened;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_controls.range(id, min, max, step);
}

int V4l2Camera::getProperty(int id, double* value) const
{
    if (!value) {
        return ErrorInvalidArgument;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_opened) {
        return ErrorNotOpened;
    }
    if (id == FocusValue) {
        *value = m_focus.load();
        return Ok;
    }
    return m_controls.get(m_fd, id, value);
}

int V4l2Camera::setProperty(int id, double value)
{
    if (id == FocusValue) {
        return ErrorReadOnly;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_opened) {
        return ErrorNotOpened;
    }
    return m_controls.set(m_fd, id, value);
}

bool V4l2Camera::isEnumPropertySupported(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_controls.isEnumSupported(id);
}

std::vector<unsigned> V4l2Camera::enumPropertyValues(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_controls.enumValues(id);
}

unsigned V4l2Camera::getEnumProperty(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opened ? m_controls.getEnum(m_fd, id) : 0;
}

int V4l2Camera::setEnumProperty(int id, unsigned value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_opened) {
        return ErrorNotOpened;
    }
    return m_controls.setEnum(m_fd, id, value);
}

std::vector<Frame::Format> V4l2Camera::formats() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Frame::Format> list;
    for (const FormatModes& modes : m_modes) {
        list.push_back(modes.format);
    }
    return list;
}

std::vector<Size> V4l2Camera::sizes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const FormatModes* modes = modesLocked(m_format);
    return modes ? modes->sizes : std::vector<Size>();
}

double V4l2Camera::propertyDefault(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_controls.defaultValue(id);
}

unsigned V4l2Camera::enumPropertyDefault(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_controls.enumDefault(id);
}

} // namespace tesk
