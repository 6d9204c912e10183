#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

/// Prints the usual console table, then each measured benchmark's time as a ratio of a
/// baseline measured in the same run.
class RatioReporter final : public benchmark::ConsoleReporter
{
public:
    /// (benchmark, its baseline) pairs, by benchmark name.
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs)
        : benchmark::ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_None), m_pairs(std::move(pairs))
    {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const auto& [name, baseline] : m_pairs) {
            const auto measured = m_times.find(name);
            const auto base = m_times.find(baseline);
            if (measured != m_times.end() && base != m_times.end() && base->second > 0) {
                std::printf("ratio %s / %s = %.2f\n", name.c_str(), baseline.c_str(), measured->second / base->second);
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> m_pairs;
    std::map<std::string, double> m_times;
};
