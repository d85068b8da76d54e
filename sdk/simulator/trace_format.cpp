#include "trace_format.h"

#include "escaped_text.h"

#include <limits>
#include <locale>
#include <sstream>

namespace nivaro_sim {
namespace {

template<typename Floating> std::string shortestText(Floating value)
{
    std::string text;
    for (int digits = 1; digits <= std::numeric_limits<Floating>::max_digits10; ++digits) {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out.precision(digits);
        out << value;
        text = out.str();
        std::istringstream in(text);
        in.imbue(std::locale::classic());
        Floating readBack {};
        if (in >> readBack && readBack == value) {
            break;
        }
    }
    return text;
}

std::string field(const char *name, const std::string &value)
{
    return std::string(name) + '=' + value;
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
    return '{' + field("riscvVersion", traceText(versions.riscvVersion)) + ", "
        + field("fpgaVersion", traceText(versions.fpgaVersion)) + '}';
}

std::string traceText(const nivaro_sdk::ZoomConfig &zoom)
{
    return '{' + field("zoomFactor", traceText(zoom.zoomFactor)) + ", "
        + field("centerX", traceText(zoom.centerX)) + ", "
        + field("centerY", traceText(zoom.centerY)) + ", "
        + field("interpolationMethod", traceText(zoom.interpolationMethod)) + '}';
}

std::string traceText(const nivaro_sdk::IaConfig &config)
{
    return '{' + field("resizeMode", traceText(config.resizeMode)) + ", "
        + field("maxBoxes", traceText(config.maxBoxes)) + ", "
        + field("sensitivity", traceText(config.sensitivity)) + ", "
        + field("iouThreshold", traceText(config.iouThreshold)) + ", "
        + field("outputType", traceText(config.outputType)) + '}';
}

} // namespace nivaro_sim
