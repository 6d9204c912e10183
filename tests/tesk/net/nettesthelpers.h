#pragma once

// Peers for the network tests: the GStreamer RTSP server, a small HTTP server and ffprobe.
// All of them live on 127.0.0.1.

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <atomic>
#include <map>
#include <string>
#include <thread>

/// rtspserver.py run by the system Python; fails the test clearly when GStreamer's RTSP
/// server is not installed (scripts/install-deps installs it).
class RtspServer final
{
public:
    explicit RtspServer(const QStringList& arguments);
    ~RtspServer();

    bool isReady() const { return m_port > 0; }
    QString error() const { return m_error; }
    QString url(const QString& path = QStringLiteral("/test")) const;
    int port() const { return m_port; }
    void kill();

private:
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

/// An HTTP/1.0 server on a thread of its own (the camera's open() blocks the test's thread):
/// each path gets a fixed answer; the path "/silent" is accepted and never answered.
class HttpServer final
{
public:
    struct Reply
    {
        int status;
        std::string contentType;
        std::string body;
    };

    explicit HttpServer(std::map<std::string, Reply> replies);
    ~HttpServer();
    int port() const { return m_port; }
    QString url(const QString& path) const;

private:
    void run();

    std::map<std::string, Reply> m_replies;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

/// ffprobe's JSON about a file's first video stream and format ("streams"/"format"), with
/// the decoded frame count in the stream's "nb_read_frames"; empty when ffprobe refused it.
QJsonObject probeVideo(const QString& path, QString* errors = nullptr);

/// A loopback TCP port nothing listens on.
int closedPort();
