#pragma once

#include "camerainfo.h"

#include <string>
#include <vector>

namespace tesk {

class Camera;
class UVCFilter;

/// Library numbers of the network device kinds.
enum SDKType : int
{
    SDKBoxCamera = 1,     ///< a box camera, by IPv4 address
    SDKRtsp = 2,          ///< a stream, by URL
    SDKNetworkCamera = 3, ///< a network camera, by IPv4 address
};

/// Finds cameras and makes camera objects.
class CameraFactory
{
public:
    /// USB cameras accepted by the filter, then the emulated cameras (TESK_CAMEMU=N).
    static std::vector<CameraInfo> deviceList();
    /// A new camera for a listed device, or null.
    static Camera* getCamera(const CameraInfo& info);
    /// A new network camera, or null when that kind of device cannot be reached.
    static Camera* getNetworkCamera(SDKType type, const std::string& address);

    static void startDravikDeviceScan(int mode);
    static std::vector<CameraInfo> dravikDeviceList();
    static void stopDravikDeviceScan();
    static void startNetcamDeviceScan();
    static std::vector<CameraInfo> netcamDeviceList();
    static void stopNetcamDeviceScan();

    /// The filter deviceList() applies; null accepts every camera. Not owned.
    static void setUVCFilter(UVCFilter* filter);
    static UVCFilter* uvcFilter();

    /// The number of emulated cameras TESK_CAMEMU asks for (0 to 16).
    static int emulatedCameraCount();
};

} // namespace tesk
