#pragma once

#include <cstdint>

// Bounds and a current value that a slider and a spin box can both hold exactly.
struct WidgetRange
{
    int minimum;
    int maximum;
    int current;
};

// The Expert bounds come from a closed library's configuration object, which may answer
// anything. Qt's slider arithmetic takes maximum minus minimum as an int, so a span of
// 2^31 or more divides by zero when the slider is painted: the span is cut to the widest
// Qt handles, at the end away from the current value. A current value outside is brought to
// the nearer bound.
WidgetRange widgetRangeFor(int32_t minimum, int32_t maximum, int32_t current);
