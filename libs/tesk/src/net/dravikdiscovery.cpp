#include "dravikdiscovery.h"

#include "streamurl.h"

#include <tesk/camerafactory.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>

namespace tesk {

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::string DravikDiscovery::newProbe()
{
    std::random_device device;
    char token[9];
    std::snprintf(token, sizeof token, "%08x", unsigned(device()));
    m_token = token;
    return "DRAVIK/1 DISCOVER\r\nToken: " + m_token + "\r\nMode: " + std::to_string(m_mode) + "\r\n\r\n";
}

std::vector<CameraInfo> DravikDiscovery::parseReply(const std::string& datagram, const std::string& senderAddress) const
{
    std::istringstream lines(datagram);
    std::string line;
    if (!std::getline(lines, line) || trimmed(line) != "DRAVIK/1 HERE") {
        return {};
    }
    std::map<std::string, std::string> fields;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty()) {
            break;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::string key = trimmed(line.substr(0, colon));
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
        fields[key] = trimmed(line.substr(colon + 1));
    }
    if (fields["token"] != m_token) {
        return {};
    }
    CameraInfo info;
    info.type = SDKBoxCamera;
    // A camera behind an address translation may not know the address it is reached at.
    info.address = isIpv4Address(fields["address"]) ? fields["address"] : senderAddress;
    if (!isIpv4Address(info.address)) {
        return {};
    }
    info.name = fields["name"].empty() ? "Dravik " + info.address : fields["name"];
    return {info};
}

} // namespace tesk
