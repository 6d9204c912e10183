#pragma once

namespace tesk {

/// A frame size in pixels.
class Size
{
public:
    Size() = default;
    Size(int width, int height) : m_width(width), m_height(height) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width <= 0 || m_height <= 0; }

    bool operator==(const Size& other) const { return m_width == other.m_width && m_height == other.m_height; }
    bool operator!=(const Size& other) const { return !(*this == other); }

private:
    int m_width = 0;
    int m_height = 0;
};

} // namespace tesk
