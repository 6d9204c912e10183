// The network side of CameraFactory: network cameras and device discovery.
#include <tesk/camerafactory.h>

#include <tesk/log.h>

#include <string>

namespace tesk {

Camera* CameraFactory::getNetworkCamera(SDKType type, const std::string& address)
{
    log(LogLevel::Info, "network camera of type " + std::to_string(int(type)) + " at " + address +
                            ": network cameras are not available in this build");
    return nullptr;
}

// Network discovery finds nothing in this build: the lists stay empty.
void CameraFactory::startDravikDeviceScan(int) {}

std::vector<CameraInfo> CameraFactory::dravikDeviceList()
{
    return {};
}

void CameraFactory::stopDravikDeviceScan() {}

void CameraFactory::startNetcamDeviceScan() {}

std::vector<CameraInfo> CameraFactory::netcamDeviceList()
{
    return {};
}

void CameraFactory::stopNetcamDeviceScan() {}

} // namespace tesk
