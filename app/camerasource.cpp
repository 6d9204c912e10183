#include "camerasource.h"

#include <tesk/camera.h>
#include <tesk/camerafactory.h>

namespace {
CameraSource::UsbMaker g_usb;
CameraSource::NetworkMaker g_network;
} // namespace

std::vector<tesk::CameraInfo> CameraSource::deviceList()
{
    return tesk::CameraFactory::deviceList();
}

tesk::Camera* CameraSource::camera(const tesk::CameraInfo& info)
{
    return g_usb ? g_usb(info) : tesk::CameraFactory::getCamera(info);
}

tesk::Camera* CameraSource::networkCamera(int type, const std::string& address)
{
    return g_network ? g_network(type, address)
                     : tesk::CameraFactory::getNetworkCamera(static_cast<tesk::SDKType>(type), address);
}

void CameraSource::setMakers(UsbMaker usb, NetworkMaker network)
{
    g_usb = std::move(usb);
    g_network = std::move(network);
}
