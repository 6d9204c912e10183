#pragma once

#include <tesk/frame.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tesk {

/// Turns camera frames into 32-bit RGB (B, G, R, 0xff). One converter per thread: it keeps
/// its JPEG decoder and a scratch buffer, so converting allocates nothing after the first
/// frame of a size.
class FrameConverter final
{
public:
    FrameConverter();
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    static bool canConvert(Frame::Format format);
    /// Bytes an uncompressed frame needs with `stride` bytes to a row of its first plane.
    static std::size_t frameBytes(Frame::Format format, int stride, int height);

    /// Converts `size` bytes of `format` into `out` (width × height × 4 bytes). `stride` is
    /// the row pitch of the first plane (0: tightly packed). `flip` turns the picture upside
    /// down, `mirror` left to right. Returns Ok, ErrorNotSupported for a format it cannot
    /// convert, or ErrorFileFormat for a damaged frame (short, or a JPEG that does not
    /// decode cleanly or has another size); `out` is then not a usable picture.
    int toRgb32(const uint8_t* data, std::size_t size, Frame::Format format, int width, int height, int stride,
                bool flip, bool mirror, uint8_t* out);

private:
    int convert(const uint8_t* data, std::size_t size, Frame::Format format, int width, int height, int stride,
                bool flip, uint8_t* out);
    int decodeJpeg(const uint8_t* data, std::size_t size, int width, int height, bool flip, uint8_t* out);
    void resetDecoder();

    void* m_decoder = nullptr;
    std::vector<uint8_t> m_scratch;
};

} // namespace tesk
