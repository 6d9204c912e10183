#pragma once

#include <QDateTime>

#include <optional>

/// The wall clock behind generated file names. Tests fix it to a known moment.
class Clock final
{
public:
    static QDateTime now();

    /// Makes now() return `moment` until cleared with std::nullopt.
    static void setFixedTime(std::optional<QDateTime> moment);
};
