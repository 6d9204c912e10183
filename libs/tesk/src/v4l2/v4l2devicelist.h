#pragma once

#include <tesk/camerainfo.h>

#include <vector>

namespace tesk {

struct V4l2System;

/// The video-capture nodes of the system in the order of their numbers (video0, video2, …):
/// name from the driver's card name, the USB vendor and product ids from sysfs, the device
/// node as address. Nodes that only carry metadata or cannot be opened are left out. The
/// indices are not set.
std::vector<CameraInfo> listV4l2Devices(const V4l2System& system);

} // namespace tesk
