#include "fakev4l2.h"

#include <linux/videodev2.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

constexpr off_t kOffsetStep = 4096;
using Clock = std::chrono::steady_clock;

int fail(int error)
{
    errno = error;
    return -1;
}

uint32_t bytesPerLine(uint32_t fourcc, uint32_t width)
{
    return fourcc == V4L2_PIX_FMT_YUYV ? width * 2 : fourcc == V4L2_PIX_FMT_GREY ? width : 0; // 0: compressed
}

uint32_t imageSize(uint32_t fourcc, uint32_t width, uint32_t height)
{
    // A compressed frame gets room for any JPEG of that size.
    return bytesPerLine(fourcc, width) ? bytesPerLine(fourcc, width) * height : width * height * 2;
}

v4l2_fract intervalOf(double rate)
{
    return v4l2_fract{1000, uint32_t(std::lround(rate * 1000.0))};
}

} // namespace

void FakeV4l2::change(const std::string& node, const std::function<void(Device&)>& change)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        change(m_devices[node]);
    }
    m_changed.notify_all();
}

int FakeV4l2::open(const char* path, int /*flags*/)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_devices.find(path);
    if (found == m_devices.end() || found->second.unplugged) {
        return fail(ENOENT);
    }
    if (found->second.openErrno) {
        return fail(found->second.openErrno);
    }
    const int fd = m_nextFd++;
    m_files[fd] = path;
    return fd;
}

int FakeV4l2::close(int fd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_files.find(fd);
    if (found == m_files.end()) {
        return fail(EBADF);
    }
    const std::string node = found->second;
    m_files.erase(found);
    const bool lastFile =
        std::none_of(m_files.begin(), m_files.end(), [&](const auto& file) { return file.second == node; });
    if (lastFile) {
        // The driver stops a stream whose last file goes away.
        Device& device = m_devices[node];
        device.streaming = false;
        device.queued.clear();
        device.buffers.clear();
    }
    return 0;
}

FakeV4l2::Device* FakeV4l2::deviceOfLocked(int fd)
{
    const auto found = m_files.find(fd);
    return found == m_files.end() ? nullptr : &m_devices[found->second];
}

int FakeV4l2::ioctl(int fd, unsigned long request, void* arg)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    Device* device = deviceOfLocked(fd);
    if (!device) {
        return fail(EBADF);
    }
    if (device->unplugged) {
        return fail(ENODEV);
    }
    const int result = ioctlLocked(*device, request, arg);
    lock.unlock();
    m_changed.notify_all();
    return result;
}

