#include "clock.h"

namespace {
std::optional<QDateTime>& fixedTime()
{
    static std::optional<QDateTime> moment;
    return moment;
}
} // namespace

QDateTime Clock::now()
{
    const auto& fixed = fixedTime();
    return fixed ? *fixed : QDateTime::currentDateTime();
}

void Clock::setFixedTime(std::optional<QDateTime> moment)
{
    fixedTime() = std::move(moment);
}
