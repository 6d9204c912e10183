#pragma once

#include <cmath>

/// The mean of the positive values of a column, the rule of the table's averages and the
/// report's average row: zeros, negative values and cells that are not numbers are left out.
class PositiveAverage final
{
public:
    void add(double value)
    {
        if (value > 0 && std::isfinite(value)) {
            m_sum += value;
            ++m_count;
        }
    }
    /// Whether any value counted (their sum is positive).
    bool hasValue() const { return m_sum > 0; }
    double value() const { return m_count > 0 ? m_sum / m_count : 0.0; }

private:
    double m_sum = 0.0;
    int m_count = 0;
};
