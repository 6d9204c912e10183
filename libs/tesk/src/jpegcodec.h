#pragma once

#include <tesk/frame.h>

namespace tesk {

/// Encodes a 32-bit RGB picture (B, G, R, x) as one JPEG into `out` (format MJPEG).
int encodeJpeg(const uint8_t* rgb32, int width, int height, int quality, Frame* out);

} // namespace tesk
