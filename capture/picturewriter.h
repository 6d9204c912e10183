#pragma once

#include <QString>

class QImage;

namespace tesk {
class Frame;
}

/// Writes pictures to files. The encoder follows the file's suffix (bmp, jpg, png, tif, ...);
/// a file appears only once it is complete, so a failed write never leaves half a picture.
namespace PictureWriter {

/// JPEG and other lossy encoders use this quality.
constexpr int Quality = 90;

/// Whether frames of this pixel format can be written (32-bit RGB and Motion JPEG).
bool canWrite(int frameFormat);

bool writeImage(const QImage& image, const QString& path);

/// Motion JPEG is written byte for byte, whatever the suffix; 32-bit RGB is encoded.
bool writeFrame(const tesk::Frame& frame, const QString& path);

} // namespace PictureWriter
