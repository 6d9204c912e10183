#include "pixelformats.h"

#include <linux/videodev2.h>

#include <utility>

namespace tesk {

namespace {

const std::pair<uint32_t, Frame::Format> kFormats[] = {
    {V4L2_PIX_FMT_YUYV, Frame::YUY2},  {V4L2_PIX_FMT_UYVY, Frame::UYVY},  {V4L2_PIX_FMT_MJPEG, Frame::MJPEG},
    {V4L2_PIX_FMT_JPEG, Frame::MJPEG}, {V4L2_PIX_FMT_NV12, Frame::NV12},  {V4L2_PIX_FMT_YUV420, Frame::YU12},
    {V4L2_PIX_FMT_GREY, Frame::Mono8}, {V4L2_PIX_FMT_Y16, Frame::Mono16}, {V4L2_PIX_FMT_RGB24, Frame::RGB},
    {V4L2_PIX_FMT_BGR24, Frame::BGR},  {V4L2_PIX_FMT_H264, Frame::H264},
};

} // namespace

Frame::Format formatFromFourcc(uint32_t fourcc)
{
    for (const auto& [code, format] : kFormats) {
        if (code == fourcc) {
            return format;
        }
    }
    return Frame::Unknown;
}

uint32_t fourccFromFormat(Frame::Format format)
{
    for (const auto& [code, known] : kFormats) {
        if (known == format) {
            return code;
        }
    }
    return 0;
}

std::string fourccName(uint32_t fourcc)
{
    std::string name;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = char((fourcc >> shift) & 0xff);
        name += (c >= 32 && c < 127) ? c : '?';
    }
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

} // namespace tesk
