#include "ui/widgetrange.h"

#include <algorithm>
#include <limits>
#include <utility>

WidgetRange widgetRangeFor(int32_t minimum, int32_t maximum, int32_t current)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    constexpr int64_t widestSpan = std::numeric_limits<int>::max();
    int64_t low = minimum;
    int64_t high = maximum;
    const int64_t value = std::clamp<int64_t>(current, low, high);
    if (high - low > widestSpan) {
        if (value - low <= widestSpan)
            high = low + widestSpan;
        else
            low = high - widestSpan;
    }
    return {static_cast<int>(low), static_cast<int>(high), static_cast<int>(value)};
}
