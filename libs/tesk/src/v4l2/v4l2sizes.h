#pragma once

#include <tesk/size.h>

#include <cstdint>
#include <vector>

namespace tesk {

class V4l2Io;

/// The frame sizes a pixel format offers, smallest first. A step-wise or continuous range
/// gives its smallest and largest size and the usual sizes that fit the range and its step.
std::vector<Size> enumerateFrameSizes(V4l2Io& io, int fd, uint32_t fourcc);

/// The frame rate to ask for at a size: the one closest to `wanted`, or the fastest when
/// `wanted` is 0. 0 when the driver tells none.
double chooseFrameRate(V4l2Io& io, int fd, uint32_t fourcc, const Size& size, double wanted);

/// The usual sizes within a step-wise range (exposed for tests).
std::vector<Size> stepwiseSizes(uint32_t minWidth, uint32_t maxWidth, uint32_t stepWidth, uint32_t minHeight,
                                uint32_t maxHeight, uint32_t stepHeight);

} // namespace tesk
