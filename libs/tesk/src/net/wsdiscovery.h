#pragma once

#include "scanprotocol.h"

namespace tesk {

/// ONVIF network cameras by WS-Discovery: a SOAP Probe for NetworkVideoTransmitter to the
/// discovery group 239.255.255.250:3702; each ProbeMatch gives a name (from the "name"
/// scope) and an IPv4 address (from XAddrs, else the sender).
class WsDiscovery final : public ScanProtocol
{
public:
    std::string name() const override { return "ONVIF"; }
    std::string defaultTarget() const override { return "239.255.255.250:3702"; }
    const char* targetVariable() const override { return "TESK_NETCAM_PROBE"; }
    std::string newProbe() override;
    std::vector<CameraInfo> parseReply(const std::string& datagram, const std::string& senderAddress) const override;

    /// The MessageID of the last probe.
    const std::string& messageId() const { return m_messageId; }

private:
    std::string m_messageId;
};

} // namespace tesk
