#include "emulatedcamera.h"

#include "jpegcodec.h"
#include "propertyids.h"
#include "requestedsettings.h"
#include "requestparams.h"

#include <tesk/errors.h>
#include <tesk/log.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace tesk {

namespace {

const std::vector<Size> kSizes = {{640, 480}, {1280, 720}, {1920, 1080}, {2592, 1944}, {3840, 2160}};
const std::vector<Frame::Format> kFormats = {Frame::YUY2, Frame::MJPEG, Frame::RGB};

long long nowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

EmulatedCamera::EmulatedCamera(const CameraInfo& info) : Camera(info)
{
    for (const auto& [id, range] : ranges()) {
        m_values[id] = range.initial;
    }
    for (const auto& [id, values] : enumValues()) {
        m_enums[id] = enumPropertyDefault(id);
        (void)values;
    }
}

EmulatedCamera::~EmulatedCamera()
{
    close();
}

const std::map<int, EmulatedCamera::Range>& EmulatedCamera::ranges()
{
    static const std::map<int, Range> table = {
        {Brightness, {-64, 64, 1, 0}},
        {Contrast, {0, 100, 1, 50}},
        {Hue, {-180, 180, 1, 0}},
        {Saturation, {0, 200, 1, 100}},
        {Gamma, {20, 500, 1, 100}},
        {Sharpness, {0, 100, 1, 50}},
        {Gain, {0, 100, 1, 0}},
        {ExposureTarget, {16, 235, 1, 120}},
        {ExposureTime, {100, 1000000, 100, 10000}},
        {RedGain, {0, 400, 1, 100}},
        {GreenGain, {0, 400, 1, 100}},
        {BlueGain, {0, 400, 1, 100}},
        {Temperature, {2000, 15000, 50, 6500}},
        {Denoise, {0, 100, 1, 0}},
        {PacketSize, {1500, 9000, 4, 1500}},
        {FocusValue, {0, 255, 0.01, 0}},
    };
    return table;
}

const std::map<int, std::vector<unsigned>>& EmulatedCamera::enumValues()
{
    static const std::map<int, std::vector<unsigned>> table = {
        {AutoExposure, {0, 2}},
        {WhiteBalanceMode, {0, 1, 2}},
        {PowerFrequency, {0, 1, 2, 3, 4}},
        {ColorMode, {0, 1, 2}},
    };
    return table;
}

double EmulatedCamera::nominalFrameRate(const Size& size)
{
    const long long pixels = (long long)size.width() * size.height();
    if (pixels > 4000000) {
        return 10.0;
    }
    if (pixels > 2100000) {
        return 15.0;
    }
    return 30.0;
}

std::vector<Frame::Format> EmulatedCamera::formats() const
{
    return kFormats;
}

std::vector<Size> EmulatedCamera::sizes() const
{
    return kSizes;
}

double EmulatedCamera::propertyDefault(int id) const
{
    const auto found = ranges().find(id);
    return found == ranges().end() ? 0.0 : found->second.initial;
}

unsigned EmulatedCamera::enumPropertyDefault(int id) const
{
    switch (id) {
    case AutoExposure:
        return kAutoExposureOn;
    case PowerFrequency:
        return 1; // 50 Hz
    default:
        return 0;
    }
}

int EmulatedCamera::open(int width, int height)
{
    stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto closest = std::min_element(kSizes.begin(), kSizes.end(), [&](const Size& a, const Size& b) {
            return std::abs(a.width() - width) + std::abs(a.height() - height) <
                   std::abs(b.width() - width) + std::abs(b.height() - height);
        });
        m_size = *closest;
        m_format = (long long)m_size.width() * m_size.height() > 640 * 480 ? Frame::MJPEG : Frame::YUY2;
        m_opened = true;
    }
    applyRequestParams();
    log(LogLevel::Info,
        info().name + " opened at " + std::to_string(m_size.width()) + "x" + std::to_string(m_size.height()));
    return Ok;
}

