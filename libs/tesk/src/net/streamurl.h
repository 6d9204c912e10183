#pragma once

// What a network-camera address means: the URL opened for each device type.

#include <string>

namespace tesk {

/// The URL template of box and network cameras; "<address>" stands for the IPv4 address.
extern const char* const kDefaultUrlTemplate;

/// True for a dotted IPv4 address of four numbers 0-255 ("192.168.1.10").
bool isIpv4Address(const std::string& text);
/// `urlTemplate` with every "<address>" replaced by `address`.
std::string urlFromTemplate(const std::string& urlTemplate, const std::string& address);
/// True when `url` names a local file rather than a network stream: no "scheme://", or "file:".
bool isLocalFile(const std::string& url);
/// True for rtsp:// and rtsps:// URLs (case-insensitive).
bool isRtspUrl(const std::string& url);
/// `url` with any password replaced by "***", for logs.
std::string urlForLog(const std::string& url);

} // namespace tesk
