#pragma once

#include <tesk/frame.h>

#include <cstdint>
#include <string>

namespace tesk {

/// The library's format for a V4L2 pixel format (fourcc); Unknown when there is none.
Frame::Format formatFromFourcc(uint32_t fourcc);
/// The V4L2 pixel format for a library format; 0 when there is none.
uint32_t fourccFromFormat(Frame::Format format);
/// "YUYV", "MJPG", … for logs.
std::string fourccName(uint32_t fourcc);
} // namespace tesk
