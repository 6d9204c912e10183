#pragma once

#include <tesk/camerainfo.h>

#include <string>
#include <vector>

namespace tesk {

/// One UDP discovery protocol: the probe to send and how to read the answers.
class ScanProtocol
{
public:
    virtual ~ScanProtocol() = default;

    /// For logs.
    virtual std::string name() const = 0;
    /// "host:port" the probe goes to unless the environment variable says otherwise.
    virtual std::string defaultTarget() const = 0;
    /// The environment variable that overrides the destination ("127.0.0.1:3702").
    virtual const char* targetVariable() const = 0;
    /// A new probe; each scan gets one of its own, so stale answers can be told apart.
    virtual std::string newProbe() = 0;
    /// The devices one datagram from `senderAddress` (dotted IPv4) announces; empty when it
    /// is not an answer to the current probe.
    virtual std::vector<CameraInfo> parseReply(const std::string& datagram, const std::string& senderAddress) const = 0;
};

} // namespace tesk
