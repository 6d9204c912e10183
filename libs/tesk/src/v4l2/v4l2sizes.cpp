#include "v4l2sizes.h"

#include "v4l2io.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cmath>

namespace tesk {

namespace {

const Size kUsualSizes[] = {{320, 240},   {640, 480},   {800, 600},   {1024, 768},  {1280, 720},
                            {1280, 960},  {1280, 1024}, {1600, 1200}, {1920, 1080}, {2048, 1536},
                            {2560, 1440}, {2592, 1944}, {3264, 2448}, {3840, 2160}, {4096, 2160}};

bool fits(uint32_t value, uint32_t min, uint32_t max, uint32_t step)
{
    return value >= min && value <= max && (step <= 1 || (value - min) % step == 0);
}

void sortAndUnique(std::vector<Size>& sizes)
{
    const auto smaller = [](const Size& a, const Size& b) {
        const long long areaA = (long long)a.width() * a.height();
        const long long areaB = (long long)b.width() * b.height();
        return areaA != areaB ? areaA < areaB : a.width() < b.width();
    };
    std::sort(sizes.begin(), sizes.end(), smaller);
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
}

} // namespace

std::vector<Size> stepwiseSizes(uint32_t minWidth, uint32_t maxWidth, uint32_t stepWidth, uint32_t minHeight,
                                uint32_t maxHeight, uint32_t stepHeight)
{
    std::vector<Size> sizes;
    if (minWidth == 0 || minHeight == 0 || maxWidth < minWidth || maxHeight < minHeight) {
        return sizes;
    }
    sizes.emplace_back(int(minWidth), int(minHeight));
    for (const Size& size : kUsualSizes) {
        if (fits(uint32_t(size.width()), minWidth, maxWidth, stepWidth) &&
            fits(uint32_t(size.height()), minHeight, maxHeight, stepHeight)) {
            sizes.push_back(size);
        }
    }
    sizes.emplace_back(int(maxWidth), int(maxHeight));
    sortAndUnique(sizes);
    return sizes;
}

std::vector<Size> enumerateFrameSizes(V4l2Io& io, int fd, uint32_t fourcc)
{
    std::vector<Size> sizes;
    for (uint32_t index = 0;; ++index) {
        v4l2_frmsizeenum size{};
        size.index = index;
        size.pixel_format = fourcc;
        if (io.xioctl(fd, VIDIOC_ENUM_FRAMESIZES, &size) != 0) {
            break;
        }
        if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            sizes.emplace_back(int(size.discrete.width), int(size.discrete.height));
            continue;
        }
        const v4l2_frmsize_stepwise& range = size.stepwise;
        const bool continuous = size.type == V4L2_FRMSIZE_TYPE_CONTINUOUS;
        return stepwiseSizes(range.min_width, range.max_width, continuous ? 1 : range.step_width, range.min_height,
                             range.max_height, continuous ? 1 : range.step_height);
    }
    sortAndUnique(sizes);
    return sizes;
}

double chooseFrameRate(V4l2Io& io, int fd, uint32_t fourcc, const Size& size, double wanted)
{
    std::vector<double> rates;
    for (uint32_t index = 0;; ++index) {
        v4l2_frmivalenum interval{};
        interval.index = index;
        interval.pixel_format = fourcc;
        interval.width = uint32_t(size.width());
        interval.height = uint32_t(size.height());
        if (io.xioctl(fd, VIDIOC_ENUM_FRAMEINTERVALS, &interval) != 0) {
            break;
        }
        const auto rateOf = [](const v4l2_fract& f) { return f.numerator ? double(f.denominator) / f.numerator : 0.0; };
        if (interval.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
            rates.push_back(rateOf(interval.discrete));
            continue;
        }
        // A range: the fastest, the slowest and, when asked for, the wanted rate inside it.
        const double fastest = rateOf(interval.stepwise.min);
        const double slowest = rateOf(interval.stepwise.max);
        rates.push_back(fastest);
        rates.push_back(slowest);
        if (wanted > 0.0) {
            rates.push_back(std::clamp(wanted, std::min(fastest, slowest), std::max(fastest, slowest)));
        }
        break;
    }
    rates.erase(std::remove_if(rates.begin(), rates.end(), [](double r) { return !(r > 0.0); }), rates.end());
    if (rates.empty()) {
        return 0.0;
    }
    if (wanted <= 0.0) {
        return *std::max_element(rates.begin(), rates.end());
    }
    return *std::min_element(rates.begin(), rates.end(),
                             [wanted](double a, double b) { return std::abs(a - wanted) < std::abs(b - wanted); });
}

} // namespace tesk
