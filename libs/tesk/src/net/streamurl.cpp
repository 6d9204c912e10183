#include "streamurl.h"

#include <algorithm>
#include <cctype>

namespace tesk {

const char* const kDefaultUrlTemplate = "rtsp://<address>/live/0_00";

namespace {

std::string lowerPrefix(const std::string& text, std::size_t length)
{
    std::string prefix = text.substr(0, length);
    std::transform(prefix.begin(), prefix.end(), prefix.begin(), [](unsigned char c) { return std::tolower(c); });
    return prefix;
}

} // namespace

bool isIpv4Address(const std::string& text)
{
    int parts = 0;
    std::size_t i = 0;
    while (i <= text.size()) {
        std::size_t digits = 0;
        int value = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 4) {
            value = value * 10 + (text[i] - '0');
            ++digits;
            ++i;
        }
        if (digits == 0 || digits > 3 || value > 255) {
            return false;
        }
        ++parts;
        if (i == text.size()) {
            break;
        }
        if (text[i] != '.' || parts == 4) {
            return false;
        }
        ++i;
    }
    return parts == 4;
}

std::string urlFromTemplate(const std::string& urlTemplate, const std::string& address)
{
    static const std::string placeholder = "<address>";
    std::string url = urlTemplate;
    for (std::size_t at = url.find(placeholder); at != std::string::npos;
         at = url.find(placeholder, at + address.size())) {
        url.replace(at, placeholder.size(), address);
    }
    return url;
}

bool isLocalFile(const std::string& url)
{
    if (lowerPrefix(url, 5) == "file:") {
        return true;
    }
    const auto scheme = url.find("://");
    if (scheme == std::string::npos || scheme == 0) {
        return true;
    }
    return !std::all_of(url.begin(), url.begin() + long(scheme),
                        [](unsigned char c) { return std::isalnum(c) || c == '+' || c == '-' || c == '.'; });
}

bool isRtspUrl(const std::string& url)
{
    return lowerPrefix(url, 7) == "rtsp://" || lowerPrefix(url, 8) == "rtsps://";
}

std::string urlForLog(const std::string& url)
{
    const auto scheme = url.find("://");
    if (scheme == std::string::npos) {
        return url;
    }
    const auto hostStart = scheme + 3;
    const auto at = url.find('@', hostStart);
    const auto slash = url.find('/', hostStart);
    if (at == std::string::npos || (slash != std::string::npos && at > slash)) {
        return url;
    }
    const auto colon = url.find(':', hostStart);
    if (colon == std::string::npos || colon > at) {
        return url;
    }
    return url.substr(0, colon + 1) + "***" + url.substr(at);
}

} // namespace tesk
