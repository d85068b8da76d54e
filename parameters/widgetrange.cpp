#include "parameters/widgetrange.h"

#include <algorithm>
#include <limits>

WidgetRange widgetRangeFor(int32_t minimum, int32_t maximum, int32_t current)
{
    constexpr int64_t widestSpan = std::numeric_limits<int>::max();
    int64_t low = minimum;
    // Inverted bounds leave the minimum as the only legal value, as Qt's own setRange does;
    // the clamp below needs them in order.
    int64_t high = std::max(minimum, maximum);
    const int64_t value = std::clamp<int64_t>(current, low, high);
    if (high - low > widestSpan) {
        if (value - low <= widestSpan)
            high = low + widestSpan;
        else
            low = high - widestSpan;
    }
    return {static_cast<int>(low), static_cast<int>(high), static_cast<int>(value)};
}
