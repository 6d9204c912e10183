#include "dravikdiscovery.h"
#include "testmain.h"
#include "wsdiscovery.h"

#include <tesk/camerafactory.h>

#include <QElapsedTimer>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// A device on 127.0.0.1 that answers each probe it receives with the datagrams `answer`
// makes of it.
class Responder final
{
public:
    using Answer = std::function<std::vector<std::string>(const std::string& probe)>;

    explicit Responder(Answer answer) : m_answer(std::move(answer))
    {
        m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread(&Responder::run, this);
    }
    ~Responder()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_socket);
    }
    QByteArray target() const { return QByteArray("127.0.0.1:") + QByteArray::number(m_port); }
    std::vector<std::string> probes()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_probes;
    }

private:
    void run()
    {
        char buffer[65536];
        while (!m_stop) {
            pollfd wait{m_socket, POLLIN, 0};
            if (::poll(&wait, 1, 50) <= 0) {
                continue;
            }
            sockaddr_in from{};
            socklen_t size = sizeof from;
            const auto got = ::recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &size);
            if (got <= 0) {
                continue;
            }
            const std::string probe(buffer, std::size_t(got));
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_probes.push_back(probe);
            }
            for (const std::string& datagram : m_answer(probe)) {
                ::sendto(m_socket, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&from), size);
            }
        }
    }

    Answer m_answer;
    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_probes;
    std::thread m_thread;
};

// The value of a "Key: value" line of a text probe.
std::string field(const std::string& text, const std::string& key)
{
    const auto at = text.find("\r\n" + key + ": ");
    if (at == std::string::npos) {
        return {};
    }
    const auto start = at + key.size() + 4;
    return text.substr(start, text.find("\r\n", start) - start);
}

std::string between(const std::string& text, const std::string& open, const std::string& close)
{
    const auto start = text.find(open);
    if (start == std::string::npos) {
        return {};
    }
    const auto end = text.find(close, start + open.size());
    return end == std::string::npos ? std::string() : text.substr(start + open.size(), end - start - open.size());
}

std::string probeMatches(const std::string& relatesTo, const std::string& matches)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://www.w3.org/2003/05/soap-envelope\""
           " xmlns:wsa=\"http://schemas.xmlsoap.org/ws/2004/08/addressing\""
           " xmlns:wsdd=\"http://schemas.xmlsoap.org/ws/2005/04/discovery\">"
           "<SOAP-ENV:Header>"
           "<wsa:Action>http://schemas.xmlsoap.org/ws/2005/04/discovery/ProbeMatches</wsa:Action>"
           "<wsa:RelatesTo>" +
           relatesTo + "</wsa:RelatesTo></SOAP-ENV:Header><SOAP-ENV:Body><wsdd:ProbeMatches>" + matches +
           "</wsdd:ProbeMatches></SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

std::string probeMatch(const std::string& scopes, const std::string& xaddrs)
{
    return "<wsdd:ProbeMatch><wsa:EndpointReference><wsa:Address>urn:uuid:1</wsa:Address></wsa:EndpointReference>"
           "<wsdd:Types>tdn:NetworkVideoTransmitter</wsdd:Types><wsdd:Scopes>" +
           scopes + "</wsdd:Scopes>" + (xaddrs.empty() ? std::string() : "<wsdd:XAddrs>" + xaddrs + "</wsdd:XAddrs>") +
           "<wsdd:MetadataVersion>1</wsdd:MetadataVersion></wsdd:ProbeMatch>";
}

} // namespace

class TestDiscovery final : public QObject
{
    Q_OBJECT

private slots:
    void dravikScanFindsLoopbackCameras();
    void netcamScanFindsOnvifCameras();
    void onvifAnswersAreReadTolerantly();
    void badProbeTargetEndsTheScan();
};

