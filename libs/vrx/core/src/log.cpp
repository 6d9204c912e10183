#include <vrx/log.h>

#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/spdlog.h>

#include <QDateTime>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <mutex>

namespace vrx {

namespace {

spdlog::level::level_enum toSpdLevel(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return spdlog::level::debug;
    case QtInfoMsg:
        return spdlog::level::info;
    case QtWarningMsg:
        return spdlog::level::warn;
    case QtCriticalMsg:
        return spdlog::level::err;
    case QtFatalMsg:
        return spdlog::level::critical;
    }
    return spdlog::level::info;
}

const char* typeName(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "info";
}

void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Log::instance()->write(type, context, message);
}

} // namespace

struct Log::Private
{
    std::mutex mutex;
    std::shared_ptr<spdlog::logger> logger;
    std::atomic<int> level{spdlog::level::info};
    QString path;
    QtMessageHandler previousHandler = nullptr;
    bool handlerInstalled = false;
};

Log* Log::instance()
{
    static Log log;
    return &log;
}

Log::Log() : d(std::make_unique<Private>()) {}

Log::~Log()
{
    shutdown();
}

bool Log::addFileOut(const QString& path, qint64 maxSize, int maxFiles)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    try {
        auto sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(
            path.toStdString(), static_cast<std::size_t>(qMax<qint64>(maxSize, 1024)),
            static_cast<std::size_t>(qMax(maxFiles - 1, 0)));
        auto logger = std::make_shared<spdlog::logger>("vrx", sink);
        logger->set_pattern("%Y-%m-%d %H:%M:%S.%e [%l] [%t] %v");
        logger->set_level(spdlog::level::trace); // filtered in write()
        logger->flush_on(spdlog::level::trace);  // every line is on disk before a crash can lose it
        d->logger = logger;
        d->path = path;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Log file %s cannot be opened: %s. Messages go to standard error only.\n",
                     qPrintable(path), error.what());
        return false;
    }
    if (!d->handlerInstalled) {
        d->previousHandler = qInstallMessageHandler(messageHandler);
        d->handlerInstalled = true;
    }
    return true;
}

void Log::setLevel(int level)
{
    d->level = qBound(0, level, 6);
}

int Log::level() const
{
    return d->level;
}

QString Log::filePath() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->path;
}

void Log::flush()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->logger) {
        d->logger->flush();
    }
}

void Log::shutdown()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->handlerInstalled) {
        qInstallMessageHandler(d->previousHandler);
        d->handlerInstalled = false;
    }
    if (d->logger) {
        d->logger->flush();
        d->logger.reset();
    }
    d->path.clear();
}

void Log::write(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const spdlog::level::level_enum level = toSpdLevel(type);
    if (static_cast<int>(level) < d->level) {
        return;
    }
    const QByteArray text = message.toUtf8();
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (d->logger) {
            if (context.function && type != QtInfoMsg) {
                d->logger->log(level, "{} ({})", text.constData(), context.function);
            } else {
                d->logger->log(level, "{}", text.constData());
            }
        }
    }
    std::fprintf(stderr, "%s: %s\n", typeName(type), text.constData());
    if (type == QtFatalMsg) {
        flush();
        std::abort();
    }
}

} // namespace vrx