void EmulatedCamera::applyRequestParams()
{
    const RequestParams& params = requestParams();
    if (params.isEmpty()) {
        return;
    }
    const auto width = params.number("camera", "width");
    const auto height = params.number("camera", "height");
    if (width && height && setFrameSize(int(*width), int(*height)) != Ok) {
        log(LogLevel::Warning, "request parameters: size " + std::to_string(int(*width)) + "x" +
                                   std::to_string(int(*height)) + " is not offered");
    }
    if (const auto name = params.value("camera", "format")) {
        const auto format = formatByName(*name);
        if (format) {
            if (setFrameFormat(*format) != Ok) {
                log(LogLevel::Warning, "request parameters: format " + *name + " is not offered");
            }
        } else {
            log(LogLevel::Warning, "request parameters: unknown format " + *name);
        }
    }
    if (const auto fps = params.number("camera", "fps")) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_fpsOverride = std::clamp(*fps, 0.0, 120.0);
    }
    applyRequestedProperties(params, *this);
}

void EmulatedCamera::close()
{
    stop();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_opened = false;
}

int EmulatedCamera::start()
{
    if (!isOpened()) {
        return ErrorNotOpened;
    }
    if (!m_thread.isRunning()) {
        resetFrameRate();
        m_thread.start([this]() { captureLoop(); });
    }
    return Ok;
}

void EmulatedCamera::stop()
{
    m_thread.stop();
}

bool EmulatedCamera::isOpened() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opened;
}

Frame::Format EmulatedCamera::frameFormat() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_format;
}

int EmulatedCamera::setFrameFormat(Frame::Format format)
{
    if (std::find(kFormats.begin(), kFormats.end(), format) == kFormats.end()) {
        return ErrorNotSupported;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_format = format;
    return Ok;
}

Size EmulatedCamera::frameSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_size;
}

int EmulatedCamera::setFrameSize(int width, int height)
{
    if (std::find(kSizes.begin(), kSizes.end(), Size(width, height)) == kSizes.end()) {
        return ErrorInvalidArgument;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    // The capture thread picks the new size up with its next frame.
    m_size = Size(width, height);
    return Ok;
}

int EmulatedCamera::setFlip(bool flip)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_flip = flip;
    return Ok;
}

bool EmulatedCamera::isFlip() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_flip;
}

int EmulatedCamera::setMirror(bool mirror)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mirror = mirror;
    return Ok;
}

bool EmulatedCamera::isMirror() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mirror;
}

bool EmulatedCamera::isPropertySupported(int id) const
{
    return ranges().count(id) > 0;
}

int EmulatedCamera::propertyRange(int id, double* min, double* max, double* step) const
{
    const auto found = ranges().find(id);
    if (found == ranges().end()) {
        return ErrorNotSupported;
    }
    if (min) {
        *min = found->second.min;
    }
    if (max) {
        *max = found->second.max;
    }
    if (step) {
        *step = found->second.step;
    }
    return Ok;
}