void TestDiscovery::dravikScanFindsLoopbackCameras()
{
    Responder box([](const std::string& probe) -> std::vector<std::string> {
        if (probe.rfind("DRAVIK/1 DISCOVER\r\n", 0) != 0) {
            return {};
        }
        const std::string token = field(probe, "Token");
        return {
            "DRAVIK/1 HERE\r\nToken: " + token + "\r\nName: Bench Box\r\nModel: DK-200\r\n\r\n",
            // A camera that names the address it is reached at.
            "DRAVIK/1 HERE\r\ntoken: " + token + "\r\nname: Second Box\r\nAddress: 127.0.0.7\r\n\r\n",
            "DRAVIK/1 HERE\r\nToken: 00000000\r\nName: Stale Answer\r\nAddress: 127.0.0.9\r\n\r\n",
            "DRAVIK/1 DISCOVER\r\nToken: " + token + "\r\n\r\n", // another client's probe
            "garbage",
        };
    });
    qputenv("TESK_DRAVIK_PROBE", box.target());

    QElapsedTimer timer;
    timer.start();
    tesk::CameraFactory::startDravikDeviceScan(1);
    QVERIFY2(timer.elapsed() < 500, "starting a scan blocks the caller");
    QVERIFY(tesk::CameraFactory::dravikDeviceList().size() <= 2);
    QTRY_COMPARE_WITH_TIMEOUT(tesk::CameraFactory::dravikDeviceList().size(), std::size_t(2), 5000);
    // The probe is resent (UDP may lose it); the answers to it are not counted twice.
    QTRY_VERIFY_WITH_TIMEOUT(box.probes().size() >= 2, 5000);
    QCOMPARE(tesk::CameraFactory::dravikDeviceList().size(), std::size_t(2));
    QCOMPARE(field(box.probes().front(), "Mode"), std::string("1"));

    auto devices = tesk::CameraFactory::dravikDeviceList();
    std::sort(devices.begin(), devices.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    QCOMPARE(devices[0].name, std::string("Bench Box"));
    QCOMPARE(devices[0].address, std::string("127.0.0.1"));
    QCOMPARE(devices[0].type, int(tesk::SDKBoxCamera));
    QCOMPARE(devices[1].name, std::string("Second Box"));
    QCOMPARE(devices[1].address, std::string("127.0.0.7"));

    timer.restart();
    tesk::CameraFactory::stopDravikDeviceScan();
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(tesk::CameraFactory::dravikDeviceList().size(), std::size_t(2)); // kept until the next scan
    tesk::CameraFactory::stopDravikDeviceScan();                              // harmless twice
    qunsetenv("TESK_DRAVIK_PROBE");
}

void TestDiscovery::netcamScanFindsOnvifCameras()
{
    Responder cameras([](const std::string& probe) -> std::vector<std::string> {
        if (probe.find("Probe>") == std::string::npos || probe.find("NetworkVideoTransmitter") == std::string::npos) {
            return {};
        }
        const std::string id = between(probe, "<a:MessageID>", "</a:MessageID>");
        return {
            // A Hello from a camera that just woke up: not an answer.
            "<Envelope><Body><Hello><XAddrs>http://127.0.0.5/onvif</XAddrs></Hello></Body></Envelope>",
            probeMatches(
                id, probeMatch("onvif://www.onvif.org/type/video_encoder onvif://www.onvif.org/name/Gate%20Camera "
                               "onvif://www.onvif.org/hardware/IPC-1",
                               "http://[fe80::1]/onvif/device_service http://127.0.0.3:8080/onvif/device_service") +
                        probeMatch("onvif://www.onvif.org/hardware/IPC-2", "")),
            probeMatches("urn:uuid:somebody-else", probeMatch("onvif://www.onvif.org/name/Other", "http://127.0.0.4/")),
        };
    });
    qputenv("TESK_NETCAM_PROBE", cameras.target());
    tesk::CameraFactory::startNetcamDeviceScan();
    QTRY_COMPARE_WITH_TIMEOUT(tesk::CameraFactory::netcamDeviceList().size(), std::size_t(2), 5000);
    tesk::CameraFactory::stopNetcamDeviceScan();
    qunsetenv("TESK_NETCAM_PROBE");

    const auto devices = tesk::CameraFactory::netcamDeviceList();
    QCOMPARE(devices.size(), std::size_t(2));
    QCOMPARE(devices[0].name, std::string("Gate Camera"));
    QCOMPARE(devices[0].address, std::string("127.0.0.3"));
    QCOMPARE(devices[0].type, int(tesk::SDKNetworkCamera));
    QCOMPARE(devices[1].name, std::string("IPC-2"));        // no name: the hardware scope
    QCOMPARE(devices[1].address, std::string("127.0.0.1")); // no XAddrs: the sender

    // A new scan forgets the old results.
    qputenv("TESK_NETCAM_PROBE", "127.0.0.1:9"); // nobody there
    tesk::CameraFactory::startNetcamDeviceScan();
    QVERIFY(tesk::CameraFactory::netcamDeviceList().empty());
    tesk::CameraFactory::stopNetcamDeviceScan();
    qunsetenv("TESK_NETCAM_PROBE");
}

void TestDiscovery::onvifAnswersAreReadTolerantly()
{
    tesk::WsDiscovery onvif;
    const std::string probe = onvif.newProbe();
    QVERIFY(probe.find(onvif.messageId()) != std::string::npos);
    QVERIFY(onvif.newProbe() != probe); // every scan has its own id

    // No namespace prefixes, entities in the scopes, no RelatesTo at all.
    const std::string plain = "<Envelope><Body><ProbeMatches><ProbeMatch><Scopes>"
                              "onvif://www.onvif.org/name/A%26B&#32;onvif://www.onvif.org/location/x</Scopes>"
                              "<XAddrs>http://10.1.2.3/onvif</XAddrs></ProbeMatch></ProbeMatches></Body></Envelope>";
    auto found = onvif.parseReply(plain, "10.9.9.9");
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].address, std::string("10.1.2.3"));
    QCOMPARE(found[0].name, std::string("A&B"));

    // Unusable addresses are skipped; a cut-off datagram gives nothing and no crash.
    QVERIFY(onvif.parseReply(probeMatches(onvif.messageId(), probeMatch("", "http://cam.local/")), "nonsense").empty());
    QVERIFY(onvif.parseReply(plain.substr(0, plain.size() / 2), "10.9.9.9").empty());
    QVERIFY(onvif.parseReply(std::string(), "10.9.9.9").empty());

    tesk::DravikDiscovery dravik;
    const std::string ask = dravik.newProbe();
    QCOMPARE(field(ask, "Token"), dravik.token());
    const std::string answer = "DRAVIK/1 HERE\nToken: " + dravik.token() + "\nAddress: not-an-ip\n";
    found = dravik.parseReply(answer, "10.0.0.8");
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].address, std::string("10.0.0.8"));
    QCOMPARE(found[0].name, std::string("Dravik 10.0.0.8"));
}

void TestDiscovery::badProbeTargetEndsTheScan()
{
    qputenv("TESK_DRAVIK_PROBE", "somewhere");
    tesk::CameraFactory::startDravikDeviceScan(1);
    QTest::qWait(200);
    tesk::CameraFactory::stopDravikDeviceScan();
    QVERIFY(tesk::CameraFactory::dravikDeviceList().empty());
    qunsetenv("TESK_DRAVIK_PROBE");
}

QUARNEL_TEST_MAIN(TestDiscovery)
#include "tst_discovery.moc"
