#pragma once

// How values appear in the call trace: numbers in decimal (floating point in the
// fewest digits that read back exactly), switches as true/false, texts quoted, records
// field by field in declaration order.

#include "nivaro_records.h"

#include <string>
#include <type_traits>

namespace nivaro_sim {

std::string traceText(double value);
std::string traceText(float value);
std::string traceText(const char *text);
std::string traceText(const nivaro_sdk::VersionInfo &versions);
std::string traceText(const nivaro_sdk::ZoomConfig &zoom);
std::string traceText(const nivaro_sdk::IaConfig &config);

template<typename Number, typename = std::enable_if_t<std::is_integral_v<Number>>>
std::string traceText(Number value)
{
    if constexpr (std::is_same_v<Number, bool>) {
        return value ? "true" : "false";
    } else {
        // The unary plus keeps a byte a number rather than a character.
        return std::to_string(+value);
    }
}

// An argument the SDK fills in: "out " and what it wrote, or "out unfilled".
template<typename Value> std::string outText(bool filled, const Value &value)
{
    return filled ? "out " + traceText(value) : std::string("out unfilled");
}

} // namespace nivaro_sim