int EmulatedCamera::getProperty(int id, double* value) const
{
    if (!value) {
        return ErrorInvalidArgument;
    }
    if (id == FocusValue) {
        *value = m_focus.load();
        return Ok;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_values.find(id);
    if (found == m_values.end()) {
        return ErrorNotSupported;
    }
    *value = found->second;
    return Ok;
}

int EmulatedCamera::setProperty(int id, double value)
{
    const auto found = ranges().find(id);
    if (found == ranges().end()) {
        return ErrorNotSupported;
    }
    if (id == FocusValue) {
        return ErrorReadOnly;
    }
    if (!std::isfinite(value)) {
        return ErrorInvalidArgument;
    }
    // Like a real camera: out-of-range values are clamped and rounded to the step.
    const Range& range = found->second;
    value = std::clamp(value, range.min, range.max);
    value = range.min + std::round((value - range.min) / range.step) * range.step;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values[id] = std::min(value, range.max);
    return Ok;
}

bool EmulatedCamera::isEnumPropertySupported(int id) const
{
    return enumValues().count(id) > 0;
}

std::vector<unsigned> EmulatedCamera::enumPropertyValues(int id) const
{
    const auto found = enumValues().find(id);
    return found == enumValues().end() ? std::vector<unsigned>() : found->second;
}

unsigned EmulatedCamera::getEnumProperty(int id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_enums.find(id);
    return found == m_enums.end() ? 0 : found->second;
}

int EmulatedCamera::setEnumProperty(int id, unsigned value)
{
    const auto values = enumPropertyValues(id);
    if (values.empty()) {
        return ErrorNotSupported;
    }
    if (std::find(values.begin(), values.end(), value) == values.end()) {
        return ErrorInvalidArgument;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id == WhiteBalanceMode && value == kWhiteBalanceOnce) {
        // A one-push balance of the neutral chart: gains and temperature settle at neutral,
        // and the mode reads back as off, as the balance is done.
        m_values[RedGain] = m_values[GreenGain] = m_values[BlueGain] = 100;
        m_values[Temperature] = ranges().at(Temperature).initial;
        m_enums[id] = kWhiteBalanceOff;
        return Ok;
    }
    m_enums[id] = value;
    return Ok;
}

PatternLook EmulatedCamera::lookLocked(long long frameNumber) const
{
    PatternLook look;
    const auto v = [this](int id) { return m_values.at(id); };
    if (m_enums.at(AutoExposure) == kAutoExposureOn) {
        look.exposure = v(ExposureTarget) / 120.0;
    } else {
        const double gainDb = v(Gain) / 100.0 * 24.0;
        look.exposure = v(ExposureTime) / 10000.0 * std::pow(10.0, gainDb / 20.0);
    }
    if (m_enums.at(PowerFrequency) == kPowerFrequencyDisabled) {
        // Without flicker suppression, mains light beats against the frame rate.
        look.exposure *= 1.0 + 0.15 * std::sin(double(frameNumber) * 1.3);
    }
    look.brightness = v(Brightness) * 2.0;
    look.contrast = v(Contrast) / 50.0;
    look.gamma = v(Gamma) / 100.0;
    look.saturation = v(Saturation) / 100.0;
    if (m_enums.at(WhiteBalanceMode) == kWhiteBalanceOff) {
        const double tint = (v(Temperature) - 6500.0) / 13000.0;
        look.red = v(RedGain) / 100.0 * (1.0 + tint);
        look.green = v(GreenGain) / 100.0;
        look.blue = v(BlueGain) / 100.0 * std::max(0.0, 1.0 - tint);
    }
    look.colorMode = int(m_enums.at(ColorMode));
    look.flip = m_flip;
    look.mirror = m_mirror;
    return look;
}

double EmulatedCamera::framePeriodLocked() const
{
    const double fps = m_fpsOverride > 0 ? m_fpsOverride : nominalFrameRate(m_size);
    return 1.0 / fps;
}

void EmulatedCamera::captureLoop()
{
    using Clock = std::chrono::steady_clock;
    long long frameNumber = 0;
    Clock::time_point next = Clock::now();
    while (m_thread.keepRunning()) {
        PatternLook look;
        Size size;
        double period = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            look = lookLocked(frameNumber);
            size = m_size;
            period = framePeriodLocked();
        }
        const std::size_t bytes = std::size_t(size.width()) * size.height() * 4;
        if (m_buffer.size() != bytes) {
            m_buffer.resize(bytes);
        }
        m_pattern.render(size.width(), size.height(), frameNumber, look, m_buffer.data());
        if (frameNumber % 3 == 0) {
            m_focus.store(TestPattern::focusValue(m_buffer.data(), size.width(), size.height()));
        }
        const Frame frame(m_buffer.data(), bytes, Frame::RGB32, size.width(), size.height());
        deliver(&frame, &frame, nowUs());
        ++frameNumber;

        next += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(period));
        const Clock::time_point now = Clock::now();
        if (next < now - std::chrono::milliseconds(200)) {
            next = now; // far behind (a slow callback): do not try to catch up in a burst
        }
        m_thread.sleepUntil(next);
    }
}

int EmulatedCamera::captureStill(Frame* frame, unsigned timeoutMs)
{
    return captureLargest(frame, timeoutMs, timeoutMs);
}

int EmulatedCamera::captureLargest(Frame* frame, unsigned, unsigned)
{
    const Size largest = kSizes.back();
    PatternLook look;
    Frame::Format format;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        look = lookLocked(0);
        format = m_format;
    }
    std::lock_guard<std::mutex> still(m_stillMutex);
    const std::size_t bytes = std::size_t(largest.width()) * largest.height() * 4;
    const long long moment = nowUs() / 33333; // the object where the stream shows it now
    if (format == Frame::MJPEG) {
        std::vector<uint8_t> rgb(bytes);
        m_stillPattern.render(largest.width(), largest.height(), moment, look, rgb.data());
        return encodeJpeg(rgb.data(), largest.width(), largest.height(), 92, frame);
    }
    uint8_t* out = frame->allocate(bytes, Frame::RGB32, largest.width(), largest.height());
    m_stillPattern.render(largest.width(), largest.height(), moment, look, out);
    return Ok;
}

} // namespace tesk
