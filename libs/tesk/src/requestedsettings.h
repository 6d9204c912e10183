#pragma once

#include <tesk/frame.h>

#include <optional>
#include <string>

namespace tesk {

class Camera;
class RequestParams;

/// A format name of the request-parameter files ("MJPEG", "YUYV", "NV12", …), any case.
std::optional<Frame::Format> formatByName(std::string name);

/// Writes the [properties] of the request parameters to the camera. Values the camera
/// refuses are logged and skipped.
void applyRequestedProperties(const RequestParams& params, Camera& camera);

} // namespace tesk
