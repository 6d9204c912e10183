#pragma once

#include <cstdint>
#include <vector>

namespace tesk {

/// What the emulated camera's picture reacts to, in plain factors.
struct PatternLook
{
    double exposure = 1.0;   ///< light gathered, 1 = nominal (exposure time × gain)
    double brightness = 0.0; ///< added to every channel, -255..255
    double contrast = 1.0;   ///< slope about mid grey
    double gamma = 1.0;      ///< output = input ^ (1 / gamma)
    double saturation = 1.0; ///< 0 grey, 1 natural
    double red = 1.0;        ///< white-balance gains
    double green = 1.0;
    double blue = 1.0;
    int colorMode = 0;   ///< 0 colour, 1 monochrome, 2 negative
    bool flip = false;   ///< upside down
    bool mirror = false; ///< left to right

    bool operator==(const PatternLook& other) const;
    bool operator!=(const PatternLook& other) const { return !(*this == other); }
};

/// Draws the emulated camera's moving test chart into 32-bit RGB buffers (B, G, R, 0xff).
/// Colour bars, a grey ramp, a fine checker for focusing and an object that moves with
/// the frame number. Reuses its buffers: no allocation per frame at a fixed size. When the
/// look and the output buffer stay the same, only the rows the object crosses are drawn again.
class TestPattern final
{
public:
    void render(int width, int height, long long frameNumber, const PatternLook& look, uint8_t* out);

    /// Sharpness of the middle of an RGB32 picture: mean absolute difference of
    /// neighbouring green values there, 0 for a flat picture.
    static double focusValue(const uint8_t* rgb32, int width, int height);

private:
    void buildChart(int width, int height);
    void buildTables(const PatternLook& look);
    void placeObject(long long frameNumber);
    void renderRows(int first, int last, const PatternLook& look, uint8_t* out) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_chart; // the still chart
    std::vector<uint8_t> m_scene; // chart plus the moving object
    int m_objectX = -1;
    int m_objectY = 0;
    int m_objectSize = 0;
    uint8_t m_table[3][256] = {}; // B, G, R
    PatternLook m_lastLook;
    const uint8_t* m_lastOut = nullptr;
};

} // namespace tesk
