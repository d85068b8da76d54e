#include "trace_format.h"

#include "camera_parameters.h"
#include "escaped_text.h"

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace nivaro_sim {
namespace {

template<typename Floating> std::string withPrecision(Floating value, int digits)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(digits);
    out << value;
    return out.str();
}

template<typename Floating> std::string shortestText(Floating value)
{
    constexpr int mostDigits = std::numeric_limits<Floating>::max_digits10;
    int digits = 1;
    for (; digits < mostDigits; ++digits) {
        std::istringstream in(withPrecision(value, digits));
        in.imbue(std::locale::classic());
        Floating readBack {};
        if (in >> readBack && readBack == value) {
            break;
        }
    }
    // Enough digits for the integral part, so 1500 reads 1500 rather than 1.5e+03.
    if (std::isfinite(value) && std::fabs(value) >= 1) {
        const int integralDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
        if (integralDigits > digits && integralDigits <= mostDigits) {
            digits = integralDigits;
        }
    }
    return withPrecision(value, digits);
}

template<typename Record> std::string recordText(const Record &record)
{
    std::string fields;
    forEachField(record, [&fields](const char *name, const auto &value) {
        fields += (fields.empty() ? "" : ", ") + std::string(name) + '=' + traceText(value);
    });
    return '{' + fields + '}';
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
    return text ? '"' + escapedText(text, "\"") + '"' : "null";
}

std::string traceText(const nivaro_sdk::VersionInfo &versions)
{
    return recordText(versions);
}

std::string traceText(const nivaro_sdk::ZoomConfig &zoom)
{
    return recordText(zoom);
}

std::string traceText(const nivaro_sdk::IaConfig &config)
{
    return recordText(config);
}

} // namespace nivaro_sim
