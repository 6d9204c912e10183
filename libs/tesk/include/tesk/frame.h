#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tesk {

/// One picture: pixel bytes, their format and size.
///
/// A frame passed to the frame callback wraps the library's buffer and is valid only during
/// the call. A frame filled by a grab owns its bytes. Copies always own their bytes.
class Frame
{
public:
    enum Format : int
    {
        RGB = 0,   ///< 3 bytes a pixel: R, G, B
        BGR = 1,   ///< 3 bytes a pixel: B, G, R
        RGB32 = 2, ///< 4 bytes a pixel in memory order B, G, R, 0xff (QImage::Format_RGB32)
        UYVY = 3,
        NV12 = 4,
        BayerBG8 = 5,
        YU12 = 6, ///< planar 4:2:0, Y then U then V (I420)
        BayerBG12 = 8,
        BayerBG12Packed = 9,
        BayerRG8 = 10,
        BayerRG10 = 11,
        BayerRG10Packed = 12,
        BayerRG12 = 13,
        BayerRG12Packed = 14,
        YUY2 = 15, ///< packed 4:2:2, Y0 U Y1 V
        YUY2Packed = 16,
        YVY2 = 17,
        YVY2Packed = 18,
        Mono8 = 29,
        Mono10 = 31,
        Mono10Packed = 32,
        Mono12 = 33,
        Mono12Packed = 34,
        Mono16 = 36,
        MJPEG = 37, ///< one complete JPEG picture
        H264 = 38,
        H265 = 39,
        NoPicture = 40, ///< a box camera waiting for its camera button; carries no pixels
        Unknown = -1,
    };

    Frame() = default;
    /// Wraps `data` without copying; the bytes must outlive the frame.
    Frame(const uint8_t* data, std::size_t size, Format format, int width, int height);
    Frame(const Frame& other);
    Frame& operator=(const Frame& other);
    Frame(Frame&& other) noexcept;
    Frame& operator=(Frame&& other) noexcept;

    const uint8_t* data() const { return m_data; }
    std::size_t dataSize() const { return m_size; }
    Format format() const { return m_format; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    /// Bytes from one row to the next for packed formats; 0 for compressed ones.
    int stride() const;
    bool isEmpty() const { return m_data == nullptr || m_size == 0; }
    bool ownsData() const { return !m_storage.empty() && m_data == m_storage.data(); }

    /// Copies `data` into storage of the frame's own.
    void assign(const uint8_t* data, std::size_t size, Format format, int width, int height);
    /// Gives the frame storage of its own of `size` bytes and returns it for filling.
    uint8_t* allocate(std::size_t size, Format format, int width, int height);
    void clear();

    /// Bytes a pixel of a packed format, 0 for compressed or planar ones.
    static int bytesPerPixel(Format format);

private:
    std::vector<uint8_t> m_storage;
    const uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    Format m_format = Unknown;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tesk
