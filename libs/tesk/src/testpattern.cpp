#include "testpattern.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tesk {

namespace {

struct Rgb
{
    uint8_t r, g, b;
};

// 75 % colour bars: white, yellow, cyan, green, magenta, red, blue, black.
constexpr Rgb kBars[] = {{191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
                         {191, 0, 191},   {191, 0, 0},   {0, 0, 191},   {16, 16, 16}};

inline void put(uint8_t* p, uint8_t r, uint8_t g, uint8_t b)
{
    p[0] = b;
    p[1] = g;
    p[2] = r;
    p[3] = 0xff;
}

uint8_t clampByte(double v)
{
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

} // namespace

bool PatternLook::operator==(const PatternLook& o) const
{
    return exposure == o.exposure && brightness == o.brightness && contrast == o.contrast && gamma == o.gamma &&
           saturation == o.saturation && red == o.red && green == o.green && blue == o.blue &&
           colorMode == o.colorMode && flip == o.flip && mirror == o.mirror;
}

void TestPattern::buildChart(int width, int height)
{
    m_width = width;
    m_height = height;
    m_chart.assign(std::size_t(width) * height * 4, 0);
    const int barsEnd = height * 55 / 100;
    const int rampEnd = height * 75 / 100;
    const int checker = std::max(2, width / 320);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = m_chart.data() + std::size_t(y) * width * 4;
        for (int x = 0; x < width; ++x) {
            uint8_t* p = row + x * 4;
            if (y < barsEnd) {
                const Rgb& c = kBars[std::min(7, x * 8 / width)];
                put(p, c.r, c.g, c.b);
            } else if (y < rampEnd) {
                const uint8_t v = static_cast<uint8_t>(x * 255 / std::max(1, width - 1));
                put(p, v, v, v);
            } else if (x < width / 2) {
                const bool dark = ((x / checker) + (y / checker)) % 2;
                const uint8_t v = dark ? 30 : 220;
                put(p, v, v, v);
            } else {
                // A soft colour wheel of hues, for white balance and saturation.
                const double hue = double(x - width / 2) / (width / 2) * 6.0;
                const int sector = int(hue) % 6;
                const double f = hue - std::floor(hue);
                const uint8_t up = clampByte(200 * f), down = clampByte(200 * (1 - f));
                const Rgb c[] = {{200, up, 0},   {down, 200, 0}, {0, 200, up},
                                 {0, down, 200}, {up, 0, 200},   {200, 0, down}};
                put(p, c[sector].r, c[sector].g, c[sector].b);
            }
        }
    }
    m_scene = m_chart;
    m_objectX = -1;
    m_lastOut = nullptr;
    m_objectSize = std::max(8, height / 8);
    m_objectY = barsEnd - m_objectSize / 2;
}

void TestPattern::placeObject(long long frameNumber)
{
    const int size = m_objectSize;
    const int rowBytes = m_width * 4;
    // Put back the chart where the object was.
    if (m_objectX >= 0) {
        for (int y = m_objectY; y < m_objectY + size && y < m_height; ++y) {
            const std::size_t offset = std::size_t(y) * rowBytes + std::size_t(m_objectX) * 4;
            std::memcpy(m_scene.data() + offset, m_chart.data() + offset, std::size_t(size) * 4);
        }
    }
    // Across and back in about four seconds at 30 frames a second.
    const int travel = std::max(1, m_width - size);
    const long long step = (frameNumber * travel / 60) % (2 * travel);
    m_objectX = int(step < travel ? step : 2 * travel - step);
    const int radius = size / 2;
    for (int dy = 0; dy < size && m_objectY + dy < m_height; ++dy) {
        uint8_t* row = m_scene.data() + std::size_t(m_objectY + dy) * rowBytes + std::size_t(m_objectX) * 4;
        for (int dx = 0; dx < size; ++dx) {
            const int ex = dx - radius, ey = dy - radius;
            const int d2 = ex * ex + ey * ey;
            if (d2 <= radius * radius) {
                const bool ring = d2 > (radius - std::max(2, radius / 6)) * (radius - std::max(2, radius / 6));
                if (ring) {
                    put(row + dx * 4, 240, 240, 240);
                } else {
                    put(row + dx * 4, 230, 120, 20);
                }
            }
        }
    }
}

void TestPattern::buildTables(const PatternLook& look)
{
    const double gains[3] = {look.blue, look.green, look.red};
    const bool negative = look.colorMode == 2;
    for (int c = 0; c < 3; ++c) {
        for (int v = 0; v < 256; ++v) {
            double x = v * look.exposure * gains[c];
            x = (x - 128.0) * look.contrast + 128.0 + look.brightness;
            x = std::clamp(x, 0.0, 255.0);
            if (look.gamma > 0 && std::abs(look.gamma - 1.0) > 1e-6) {
                x = 255.0 * std::pow(x / 255.0, 1.0 / look.gamma);
            }
            const uint8_t out = clampByte(x);
            m_table[c][v] = negative ? uint8_t(255 - out) : out;
        }
    }
}

void TestPattern::render(int width, int height, long long frameNumber, const PatternLook& look, uint8_t* out)
{
    if (width != m_width || height != m_height || m_chart.empty()) {
        buildChart(width, height);
    }
    const int previousY = m_objectY;
    placeObject(frameNumber);
    if (out == m_lastOut && look == m_lastLook) {
        // Everything but the object's band is already in `out`.
        const int first = previousY, last = std::min(height, m_objectY + m_objectSize);
        if (look.flip) {
            renderRows(height - last, height - first, look, out);
        } else {
            renderRows(first, last, look, out);
        }
        return;
    }
    buildTables(look);
    renderRows(0, height, look, out);
    m_lastLook = look;
    m_lastOut = out;
}

void TestPattern::renderRows(int first, int last, const PatternLook& look, uint8_t* out) const
{
    const int width = m_width, height = m_height;
    const bool mono = look.colorMode == 1;
    const bool saturate = !mono && std::abs(look.saturation - 1.0) > 1e-3;
    const int sat = int(std::lround(look.saturation * 256));
    const uint8_t* tb = m_table[0];
    const uint8_t* tg = m_table[1];
    const uint8_t* tr = m_table[2];
    const std::size_t rowBytes = std::size_t(width) * 4;
    const int pixelStep = look.mirror ? -4 : 4;
    for (int y = std::max(0, first); y < std::min(height, last); ++y) {
        const uint8_t* s =
            m_scene.data() + std::size_t(look.flip ? height - 1 - y : y) * rowBytes + (look.mirror ? rowBytes - 4 : 0);
        uint8_t* d = out + std::size_t(y) * rowBytes;
        if (mono) {
            for (int x = 0; x < width; ++x, s += pixelStep, d += 4) {
                const uint8_t v = uint8_t((tr[s[2]] * 77 + tg[s[1]] * 150 + tb[s[0]] * 29) >> 8);
                d[0] = d[1] = d[2] = v;
                d[3] = 0xff;
            }
        } else if (saturate) {
            for (int x = 0; x < width; ++x, s += pixelStep, d += 4) {
                const int b = tb[s[0]], g = tg[s[1]], r = tr[s[2]];
                const int luma = (r * 77 + g * 150 + b * 29) >> 8;
                d[0] = uint8_t(std::clamp(luma + (((b - luma) * sat) >> 8), 0, 255));
                d[1] = uint8_t(std::clamp(luma + (((g - luma) * sat) >> 8), 0, 255));
                d[2] = uint8_t(std::clamp(luma + (((r - luma) * sat) >> 8), 0, 255));
                d[3] = 0xff;
            }
        } else {
            for (int x = 0; x < width; ++x, s += pixelStep, d += 4) {
                d[0] = tb[s[0]];
                d[1] = tg[s[1]];
                d[2] = tr[s[2]];
                d[3] = 0xff;
            }
        }
    }
}

double TestPattern::focusValue(const uint8_t* rgb32, int width, int height)
{
    if (!rgb32 || width < 8 || height < 8) {
        return 0.0;
    }
    const int x0 = width / 4, x1 = width * 3 / 4, y0 = height / 4, y1 = height * 3 / 4;
    long long sum = 0;
    long long count = 0;
    for (int y = y0; y < y1; y += 2) {
        const uint8_t* row = rgb32 + std::size_t(y) * width * 4 + 1;
        const uint8_t* below = row + std::size_t(width) * 4;
        for (int x = x0; x < x1; x += 2) {
            const int g = row[x * 4];
            sum += std::abs(g - row[(x + 1) * 4]) + std::abs(g - below[x * 4]);
            ++count;
        }
    }
    return count ? double(sum) / double(count) : 0.0;
}

} // namespace tesk