int FakeV4l2::ioctlLocked(Device& device, unsigned long request, void* arg)
{
    const auto formatIndex = [&](uint32_t fourcc) -> int {
        for (std::size_t i = 0; i < device.formats.size(); ++i) {
            if (device.formats[i].first == fourcc) {
                return int(i);
            }
        }
        return -1;
    };

    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto* caps = static_cast<v4l2_capability*>(arg);
        std::memset(caps, 0, sizeof(*caps));
        std::strncpy(reinterpret_cast<char*>(caps->card), device.card.c_str(), sizeof(caps->card) - 1);
        std::strncpy(reinterpret_cast<char*>(caps->driver), "fake", sizeof(caps->driver) - 1);
        caps->device_caps = device.caps ? device.caps : (V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING);
        caps->capabilities = caps->device_caps | V4L2_CAP_DEVICE_CAPS;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto* desc = static_cast<v4l2_fmtdesc*>(arg);
        if (desc->index >= device.formats.size()) {
            return fail(EINVAL);
        }
        desc->pixelformat = device.formats[desc->index].first;
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto* size = static_cast<v4l2_frmsizeenum*>(arg);
        const int format = formatIndex(size->pixel_format);
        if (format < 0) {
            return fail(EINVAL);
        }
        if (device.stepwise && format == 0) {
            if (size->index > 0) {
                return fail(EINVAL);
            }
            size->type = V4L2_FRMSIZE_TYPE_STEPWISE;
            size->stepwise = {device.stepMinW, device.stepMaxW, device.stepW,
                              device.stepMinH, device.stepMaxH, device.stepH};
            return 0;
        }
        const auto& sizes = device.formats[std::size_t(format)].second;
        if (size->index >= sizes.size()) {
            return fail(EINVAL);
        }
        size->type = V4L2_FRMSIZE_TYPE_DISCRETE;
        size->discrete.width = uint32_t(sizes[size->index].width());
        size->discrete.height = uint32_t(sizes[size->index].height());
        return 0;
    }
    case VIDIOC_ENUM_FRAMEINTERVALS: {
        auto* interval = static_cast<v4l2_frmivalenum*>(arg);
        if (formatIndex(interval->pixel_format) < 0 || interval->index >= device.rates.size()) {
            return fail(EINVAL);
        }
        interval->type = V4L2_FRMIVAL_TYPE_DISCRETE;
        interval->discrete = intervalOf(device.rates[interval->index]);
        return 0;
    }
    case VIDIOC_G_FMT:
    case VIDIOC_S_FMT: {
        auto* fmt = static_cast<v4l2_format*>(arg);
        if (request == VIDIOC_S_FMT) {
            if (device.setFormatErrno) {
                return fail(device.setFormatErrno);
            }
            if (device.streaming || !device.buffers.empty()) {
                return fail(EBUSY);
            }
            if (device.refusedSize == tesk::Size(int(fmt->fmt.pix.width), int(fmt->fmt.pix.height))) {
                return fail(EIO);
            }
            int format = formatIndex(fmt->fmt.pix.pixelformat);
            format = std::max(format, 0);
            device.fourcc = device.formats[std::size_t(format)].first;
            const tesk::Size wanted(int(fmt->fmt.pix.width), int(fmt->fmt.pix.height));
            if (device.stepwise && format == 0) {
                device.size = tesk::Size(std::clamp(wanted.width(), int(device.stepMinW), int(device.stepMaxW)),
                                         std::clamp(wanted.height(), int(device.stepMinH), int(device.stepMaxH)));
            } else {
                const auto& sizes = device.formats[std::size_t(format)].second;
                device.size =
                    *std::min_element(sizes.begin(), sizes.end(), [&](const tesk::Size& a, const tesk::Size& b) {
                        return std::abs(a.width() - wanted.width()) + std::abs(a.height() - wanted.height()) <
                               std::abs(b.width() - wanted.width()) + std::abs(b.height() - wanted.height());
                    });
            }
        }
        fmt->fmt.pix.pixelformat = device.fourcc;
        fmt->fmt.pix.width = uint32_t(device.size.width());
        fmt->fmt.pix.height = uint32_t(device.size.height());
        fmt->fmt.pix.field = V4L2_FIELD_NONE;
        fmt->fmt.pix.bytesperline = bytesPerLine(device.fourcc, fmt->fmt.pix.width);
        fmt->fmt.pix.sizeimage = imageSize(device.fourcc, fmt->fmt.pix.width, fmt->fmt.pix.height);
        return 0;
    }
    case VIDIOC_S_PARM:
    case VIDIOC_G_PARM: {
        auto* parm = static_cast<v4l2_streamparm*>(arg);
        if (request == VIDIOC_S_PARM && !device.rates.empty()) {
            const v4l2_fract asked = parm->parm.capture.timeperframe;
            const double wanted = asked.numerator ? double(asked.denominator) / asked.numerator : 0.0;
            device.rate = *std::min_element(device.rates.begin(), device.rates.end(), [&](double a, double b) {
                return std::abs(a - wanted) < std::abs(b - wanted);
            });
        }
        parm->parm.capture.capability = V4L2_CAP_TIMEPERFRAME;
        parm->parm.capture.timeperframe = intervalOf(device.rate > 0 ? device.rate : 30.0);
        return 0;
    }
    case VIDIOC_REQBUFS: {
        auto* buffers = static_cast<v4l2_requestbuffers*>(arg);
        if (device.streaming) {
            return fail(EBUSY);
        }
        device.queued.clear();
        device.buffers.assign(buffers->count,
                              std::vector<uint8_t>(imageSize(device.fourcc, uint32_t(device.size.width()),
                                                             uint32_t(device.size.height()))));
        return 0;
    }
    case VIDIOC_QUERYBUF: {
        auto* buffer = static_cast<v4l2_buffer*>(arg);
        if (buffer->index >= device.buffers.size()) {
            return fail(EINVAL);
        }
        buffer->length = uint32_t(device.buffers[buffer->index].size());
        buffer->m.offset = uint32_t(buffer->index * kOffsetStep);
        return 0;
    }
    case VIDIOC_QBUF: {
        auto* buffer = static_cast<v4l2_buffer*>(arg);
        if (buffer->index >= device.buffers.size() ||
            std::find(device.queued.begin(), device.queued.end(), buffer->index) != device.queued.end()) {
            return fail(EINVAL);
        }
        device.queued.push_back(buffer->index);
        return 0;
    }
    case VIDIOC_DQBUF: {
        auto* buffer = static_cast<v4l2_buffer*>(arg);
        if (!device.streaming) {
            return fail(EINVAL);
        }
        if (!frameReadyLocked(device)) {
            return fail(EAGAIN);
        }
        const uint32_t index = device.queued.front();
        device.queued.pop_front();
        Payload payload;
        if (device.source) {
            payload = device.source(device.fourcc, device.size.width(), device.size.height(), device.sequence);
        }
        std::vector<uint8_t>& memory = device.buffers[index];
        const std::size_t used = std::min(memory.size(), payload.bytes.size());
        std::copy_n(payload.bytes.begin(), used, memory.begin());
        buffer->index = index;
        buffer->bytesused = uint32_t(used);
        buffer->flags = payload.damaged ? V4L2_BUF_FLAG_ERROR : 0;
        buffer->sequence = device.sequence++;
        device.nextFrame = Clock::now() + device.frameInterval;
        return 0;
    }
    case VIDIOC_STREAMON:
        if (device.streamOnErrno) {
            return fail(device.streamOnErrno);
        }
        if (device.buffers.empty()) {
            return fail(EINVAL);
        }
        device.streaming = true;
        device.nextFrame = Clock::now() + device.frameInterval;
        return 0;
    case VIDIOC_STREAMOFF:
        device.streaming = false;
        device.queued.clear();
        return 0;
    case VIDIOC_QUERYCTRL: {
        auto* query = static_cast<v4l2_queryctrl*>(arg);
        const auto found = device.controls.find(query->id);
        if (found == device.controls.end()) {
            return fail(EINVAL);
        }
        const Control& control = found->second;
        query->type = control.type;
        query->minimum = control.min;
        query->maximum = control.max;
        query->step = control.step;
        query->default_value = control.initial;
        query->flags = 0;
        return 0;
    }
    case VIDIOC_QUERYMENU: {
        auto* item = static_cast<v4l2_querymenu*>(arg);
        const auto found = device.controls.find(item->id);
        if (found == device.controls.end()) {
            return fail(EINVAL);
        }
        const auto& menu = found->second.menu;
        return std::find(menu.begin(), menu.end(), int32_t(item->index)) == menu.end() ? fail(EINVAL) : 0;
    }
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        auto* ctrl = static_cast<v4l2_control*>(arg);
        const auto found = device.controls.find(ctrl->id);
        if (found == device.controls.end()) {
            return fail(EINVAL);
        }
        Control& control = found->second;
        if (request == VIDIOC_G_CTRL) {
            ctrl->value = control.value;
            return 0;
        }
        if (ctrl->value < control.min || ctrl->value > control.max) {
            return fail(ERANGE);
        }
        control.value = ctrl->value;
        return 0;
    }
    default:
        return fail(ENOTTY);
    }
}

