#include "v4l2devicelist.h"

#include "v4l2io.h"

#include <tesk/log.h>

#include <fcntl.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tesk {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNodePrefix = "video";

// The number of a "videoN" entry, or -1.
int nodeNumber(const std::string& name)
{
    if (name.rfind(kNodePrefix, 0) != 0 || name.size() == std::strlen(kNodePrefix)) {
        return -1;
    }
    const std::string digits = name.substr(std::strlen(kNodePrefix));
    if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); })) {
        return -1;
    }
    return std::stoi(digits);
}

uint16_t readHexId(const fs::path& file)
{
    std::ifstream in(file);
    std::string text;
    in >> text;
    try {
        return uint16_t(std::stoul(text, nullptr, 16));
    } catch (...) {
        return 0;
    }
}

// The USB device the node belongs to is the first parent of its sysfs device folder that
// has an idVendor file (the interface folder sits just below it).
void readUsbIds(const fs::path& classEntry, CameraInfo& info)
{
    std::error_code error;
    fs::path folder = fs::canonical(classEntry / "device", error);
    for (int level = 0; !error && level < 4 && !folder.empty(); ++level) {
        if (fs::exists(folder / "idVendor", error)) {
            info.vendorId = readHexId(folder / "idVendor");
            info.productId = readHexId(folder / "idProduct");
            return;
        }
        if (folder == folder.parent_path()) {
            break;
        }
        folder = folder.parent_path();
    }
}

bool queryCaptureNode(V4l2Io& io, const std::string& node, CameraInfo& info)
{
    const int fd = io.open(node.c_str(), O_RDWR | O_NONBLOCK);
    if (fd < 0) {
        log(LogLevel::Info, "camera list: cannot open " + node + ": " + std::strerror(errno));
        return false;
    }
    v4l2_capability caps{};
    const bool queried = io.xioctl(fd, VIDIOC_QUERYCAP, &caps) == 0;
    io.close(fd);
    if (!queried) {
        return false;
    }
    const uint32_t nodeCaps = (caps.capabilities & V4L2_CAP_DEVICE_CAPS) ? caps.device_caps : caps.capabilities;
    if (!(nodeCaps & V4L2_CAP_VIDEO_CAPTURE) || !(nodeCaps & V4L2_CAP_STREAMING)) {
        return false; // a metadata node, an output or a multi-planar device
    }
    info.name = std::string(reinterpret_cast<const char*>(caps.card),
                            strnlen(reinterpret_cast<const char*>(caps.card), sizeof(caps.card)));
    return true;
}

} // namespace

std::vector<CameraInfo> listV4l2Devices(const V4l2System& system)
{
    std::vector<std::pair<int, std::string>> nodes;
    std::error_code error;
    const fs::path classFolder = fs::path(system.sysfsRoot) / "class" / "video4linux";
    for (fs::directory_iterator it(classFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const int number = nodeNumber(name);
        if (number >= 0) {
            nodes.emplace_back(number, name);
        }
    }
    std::sort(nodes.begin(), nodes.end());

    std::vector<CameraInfo> devices;
    for (const auto& [number, name] : nodes) {
        CameraInfo info;
        info.type = 0;
        info.address = system.deviceRoot + "/" + name;
        if (queryCaptureNode(*system.io, info.address, info)) {
            readUsbIds(classFolder / name, info);
            devices.push_back(info);
        }
    }
    return devices;
}

} // namespace tesk
