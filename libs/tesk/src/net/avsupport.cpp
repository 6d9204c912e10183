#include "avsupport.h"

#include <tesk/errors.h>
#include <tesk/log.h>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <cerrno>
#include <cstdarg>
#include <mutex>

namespace tesk {

namespace {

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A damaged stream makes a decoder complain about every packet: a few lines a second are
// enough to see what is wrong.
constexpr int kLinesPerSecond = 20;

void forwardAvLog(void* object, int level, const char* format, va_list args)
{
    if (level > AV_LOG_WARNING) {
        return;
    }
    static std::mutex mutex;
    static long long windowStartNs = 0;
    static int lines = 0;
    {
        std::lock_guard<std::mutex> lock(mutex);
        const long long now = nowNs();
        if (now - windowStartNs > 1000000000LL) {
            windowStartNs = now;
            lines = 0;
        }
        if (++lines > kLinesPerSecond) {
            return;
        }
    }
    thread_local int printPrefix = 1;
    char line[1024];
    av_log_format_line2(object, level, format, args, line, sizeof line, &printPrefix);
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    if (!text.empty()) {
        log(level <= AV_LOG_ERROR ? LogLevel::Info : LogLevel::Debug, "ffmpeg: " + text);
    }
}

} // namespace

void routeAvLog()
{
    static std::once_flag once;
    std::call_once(once, []() { av_log_set_callback(&forwardAvLog); });
}

int errorFromAv(int averror)
{
    switch (averror) {
    case 0:
        return Ok;
    case AVERROR(ECONNREFUSED):
        return ErrorConnectionRefused;
    case AVERROR(ETIMEDOUT):
    case AVERROR(EAGAIN):
    case AVERROR_EXIT: // our deadline interrupted the call
        return ErrorTimeout;
    case AVERROR_HTTP_UNAUTHORIZED:
    case AVERROR_HTTP_FORBIDDEN:
        return ErrorUnauthorized;
    case AVERROR_HTTP_NOT_FOUND:
    case AVERROR_STREAM_NOT_FOUND:
        return ErrorStreamNotFound;
    case AVERROR(ENOENT):
        return ErrorFileNotFound;
    case AVERROR_INVALIDDATA:
        return ErrorNoVideoStream;
    case AVERROR_DECODER_NOT_FOUND:
        return ErrorUnsupportedCodec;
    case AVERROR_PROTOCOL_NOT_FOUND:
    case AVERROR(EINVAL):
        return ErrorInvalidArgument;
    case AVERROR_EOF:
        return ErrorEndOfStream;
    case AVERROR(EACCES):
    case AVERROR(EPERM):
        return ErrorUnauthorized;
    case AVERROR(EHOSTUNREACH):
    case AVERROR(ENETUNREACH):
    case AVERROR(ECONNRESET):
    case AVERROR(EPIPE):
    case AVERROR_HTTP_BAD_REQUEST:
    case AVERROR_HTTP_OTHER_4XX:
    case AVERROR_HTTP_SERVER_ERROR:
        return ErrorNetwork;
    case AVERROR(EIO):
        return ErrorIo;
    case AVERROR(ENOMEM):
    default:
        return ErrorNetwork;
    }
}

std::string avErrorText(int averror)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, text, sizeof text);
    return text;
}

void AvDeadline::arm(std::chrono::milliseconds bound)
{
    m_deadlineNs.store(nowNs() + std::chrono::duration_cast<std::chrono::nanoseconds>(bound).count(),
                       std::memory_order_release);
}

void AvDeadline::disarm()
{
    m_deadlineNs.store(0, std::memory_order_release);
}

void AvDeadline::abortAfter(std::chrono::milliseconds grace)
{
    // 1 rather than 0 so that "at once" still counts as set.
    const long long at = nowNs() + std::chrono::duration_cast<std::chrono::nanoseconds>(grace).count();
    m_abortNs.store(at > 0 ? at : 1, std::memory_order_release);
}

void AvDeadline::clearAbort()
{
    m_abortNs.store(0, std::memory_order_release);
}

bool AvDeadline::aborted() const
{
    const long long at = m_abortNs.load(std::memory_order_acquire);
    return at != 0 && nowNs() >= at;
}

bool AvDeadline::interrupted() const
{
    const long long deadline = m_deadlineNs.load(std::memory_order_acquire);
    return aborted() || (deadline != 0 && nowNs() >= deadline);
}

int AvDeadline::interrupt(void* self)
{
    return static_cast<const AvDeadline*>(self)->interrupted() ? 1 : 0;
}

} // namespace tesk
