#include "trace_format.h"

#include "escaped_text.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace nivaro_sim {
namespace {

template<typename Floating> std::string shortestText(Floating value)
{
    // Below 1e17 a number of one or more units is written in full, so that 1500 reads 1500
    // rather than 1.5e+03; the others take whichever form is shorter.
    const bool inFull = std::fabs(value) >= 1 && std::fabs(value) < 1e17;
    char text[64];
    const auto written = inFull
        ? std::to_chars(text, std::end(text), value, std::chars_format::fixed)
        : std::to_chars(text, std::end(text), value);
    return std::string(text, written.ptr);
}

} // namespace

std::string traceText(double value)
{
    return shortestText(value);
}

std::string traceText(float value)
{
    return shortestText(value);
}

std::string traceText(const char *text)
{
    return text ? '"' + escapedText(text, "\\\"") + '"' : "null";
}

} // namespace nivaro_sim
