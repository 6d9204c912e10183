#include "v4l2controls.h"

#include "../propertyids.h"
#include "v4l2io.h"

#include <tesk/errors.h>

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace tesk {

namespace {

// V4L2 counts exposure in units of 100 µs; the library in microseconds.
constexpr double kExposureUnitUs = 100.0;

struct NumericMapping
{
    int id;
    uint32_t cid;
    double scale;
};

const NumericMapping kNumericMappings[] = {
    {Brightness, V4L2_CID_BRIGHTNESS, 1.0},
    {Contrast, V4L2_CID_CONTRAST, 1.0},
    {Hue, V4L2_CID_HUE, 1.0},
    {Saturation, V4L2_CID_SATURATION, 1.0},
    {Gamma, V4L2_CID_GAMMA, 1.0},
    {Sharpness, V4L2_CID_SHARPNESS, 1.0},
    {Gain, V4L2_CID_GAIN, 1.0},
    {ExposureTime, V4L2_CID_EXPOSURE_ABSOLUTE, kExposureUnitUs},
    {RedGain, V4L2_CID_RED_BALANCE, 1.0},
    {BlueGain, V4L2_CID_BLUE_BALANCE, 1.0},
    {Temperature, V4L2_CID_WHITE_BALANCE_TEMPERATURE, 1.0},
};

int errorFromErrno(int error)
{
    switch (error) {
    case EINVAL:
    case ERANGE:
        return ErrorInvalidArgument;
    case EACCES:
    case EPERM:
        return ErrorReadOnly; // an inactive control, e.g. exposure time under automatic exposure
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

bool contains(const std::vector<int32_t>& items, int32_t value)
{
    return std::find(items.begin(), items.end(), value) != items.end();
}

} // namespace

V4l2Controls::V4l2Controls(V4l2Io& io) : m_io(io) {}

V4l2Controls::Control V4l2Controls::queryControl(int fd, uint32_t cid) const
{
    Control control;
    control.cid = cid;
    v4l2_queryctrl query{};
    query.id = cid;
    if (m_io.xioctl(fd, VIDIOC_QUERYCTRL, &query) != 0 || (query.flags & V4L2_CTRL_FLAG_DISABLED)) {
        return control;
    }
    control.supported = true;
    control.min = query.minimum;
    control.max = query.maximum;
    control.step = query.step > 0 ? query.step : 1;
    control.initial = query.default_value;
    if (query.type == V4L2_CTRL_TYPE_MENU || query.type == V4L2_CTRL_TYPE_INTEGER_MENU) {
        for (int32_t index = query.minimum; index <= query.maximum; ++index) {
            v4l2_querymenu item{};
            item.id = cid;
            item.index = uint32_t(index);
            if (m_io.xioctl(fd, VIDIOC_QUERYMENU, &item) == 0) {
                control.menu.push_back(index);
            }
        }
    }
    return control;
}

void V4l2Controls::query(int fd)
{
    clear();
    for (const NumericMapping& mapping : kNumericMappings) {
        Numeric numeric{queryControl(fd, mapping.cid), mapping.scale};
        if (numeric.control.supported) {
            m_numeric[mapping.id] = numeric;
        }
    }
    m_exposureAuto = queryControl(fd, V4L2_CID_EXPOSURE_AUTO);
    m_whiteBalanceAuto = queryControl(fd, V4L2_CID_AUTO_WHITE_BALANCE);
    m_whiteBalanceOnce = queryControl(fd, V4L2_CID_DO_WHITE_BALANCE);
    m_powerLine = queryControl(fd, V4L2_CID_POWER_LINE_FREQUENCY);
    m_flip = queryControl(fd, V4L2_CID_VFLIP);
    m_mirror = queryControl(fd, V4L2_CID_HFLIP);
}

void V4l2Controls::clear()
{
    m_numeric.clear();
    m_exposureAuto = m_whiteBalanceAuto = m_whiteBalanceOnce = m_powerLine = m_flip = m_mirror = Control();
}

int V4l2Controls::readControl(int fd, const Control& control, int32_t* value) const
{
    v4l2_control ctrl{};
    ctrl.id = control.cid;
    if (m_io.xioctl(fd, VIDIOC_G_CTRL, &ctrl) != 0) {
        return errorFromErrno(errno);
    }
    *value = ctrl.value;
    return Ok;
}

int V4l2Controls::writeControl(int fd, const Control& control, int32_t value) const
{
    v4l2_control ctrl{};
    ctrl.id = control.cid;
    ctrl.value = value;
    if (m_io.xioctl(fd, VIDIOC_S_CTRL, &ctrl) != 0) {
        return errorFromErrno(errno);
    }
    return Ok;
}

bool V4l2Controls::isSupported(int id) const
{
    return m_numeric.count(id) > 0;
}

int V4l2Controls::range(int id, double* min, double* max, double* step) const
{
    const auto found = m_numeric.find(id);
    if (found == m_numeric.end()) {
        return ErrorNotSupported;
    }
    const Numeric& numeric = found->second;
    if (min) {
        *min = numeric.control.min * numeric.scale;
    }
    if (max) {
        *max = numeric.control.max * numeric.scale;
    }
    if (step) {
        *step = numeric.control.step * numeric.scale;
    }
    return Ok;
}

double V4l2Controls::defaultValue(int id) const
{
    const auto found = m_numeric.find(id);
    return found == m_numeric.end() ? 0.0 : found->second.control.initial * found->second.scale;
}

int V4l2Controls::get(int fd, int id, double* value) const
{
    const auto found = m_numeric.find(id);
    if (found == m_numeric.end()) {
        return ErrorNotSupported;
    }
    int32_t raw = 0;
    const int result = readControl(fd, found->second.control, &raw);
    if (result == Ok) {
        *value = raw * found->second.scale;
    }
    return result;
}

int V4l2Controls::set(int fd, int id, double value)
{
    const auto found = m_numeric.find(id);
    if (found == m_numeric.end()) {
        return ErrorNotSupported;
    }
    if (!std::isfinite(value)) {
        return ErrorInvalidArgument;
    }
    // Like the driver would: clamp, then round to the step.
    const Control& control = found->second.control;
    const double raw = std::clamp(value / found->second.scale, double(control.min), double(control.max));
    const double steps = std::round((raw - control.min) / control.step);
    const int32_t driverValue = std::min(control.max, int32_t(control.min + steps * control.step));
    return writeControl(fd, control, driverValue);
}

bool V4l2Controls::isEnumSupported(int id) const
{
    switch (id) {
    case AutoExposure:
        return m_exposureAuto.supported;
    case WhiteBalanceMode:
        return m_whiteBalanceAuto.supported;
    case PowerFrequency:
        return m_powerLine.supported;
    default:
        return false;
    }
}

std::vector<unsigned> V4l2Controls::enumValues(int id) const
{
    std::vector<unsigned> values;
    switch (id) {
    case AutoExposure:
        if (m_exposureAuto.supported) {
            if (contains(m_exposureAuto.menu, V4L2_EXPOSURE_MANUAL)) {
                values.push_back(kAutoExposureOff);
            }
            if (contains(m_exposureAuto.menu, V4L2_EXPOSURE_AUTO) ||
                contains(m_exposureAuto.menu, V4L2_EXPOSURE_APERTURE_PRIORITY)) {
                values.push_back(kAutoExposureOn);
            }
        }
        break;
    case WhiteBalanceMode:
        if (m_whiteBalanceAuto.supported) {
            values.push_back(kWhiteBalanceOff);
            if (m_whiteBalanceOnce.supported) {
                values.push_back(kWhiteBalanceOnce);
            }
            values.push_back(kWhiteBalanceContinuous);
        }
        break;
    case PowerFrequency:
        // The driver's menu numbers are the library's: 0 disabled, 1 50 Hz, 2 60 Hz, 3 auto.
        for (int32_t item : m_powerLine.menu) {
            values.push_back(unsigned(item));
        }
        break;
    default:
        break;
    }
    return values;
}

unsigned V4l2Controls::autoExposureFrom(int32_t value) const
{
    return value == V4L2_EXPOSURE_AUTO || value == V4L2_EXPOSURE_APERTURE_PRIORITY ? kAutoExposureOn : kAutoExposureOff;
}

unsigned V4l2Controls::enumDefault(int id) const
{
    switch (id) {
    case AutoExposure:
        return autoExposureFrom(m_exposureAuto.initial);
    case WhiteBalanceMode:
        return m_whiteBalanceAuto.initial ? kWhiteBalanceContinuous : kWhiteBalanceOff;
    case PowerFrequency:
        return unsigned(std::max(0, m_powerLine.initial));
    default:
        return 0;
    }
}

unsigned V4l2Controls::getEnum(int fd, int id) const
{
    int32_t value = 0;
    switch (id) {
    case AutoExposure:
        return m_exposureAuto.supported && readControl(fd, m_exposureAuto, &value) == Ok ? autoExposureFrom(value) : 0;
    case WhiteBalanceMode:
        // "Once" is done the moment it is asked for; afterwards the balance is off.
        return m_whiteBalanceAuto.supported && readControl(fd, m_whiteBalanceAuto, &value) == Ok && value
                   ? kWhiteBalanceContinuous
                   : kWhiteBalanceOff;
    case PowerFrequency:
        return m_powerLine.supported && readControl(fd, m_powerLine, &value) == Ok ? unsigned(std::max(0, value)) : 0;
    default:
        return 0;
    }
}

int V4l2Controls::setEnum(int fd, int id, unsigned value)
{
    const std::vector<unsigned> allowed = enumValues(id);
    if (allowed.empty()) {
        return ErrorNotSupported;
    }
    if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
        return ErrorInvalidArgument;
    }
    switch (id) {
    case AutoExposure:
        if (value == kAutoExposureOff) {
            return writeControl(fd, m_exposureAuto, V4L2_EXPOSURE_MANUAL);
        }
        // UVC cameras offer aperture priority as their automatic mode.
        return writeControl(fd, m_exposureAuto,
                            contains(m_exposureAuto.menu, V4L2_EXPOSURE_AUTO) ? V4L2_EXPOSURE_AUTO
                                                                              : V4L2_EXPOSURE_APERTURE_PRIORITY);
    case WhiteBalanceMode:
        if (value == kWhiteBalanceOnce) {
            const int result = writeControl(fd, m_whiteBalanceAuto, 0);
            return result != Ok ? result : writeControl(fd, m_whiteBalanceOnce, 1);
        }
        return writeControl(fd, m_whiteBalanceAuto, value == kWhiteBalanceContinuous ? 1 : 0);
    case PowerFrequency:
        return writeControl(fd, m_powerLine, int32_t(value));
    default:
        return ErrorNotSupported;
    }
}

int V4l2Controls::setHardwareFlip(int fd, bool on)
{
    return m_flip.supported ? writeControl(fd, m_flip, on ? 1 : 0) : ErrorNotSupported;
}

int V4l2Controls::setHardwareMirror(int fd, bool on)
{
    return m_mirror.supported ? writeControl(fd, m_mirror, on ? 1 : 0) : ErrorNotSupported;
}

} // namespace tesk
