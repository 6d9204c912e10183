#include "nettesthelpers.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

RtspServer::RtspServer(const QStringList& arguments)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{QStringLiteral(NET_TEST_DIR "/rtspserver.py")} + arguments);
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("/usr/bin/python3 did not start");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    QByteArray output;
    while (timer.elapsed() < 10000 && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(100);
        output += m_process.readAllStandardOutput();
        const int at = output.indexOf("ready ");
        if (at >= 0 && output.indexOf('\n', at) > at) {
            m_port = output.mid(at + 6, output.indexOf('\n', at) - at - 6).trimmed().toInt();
            return;
        }
    }
    m_error = QStringLiteral("RTSP server did not start (are python3-gi and gir1.2-gst-rtsp-server-1.0 installed? "
                             "run scripts/install-deps): ") +
              QString::fromLocal8Bit(m_process.readAllStandardError());
}

RtspServer::~RtspServer()
{
    kill();
}

QString RtspServer::url(const QString& path) const
{
    return QStringLiteral("rtsp://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void RtspServer::kill()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

HttpServer::HttpServer(std::map<std::string, Reply> replies) : m_replies(std::move(replies))
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_listen, 8);
    socklen_t size = sizeof address;
    ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &size);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread(&HttpServer::run, this);
}

HttpServer::~HttpServer()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listen);
}

QString HttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void HttpServer::run()
{
    std::vector<int> silent;
    while (!m_stop) {
        pollfd wait{m_listen, POLLIN, 0};
        if (::poll(&wait, 1, 50) <= 0) {
            continue;
        }
        const int client = ::accept(m_listen, nullptr, nullptr);
        if (client < 0) {
            continue;
        }
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd in{client, POLLIN, 0};
            if (::poll(&in, 1, 2000) <= 0) {
                break;
            }
            const auto got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) {
                break;
            }
            request.append(buffer, std::size_t(got));
        }
        const auto space = request.find(' ');
        const std::string path = space == std::string::npos
                                     ? std::string()
                                     : request.substr(space + 1, request.find(' ', space + 1) - space - 1);
        if (path == "/silent") {
            silent.push_back(client);
            continue;
        }
        const auto found = m_replies.find(path);
        const Reply reply = found == m_replies.end() ? Reply{404, "text/plain", "not here"} : found->second;
        std::string answer = "HTTP/1.0 " + std::to_string(reply.status) +
                             " Answer\r\nContent-Type: " + reply.contentType +
                             "\r\nContent-Length: " + std::to_string(reply.body.size()) + "\r\n";
        if (reply.status == 401) {
            answer += "WWW-Authenticate: Basic realm=\"camera\"\r\n";
        }
        answer += "\r\n" + reply.body;
        ::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
        ::close(client);
    }
    for (int fd : silent) {
        ::close(fd);
    }
}

QJsonObject probeVideo(const QString& path, QString* errors)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  QStringLiteral("-v error -count_frames -select_streams v:0 -show_entries "
                                 "stream=codec_name,width,height,pix_fmt,nb_read_frames:format=duration -of json")
                          .split(QLatin1Char(' '))
                      << path);
    ffprobe.waitForFinished(60000);
    if (errors) {
        *errors = QString::fromLocal8Bit(ffprobe.readAllStandardError());
    }
    if (ffprobe.exitStatus() != QProcess::NormalExit || ffprobe.exitCode() != 0) {
        return {};
    }
    const QJsonObject all = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    const QJsonArray streams = all.value(QStringLiteral("streams")).toArray();
    if (streams.isEmpty()) {
        return {};
    }
    QJsonObject result = streams.first().toObject();
    result.insert(
        QStringLiteral("duration"),
        all.value(QStringLiteral("format")).toObject().value(QStringLiteral("duration")).toString().toDouble());
    result.insert(QStringLiteral("frames"), result.value(QStringLiteral("nb_read_frames")).toString().toInt());
    return result;
}

int closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const int port = server.serverPort();
    server.close();
    return port;
}
