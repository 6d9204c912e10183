#pragma once

#include "scanprotocol.h"

namespace tesk {

/// Box cameras by their own UDP probe (see docs/tesk-network.md): a text datagram
/// "DRAVIK/1 DISCOVER" with a token, answered by "DRAVIK/1 HERE" lines naming the camera.
class DravikDiscovery final : public ScanProtocol
{
public:
    static constexpr int kPort = 50300;

    explicit DravikDiscovery(int mode = 1) : m_mode(mode) {}
    void setMode(int mode) { m_mode = mode; }

    std::string name() const override { return "Dravik"; }
    std::string defaultTarget() const override { return "255.255.255.255:50300"; }
    const char* targetVariable() const override { return "TESK_DRAVIK_PROBE"; }
    std::string newProbe() override;
    std::vector<CameraInfo> parseReply(const std::string& datagram, const std::string& senderAddress) const override;

    const std::string& token() const { return m_token; }

private:
    int m_mode;
    std::string m_token;
};

} // namespace tesk
