// The network side of CameraFactory: network cameras and device discovery.
#include <tesk/camerafactory.h>

#include "devicescanner.h"
#include "dravikdiscovery.h"
#include "networkcamera.h"
#include "streamurl.h"
#include "wsdiscovery.h"

#include <tesk/log.h>

#include <mutex>
#include <string>

namespace tesk {

namespace {

std::mutex g_scanMutex;

DravikDiscovery* g_dravikProtocol = nullptr;

DeviceScanner& dravikScanner()
{
    static DeviceScanner scanner([]() {
        auto protocol = std::make_unique<DravikDiscovery>();
        g_dravikProtocol = protocol.get();
        return protocol;
    }());
    return scanner;
}

DeviceScanner& netcamScanner()
{
    static DeviceScanner scanner(std::make_unique<WsDiscovery>());
    return scanner;
}

} // namespace

Camera* CameraFactory::getNetworkCamera(SDKType type, const std::string& address)
{
    CameraInfo info;
    info.type = int(type);
    info.index = 0;
    info.address = address;
    switch (type) {
    case SDKBoxCamera:
    case SDKNetworkCamera:
        if (!isIpv4Address(address)) {
            log(LogLevel::Warning, "network camera: " + address + " is not an IPv4 address");
            return nullptr;
        }
        info.name = type == SDKBoxCamera ? "Dravik " + address : "Network Camera " + address;
        break;
    case SDKRtsp:
        if (address.empty()) {
            log(LogLevel::Warning, "network camera: empty stream URL");
            return nullptr;
        }
        info.name = urlForLog(address);
        break;
    default:
        log(LogLevel::Warning, "network camera: unknown type " + std::to_string(int(type)));
        return nullptr;
    }
    return new NetworkCamera(info);
}

void CameraFactory::startDravikDeviceScan(int mode)
{
    std::lock_guard<std::mutex> lock(g_scanMutex);
    DeviceScanner& scanner = dravikScanner();
    scanner.stop();
    g_dravikProtocol->setMode(mode);
    scanner.start();
}

std::vector<CameraInfo> CameraFactory::dravikDeviceList()
{
    std::lock_guard<std::mutex> lock(g_scanMutex);
    return dravikScanner().devices();
}

void CameraFactory::stopDravikDeviceScan()
{
    std::lock_guard<std::mutex> lock(g_scanMutex);
    dravikScanner().stop();
}

void CameraFactory::startNetcamDeviceScan()
{
    std::lock_guard<std::mutex> lock(g_scanMutex);
    netcamScanner().start();
}

std::vector<CameraInfo> CameraFactory::netcamDeviceList()
{
    std::lock_guard<std::mutex> lock(g_scanMutex);
    return netcamScanner().devices();
}

void CameraFactory::stopNetcamDeviceScan()
{
    std::lock_guard<std::mutex> lock(g_scanMutex);
    netcamScanner().stop();
}

} // namespace tesk
