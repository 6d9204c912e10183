#pragma once

#include <functional>
#include <string>

namespace tesk {

enum class LogLevel
{
    Debug,
    Info,
    Warning,
};

/// Where the library's diagnostics go. By default they are written to standard error; the
/// application can route them into its own log.
void setLogHandler(std::function<void(LogLevel, const std::string&)> handler);
void log(LogLevel level, const std::string& message);

} // namespace tesk
