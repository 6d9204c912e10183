#include <tesk/frame.h>

#include <cstring>

namespace tesk {

Frame::Frame(const uint8_t* data, std::size_t size, Format format, int width, int height)
    : m_data(data), m_size(size), m_format(format), m_width(width), m_height(height)
{}

Frame::Frame(const Frame& other)
{
    *this = other;
}

Frame& Frame::operator=(const Frame& other)
{
    if (this != &other) {
        assign(other.m_data, other.m_size, other.m_format, other.m_width, other.m_height);
    }
    return *this;
}

Frame::Frame(Frame&& other) noexcept
{
    *this = std::move(other);
}

Frame& Frame::operator=(Frame&& other) noexcept
{
    if (this != &other) {
        const bool owned = other.ownsData();
        m_storage = std::move(other.m_storage);
        m_data = owned ? m_storage.data() : other.m_data;
        m_size = other.m_size;
        m_format = other.m_format;
        m_width = other.m_width;
        m_height = other.m_height;
        other.clear();
    }
    return *this;
}

int Frame::bytesPerPixel(Format format)
{
    switch (format) {
    case RGB32:
        return 4;
    case RGB:
    case BGR:
        return 3;
    case YUY2:
    case YVY2:
    case UYVY:
    case Mono10:
    case Mono12:
    case Mono16:
    case BayerRG10:
    case BayerRG12:
    case BayerBG12:
        return 2;
    case Mono8:
    case BayerBG8:
    case BayerRG8:
        return 1;
    default:
        return 0;
    }
}

int Frame::stride() const
{
    return m_width * bytesPerPixel(m_format);
}

void Frame::assign(const uint8_t* data, std::size_t size, Format format, int width, int height)
{
    uint8_t* target = allocate(size, format, width, height);
    if (size > 0 && data) {
        std::memmove(target, data, size);
    }
}

uint8_t* Frame::allocate(std::size_t size, Format format, int width, int height)
{
    m_storage.resize(size);
    m_data = size > 0 ? m_storage.data() : nullptr;
    m_size = size;
    m_format = format;
    m_width = width;
    m_height = height;
    return m_storage.data();
}

void Frame::clear()
{
    m_storage.clear();
    m_data = nullptr;
    m_size = 0;
    m_format = Unknown;
    m_width = 0;
    m_height = 0;
}

} // namespace tesk
