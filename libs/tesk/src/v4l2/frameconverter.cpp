#include "frameconverter.h"

#include <tesk/errors.h>

#include <libyuv/convert_argb.h>
#include <libyuv/planar_functions.h>
#include <turbojpeg.h>

namespace tesk {

FrameConverter::FrameConverter() : m_decoder(tjInitDecompress()) {}

FrameConverter::~FrameConverter()
{
    if (m_decoder) {
        tjDestroy(m_decoder);
    }
}

bool FrameConverter::canConvert(Frame::Format format)
{
    switch (format) {
    case Frame::YUY2:
    case Frame::UYVY:
    case Frame::NV12:
    case Frame::YU12:
    case Frame::Mono8:
    case Frame::Mono16:
    case Frame::RGB:
    case Frame::BGR:
    case Frame::RGB32:
    case Frame::MJPEG:
        return true;
    default:
        return false;
    }
}

std::size_t FrameConverter::frameBytes(Frame::Format format, int stride, int height)
{
    const std::size_t plane = std::size_t(stride) * std::size_t(height);
    switch (format) {
    case Frame::NV12:
    case Frame::YU12:
        return plane + plane / 2;
    case Frame::MJPEG:
        return 0;
    default:
        return plane;
    }
}

int FrameConverter::toRgb32(const uint8_t* data, std::size_t size, Frame::Format format, int width, int height,
                            int stride, bool flip, bool mirror, uint8_t* out)
{
    if (!data || !out || width <= 0 || height <= 0) {
        return ErrorInvalidArgument;
    }
    if (!canConvert(format)) {
        return ErrorNotSupported;
    }
    if (!mirror) {
        return convert(data, size, format, width, height, stride, flip, out);
    }
    // No converter mirrors on the way, so mirror a converted copy.
    m_scratch.resize(std::size_t(width) * std::size_t(height) * 4);
    const int result = convert(data, size, format, width, height, stride, flip, m_scratch.data());
    if (result == Ok) {
        libyuv::ARGBMirror(m_scratch.data(), width * 4, out, width * 4, width, height);
    }
    return result;
}

int FrameConverter::convert(const uint8_t* data, std::size_t size, Frame::Format format, int width, int height,
                            int stride, bool flip, uint8_t* out)
{
    if (format == Frame::MJPEG) {
        return decodeJpeg(data, size, width, height, flip, out);
    }
    const int packed = format == Frame::NV12 || format == Frame::YU12 || format == Frame::Mono8 ? width
                       : format == Frame::RGB || format == Frame::BGR                           ? width * 3
                       : format == Frame::RGB32                                                 ? width * 4
                                                                                                : width * 2;
    if (stride <= 0) {
        stride = packed;
    }
    if (stride < packed || size < frameBytes(format, stride, height)) {
        return ErrorFileFormat;
    }
    const int dstStride = width * 4;
    // libyuv turns the picture upside down when given a negative height.
    const int h = flip ? -height : height;
    int result = 0;
    switch (format) {
    case Frame::YUY2:
        result = libyuv::YUY2ToARGB(data, stride, out, dstStride, width, h);
        break;
    case Frame::UYVY:
        result = libyuv::UYVYToARGB(data, stride, out, dstStride, width, h);
        break;
    case Frame::NV12:
        result =
            libyuv::NV12ToARGB(data, stride, data + std::size_t(stride) * height, stride, out, dstStride, width, h);
        break;
    case Frame::YU12: {
        const uint8_t* u = data + std::size_t(stride) * height;
        const uint8_t* v = u + std::size_t(stride / 2) * ((height + 1) / 2);
        result = libyuv::I420ToARGB(data, stride, u, stride / 2, v, stride / 2, out, dstStride, width, h);
        break;
    }
    case Frame::Mono8:
        result = libyuv::J400ToARGB(data, stride, out, dstStride, width, h);
        break;
    case Frame::RGB: // memory order R, G, B: libyuv calls it RAW
        result = libyuv::RAWToARGB(data, stride, out, dstStride, width, h);
        break;
    case Frame::BGR: // memory order B, G, R: libyuv's RGB24
        result = libyuv::RGB24ToARGB(data, stride, out, dstStride, width, h);
        break;
    case Frame::RGB32:
        result = libyuv::ARGBCopy(data, stride, out, dstStride, width, h);
        break;
    case Frame::Mono16:
        // Little-endian 16-bit grey: the high byte is the 8-bit picture.
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = data + std::size_t(stride) * (flip ? height - 1 - y : y);
            uint8_t* dst = out + std::size_t(dstStride) * y;
            for (int x = 0; x < width; ++x) {
                const uint8_t g = row[2 * x + 1];
                dst[4 * x] = g;
                dst[4 * x + 1] = g;
                dst[4 * x + 2] = g;
                dst[4 * x + 3] = 0xff;
            }
        }
        break;
    default:
        return ErrorNotSupported;
    }
    return result == 0 ? Ok : ErrorFileFormat;
}

int FrameConverter::decodeJpeg(const uint8_t* data, std::size_t size, int width, int height, bool flip, uint8_t* out)
{
    if (!m_decoder || size < 4 || data[0] != 0xff || data[1] != 0xd8) {
        return ErrorFileFormat;
    }
    int jpegWidth = 0;
    int jpegHeight = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(m_decoder, data, (unsigned long)size, &jpegWidth, &jpegHeight, &subsampling,
                            &colourspace) != 0) {
        resetDecoder();
        return ErrorFileFormat;
    }
    if (jpegWidth != width || jpegHeight != height) {
        return ErrorFileFormat;
    }
    // A warning (a cut-off frame, a bad marker) counts as damage too: such a frame shows
    // grey bands or garbage, and the next whole frame is a few milliseconds away.
    const int flags = TJFLAG_STOPONWARNING | (flip ? TJFLAG_BOTTOMUP : 0);
    if (tjDecompress2(m_decoder, data, (unsigned long)size, out, width, width * 4, height, TJPF_BGRX, flags) != 0) {
        resetDecoder();
        return ErrorFileFormat;
    }
    return Ok;
}

void FrameConverter::resetDecoder()
{
    // A decode stopped half-way leaves the decoder unable to read the next header.
    tjDestroy(m_decoder);
    m_decoder = tjInitDecompress();
}

} // namespace tesk
