#include "devicescanner.h"

#include "streamurl.h"

#include <tesk/log.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace tesk {

namespace {

using Clock = std::chrono::steady_clock;

// UDP may lose a datagram: the probe goes out three times in the first second and a half.
const std::chrono::milliseconds kProbeTimes[] = {std::chrono::milliseconds(0), std::chrono::milliseconds(700),
                                                 std::chrono::milliseconds(1500)};

std::optional<sockaddr_in> parseTarget(const std::string& text)
{
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const std::string host = text.substr(0, colon);
    const std::string port = text.substr(colon + 1);
    char* end = nullptr;
    const long number = std::strtol(port.c_str(), &end, 10);
    if (!isIpv4Address(host) || port.empty() || *end != '\0' || number <= 0 || number > 65535) {
        return std::nullopt;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(number));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        return std::nullopt;
    }
    return address;
}

} // namespace

DeviceScanner::DeviceScanner(std::unique_ptr<ScanProtocol> protocol) : m_protocol(std::move(protocol)) {}

DeviceScanner::~DeviceScanner()
{
    stop();
}

void DeviceScanner::start()
{
    stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_devices.clear();
    }
    m_stop = false;
    m_running = true;
    m_thread = std::thread(&DeviceScanner::run, this, m_protocol->newProbe());
}

void DeviceScanner::stop()
{
    if (m_thread.joinable()) {
        m_stop = true;
        m_thread.join();
    }
    m_running = false;
}

std::vector<CameraInfo> DeviceScanner::devices() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_devices;
}

void DeviceScanner::add(const std::vector<CameraInfo>& found)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (CameraInfo info : found) {
        const bool known = std::any_of(m_devices.begin(), m_devices.end(),
                                       [&](const CameraInfo& other) { return other.address == info.address; });
        if (known) {
            continue;
        }
        info.index = int(m_devices.size());
        log(LogLevel::Info, m_protocol->name() + " scan found " + info.name + " at " + info.address);
        m_devices.push_back(info);
    }
}

void DeviceScanner::run(std::string probe)
{
    struct Finish
    {
        std::atomic<bool>& running;
        ~Finish() { running = false; }
    } finish{m_running};

    std::string targetText = m_protocol->defaultTarget();
    if (const char* variable = std::getenv(m_protocol->targetVariable()); variable && *variable) {
        targetText = variable;
    }
    const auto target = parseTarget(targetText);
    if (!target) {
        log(LogLevel::Warning, m_protocol->name() + " scan: " + targetText + " is not an IPv4 address and port");
        return;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        log(LogLevel::Warning, m_protocol->name() + " scan: no socket: " + std::strerror(errno));
        return;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    const unsigned char ttl = 1; // discovery stays in the local network
    ::setsockopt(fd, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);

    const auto begin = Clock::now();
    std::size_t sent = 0;
    std::vector<char> buffer(65536);
    while (!m_stop && Clock::now() - begin < kListenTime) {
        if (sent < std::size(kProbeTimes) && Clock::now() - begin >= kProbeTimes[sent]) {
            const auto result = ::sendto(fd, probe.data(), probe.size(), 0, reinterpret_cast<const sockaddr*>(&*target),
                                         sizeof *target);
            if (result < 0 && sent == 0) {
                log(LogLevel::Warning,
                    m_protocol->name() + " scan: probe to " + targetText + " not sent: " + std::strerror(errno));
            }
            ++sent;
        }
        pollfd wait{fd, POLLIN, 0};
        if (::poll(&wait, 1, 50) <= 0) {
            continue;
        }
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const auto size =
            ::recvfrom(fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (size <= 0) {
            continue;
        }
        char sender[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &from.sin_addr, sender, sizeof sender);
        add(m_protocol->parseReply(std::string(buffer.data(), std::size_t(size)), sender));
    }
    ::close(fd);
}

} // namespace tesk
