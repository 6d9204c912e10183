#include <tesk/camerafactory.h>

#include "emulatedcamera.h"
#include "v4l2/v4l2camera.h"
#include "v4l2/v4l2devicelist.h"
#include "v4l2/v4l2io.h"

#include <tesk/log.h>
#include <tesk/uvcfilter.h>

#include <cstdlib>
#include <string>

namespace tesk {

namespace {
constexpr int kMaxEmulatedCameras = 16;
constexpr uint16_t kEmulatedVendorId = 0x7e57;
const char* const kEmulatedAddressPrefix = "emulated:";

UVCFilter* g_filter = nullptr;
} // namespace

int CameraFactory::emulatedCameraCount()
{
    const char* text = std::getenv("TESK_CAMEMU");
    if (!text || !*text) {
        return 0;
    }
    char* end = nullptr;
    const long count = std::strtol(text, &end, 10);
    if (*end != '\0' || count < 0) {
        log(LogLevel::Warning, std::string("TESK_CAMEMU=") + text + " is not a number of cameras; none emulated");
        return 0;
    }
    return int(std::min<long>(count, kMaxEmulatedCameras));
}

std::vector<CameraInfo> CameraFactory::deviceList()
{
    std::vector<CameraInfo> devices;
    for (CameraInfo info : listV4l2Devices(V4l2System::current())) {
        if (!g_filter || g_filter->accepts(info)) {
            info.index = int(devices.size());
            devices.push_back(info);
        }
    }
    const int emulated = emulatedCameraCount();
    for (int i = 1; i <= emulated; ++i) {
        CameraInfo info;
        info.type = 0;
        info.name = "Emulated Camera " + std::to_string(i);
        info.vendorId = kEmulatedVendorId;
        info.productId = uint16_t(i);
        info.address = kEmulatedAddressPrefix + std::to_string(i);
        if (!g_filter || g_filter->accepts(info)) {
            info.index = int(devices.size());
            devices.push_back(info);
        }
    }
    return devices;
}

Camera* CameraFactory::getCamera(const CameraInfo& info)
{
    if (info.address.rfind(kEmulatedAddressPrefix, 0) == 0) {
        return new EmulatedCamera(info);
    }
    V4l2System& system = V4l2System::current();
    if (info.type == 0 && info.address.rfind(system.deviceRoot + "/", 0) == 0) {
        return new V4l2Camera(info, *system.io);
    }
    log(LogLevel::Warning, "no backend opens " + info.address);
    return nullptr;
}

void CameraFactory::setUVCFilter(UVCFilter* filter)
{
    g_filter = filter;
}

UVCFilter* CameraFactory::uvcFilter()
{
    return g_filter;
}

} // namespace tesk
