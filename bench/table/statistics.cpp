#include "statistics.h"

#include <algorithm>
#include <cmath>

namespace {

// Linear interpolation between the two nearest ranks of the sorted samples.
double quantile(const std::vector<double> &sorted, double fraction)
{
    const double rank = fraction * double(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (rank - double(below));
}

} // namespace

Summary summarize(std::vector<double> samples)
{
    Summary summary;
    if (samples.empty())
        return summary;
    std::sort(samples.begin(), samples.end());
    summary.median = quantile(samples, 0.5);
    summary.lowerQuartile = quantile(samples, 0.25);
    summary.upperQuartile = quantile(samples, 0.75);
    summary.valid = true;
    return summary;
}
