#pragma once

#include <cstdint>
#include <string>

namespace tesk {

/// Description of a camera that can be opened.
struct CameraInfo
{
    int type = 0;           ///< 0 USB (and emulated), 1 box camera, 2 stream URL, 3 network camera
    int index = -1;         ///< position in deviceList(), stable while the devices stay
    std::string name;       ///< the name the device gives itself
    uint16_t vendorId = 0;  ///< USB vendor id
    uint16_t productId = 0; ///< USB product id
    std::string address;    ///< device node, IP address or URL
};

} // namespace tesk
