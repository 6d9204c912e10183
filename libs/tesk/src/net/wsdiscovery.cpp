#include "wsdiscovery.h"

#include "streamurl.h"

#include <tesk/camerafactory.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

namespace tesk {

namespace {

// The contents of every element with the local name `local`, whatever its namespace prefix.
// Enough XML for SOAP answers: no DTDs, no CDATA.
std::vector<std::string> elements(const std::string& xml, const std::string& local)
{
    std::vector<std::string> found;
    std::size_t at = 0;
    while ((at = xml.find('<', at)) != std::string::npos) {
        std::size_t nameStart = at + 1;
        std::size_t nameEnd = nameStart;
        while (nameEnd < xml.size() && !std::isspace(static_cast<unsigned char>(xml[nameEnd])) && xml[nameEnd] != '>' &&
               xml[nameEnd] != '/') {
            ++nameEnd;
        }
        const std::string qualified = xml.substr(nameStart, nameEnd - nameStart);
        const auto colon = qualified.find(':');
        const std::string name = colon == std::string::npos ? qualified : qualified.substr(colon + 1);
        const auto close = xml.find('>', nameEnd);
        if (close == std::string::npos) {
            break;
        }
        if (name != local || qualified.empty() || qualified[0] == '/' || qualified[0] == '?' || qualified[0] == '!') {
            at = close;
            continue;
        }
        if (xml[close - 1] == '/') {
            found.emplace_back(); // <a:Thing/>
            at = close;
            continue;
        }
        // Nested elements of the same name do not occur in these messages.
        const std::string endTag = "</" + qualified;
        const auto end = xml.find(endTag, close);
        if (end == std::string::npos) {
            break;
        }
        found.push_back(xml.substr(close + 1, end - close - 1));
        at = end + endTag.size();
    }
    return found;
}

std::string decodeEntities(const std::string& text)
{
    static const std::pair<const char*, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        if (text.compare(i, 2, "&#") == 0) {
            // A character reference; only ASCII is turned back, anything else stays as written.
            const bool hex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
            const auto end = text.find(';', i);
            const std::size_t digits = i + (hex ? 3 : 2);
            if (end != std::string::npos && end > digits && end - digits <= 6) {
                const std::string number = text.substr(digits, end - digits);
                char* stop = nullptr;
                const long code = std::strtol(number.c_str(), &stop, hex ? 16 : 10);
                if (*stop == '\0' && code > 0 && code < 128) {
                    out += char(code);
                    i = end;
                    continue;
                }
            }
        }
        if (text[i] == '&') {
            for (const auto& [entity, c] : entities) {
                if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
                    out += c;
                    i += std::char_traits<char>::length(entity) - 1;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) {
            out += text[i];
        }
    }
    return out;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string percentDecoded(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> list;
    for (std::string word; stream >> word;) {
        list.push_back(word);
    }
    return list;
}

// "http://192.168.1.10:80/onvif/device_service" -> "192.168.1.10"
std::string hostOf(const std::string& url)
{
    const auto scheme = url.find("://");
    if (scheme == std::string::npos) {
        return {};
    }
    const auto start = scheme + 3;
    const auto end = url.find_first_of(":/", start);
    return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string scopeValue(const std::vector<std::string>& scopes, const std::string& kind)
{
    const std::string prefix = "onvif://www.onvif.org/" + kind + "/";
    for (const std::string& scope : scopes) {
        if (scope.compare(0, prefix.size(), prefix) == 0 && scope.size() > prefix.size()) {
            return percentDecoded(scope.substr(prefix.size()));
        }
    }
    return {};
}

std::string newUuid()
{
    std::random_device device;
    std::mt19937_64 random((uint64_t(device()) << 32) ^ device());
    const uint64_t a = random(), b = random();
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-4%03x-%04x-%012llx", unsigned(a >> 32), unsigned(a >> 16) & 0xffff,
                  unsigned(a) & 0x0fff, unsigned(0x8000 | ((b >> 48) & 0x3fff)),
                  (unsigned long long)(b & 0xffffffffffffULL));
    return text;
}

} // namespace

std::string WsDiscovery::newProbe()
{
    m_messageId = "urn:uuid:" + newUuid();
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\""
           " xmlns:a=\"http://schemas.xmlsoap.org/ws/2004/08/addressing\""
           " xmlns:d=\"http://schemas.xmlsoap.org/ws/2005/04/discovery\""
           " xmlns:dn=\"http://www.onvif.org/ver10/network/wsdl\">"
           "<s:Header>"
           "<a:Action s:mustUnderstand=\"1\">http://schemas.xmlsoap.org/ws/2005/04/discovery/Probe</a:Action>"
           "<a:MessageID>" +
           m_messageId +
           "</a:MessageID>"
           "<a:ReplyTo><a:Address>http://schemas.xmlsoap.org/ws/2004/08/addressing/role/anonymous</a:Address>"
           "</a:ReplyTo>"
           "<a:To s:mustUnderstand=\"1\">urn:schemas-xmlsoap-org:ws:2005:04:discovery</a:To>"
           "</s:Header>"
           "<s:Body><d:Probe><d:Types>dn:NetworkVideoTransmitter</d:Types></d:Probe></s:Body>"
           "</s:Envelope>";
}

std::vector<CameraInfo> WsDiscovery::parseReply(const std::string& datagram, const std::string& senderAddress) const
{
    std::vector<CameraInfo> devices;
    if (elements(datagram, "ProbeMatches").empty()) {
        return devices; // a Hello, a Bye, another probe: not an answer
    }
    const auto relatesTo = elements(datagram, "RelatesTo");
    if (!relatesTo.empty() && !m_messageId.empty() && trimmed(relatesTo.front()) != m_messageId) {
        return devices; // the answer to somebody else's probe
    }
    for (const std::string& match : elements(datagram, "ProbeMatch")) {
        std::string address;
        for (const std::string& xaddr : words(decodeEntities(
                 elements(match, "XAddrs").empty() ? std::string() : elements(match, "XAddrs").front()))) {
            if (isIpv4Address(hostOf(xaddr))) {
                address = hostOf(xaddr);
                break;
            }
        }
        if (address.empty()) {
            address = senderAddress;
        }
        if (!isIpv4Address(address)) {
            continue;
        }
        const auto scopeTexts = elements(match, "Scopes");
        const auto scopes = words(decodeEntities(scopeTexts.empty() ? std::string() : scopeTexts.front()));
        std::string name = scopeValue(scopes, "name");
        if (name.empty()) {
            name = scopeValue(scopes, "hardware");
        }
        if (name.empty()) {
            name = "Network Camera";
        }
        CameraInfo info;
        info.type = SDKNetworkCamera;
        info.name = name;
        info.address = address;
        devices.push_back(info);
    }
    return devices;
}

} // namespace tesk
