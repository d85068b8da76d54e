#pragma once

// How values appear in the call trace: numbers in decimal (floating point in the
// fewest digits that read back exactly), switches as true/false, texts quoted, records
// field by field in declaration order.

#include "camera_parameters.h"

#include <string>
#include <type_traits>

namespace nivaro_sim {

std::string traceText(double value);
std::string traceText(float value);
std::string traceText(const char *text);

// An integer, a switch or a record of the SDK.
template<typename Value> std::string traceText(const Value &value)
{
    if constexpr (std::is_same_v<Value, bool>) {
        return value ? "true" : "false";
    } else if constexpr (std::is_integral_v<Value>) {
        // The unary plus keeps a byte a number rather than a character.
        return std::to_string(+value);
    } else {
        std::string fields;
        forEachField(value, [&fields](const char *name, const auto &field) {
            fields += (fields.empty() ? "" : ", ") + std::string(name) + '=' + traceText(field);
        });
        return '{' + fields + '}';
    }
}

// An argument the SDK fills in: "out " and what it wrote, or "out unfilled".
template<typename Value> std::string outText(bool filled, const Value &value)
{
    return filled ? "out " + traceText(value) : std::string("out unfilled");
}

} // namespace nivaro_sim
