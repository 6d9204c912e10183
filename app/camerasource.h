#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tesk {
class Camera;
struct CameraInfo;
} // namespace tesk

/// Where the main window gets its cameras: the camera library's factory, or a test's own
/// cameras (a camera that loses its stream, say).
class CameraSource final
{
public:
    using UsbMaker = std::function<tesk::Camera*(const tesk::CameraInfo& info)>;
    using NetworkMaker = std::function<tesk::Camera*(int type, const std::string& address)>;

    static std::vector<tesk::CameraInfo> deviceList();
    static tesk::Camera* camera(const tesk::CameraInfo& info);
    static tesk::Camera* networkCamera(int type, const std::string& address);

    /// Replaces the factory's cameras; empty functions put the factory back.
    static void setMakers(UsbMaker usb, NetworkMaker network);
};