bool FakeV4l2::frameReadyLocked(const Device& device) const
{
    return device.streaming && !device.queued.empty() && Clock::now() >= device.nextFrame;
}

void* FakeV4l2::mmap(std::size_t length, int /*prot*/, int /*flags*/, int fd, off_t offset)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Device* device = deviceOfLocked(fd);
    const std::size_t index = std::size_t(offset / kOffsetStep);
    if (!device || index >= device->buffers.size() || length > device->buffers[index].size()) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    void* address = device->buffers[index].data();
    m_mapped[address] = length;
    return address;
}

int FakeV4l2::munmap(void* address, std::size_t /*length*/)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapped.erase(address) ? 0 : fail(EINVAL);
}

int FakeV4l2::poll(struct pollfd* fds, nfds_t count, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    ++m_pollCalls;
    if (count != 1) {
        return fail(EINVAL);
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        Device* device = deviceOfLocked(fds->fd);
        if (!device) {
            fds->revents = POLLNVAL;
            return 1;
        }
        if (device->unplugged) {
            fds->revents = POLLERR;
            return 1;
        }
        if (frameReadyLocked(*device)) {
            fds->revents = POLLIN;
            return 1;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            fds->revents = 0;
            return 0;
        }
        auto wake = deadline;
        if (device->streaming && !device->queued.empty()) {
            wake = std::min(wake, device->nextFrame);
        }
        m_changed.wait_until(lock, wake);
    }
}
