#include <tesk/log.h>

#include <cstdio>
#include <mutex>

namespace tesk {

namespace {
std::mutex g_mutex;
std::function<void(LogLevel, const std::string&)> g_handler;
} // namespace

void setLogHandler(std::function<void(LogLevel, const std::string&)> handler)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_handler = std::move(handler);
}

void log(LogLevel level, const std::string& message)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_handler) {
        g_handler(level, message);
        return;
    }
    static const char* const names[] = {"debug", "info", "warning"};
    std::fprintf(stderr, "tesk %s: %s\n", names[static_cast<int>(level)], message.c_str());
}

} // namespace tesk
