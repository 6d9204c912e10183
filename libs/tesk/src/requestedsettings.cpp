#include "requestedsettings.h"

#include "propertyids.h"
#include "requestparams.h"

#include <tesk/camera.h>
#include <tesk/errors.h>
#include <tesk/log.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace tesk {

namespace {

// Names of the properties in request-parameter files.
const std::map<std::string, int> kPropertyNames = {
    {"brightness", Brightness},
    {"contrast", Contrast},
    {"hue", Hue},
    {"saturation", Saturation},
    {"gamma", Gamma},
    {"sharpness", Sharpness},
    {"gain", Gain},
    {"exposure_target", ExposureTarget},
    {"exposure_time", ExposureTime},
    {"red_gain", RedGain},
    {"green_gain", GreenGain},
    {"blue_gain", BlueGain},
    {"temperature", Temperature},
    {"denoise", Denoise},
    {"packet_size", PacketSize},
};
const std::map<std::string, int> kEnumNames = {
    {"auto_exposure", AutoExposure},
    {"white_balance_mode", WhiteBalanceMode},
    {"power_frequency", PowerFrequency},
    {"color_mode", ColorMode},
};

const std::map<std::string, Frame::Format> kFormatNames = {
    {"MJPEG", Frame::MJPEG},   {"MJPG", Frame::MJPEG}, {"YUY2", Frame::YUY2},   {"YUYV", Frame::YUY2},
    {"UYVY", Frame::UYVY},     {"NV12", Frame::NV12},  {"YU12", Frame::YU12},   {"I420", Frame::YU12},
    {"GREY", Frame::Mono8},    {"GRAY", Frame::Mono8}, {"MONO8", Frame::Mono8}, {"Y16", Frame::Mono16},
    {"MONO16", Frame::Mono16}, {"RGB", Frame::RGB},    {"RGB24", Frame::RGB},   {"BGR", Frame::BGR},
    {"BGR24", Frame::BGR},
};

} // namespace

std::optional<Frame::Format> formatByName(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    const auto found = kFormatNames.find(name);
    if (found == kFormatNames.end()) {
        return std::nullopt;
    }
    return found->second;
}

void applyRequestedProperties(const RequestParams& params, Camera& camera)
{
    for (const auto& [name, id] : kPropertyNames) {
        if (const auto value = params.number("properties", name)) {
            const int result = camera.setProperty(id, *value);
            if (result != Ok) {
                log(LogLevel::Warning, "request parameters: " + name + " not set: " + errorText(result));
            }
        }
    }
    for (const auto& [name, id] : kEnumNames) {
        if (const auto value = params.number("properties", name)) {
            if (camera.setEnumProperty(id, unsigned(std::max(0.0, *value))) != Ok) {
                log(LogLevel::Warning, "request parameters: " + name + " does not take " + std::to_string(*value));
            }
        }
    }
}

} // namespace tesk
