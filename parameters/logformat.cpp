#include "parameters/logformat.h"

#include <locale>
#include <sstream>

namespace logformat {

std::string floating(double value)
{
    std::ostringstream text;
    // The user's locale must not turn the decimal point into a comma.
    text.imbue(std::locale::classic());
    text << value;
    return text.str();
}

std::string unsignedNumber(uint32_t value)
{
    return std::to_string(value);
}

std::string byteNumber(uint8_t value)
{
    return std::to_string(static_cast<unsigned>(value));
}

std::string enabledState(bool enabled)
{
    return enabled ? "Enabled" : "Disabled";
}

std::string oneOrZero(bool value)
{
    return value ? "1" : "0";
}

std::string versionDigits(uint16_t version)
{
    static const char hexDigits[] = "0123456789abcdef";
    std::string text;
    for (int shift : {12, 8, 4}) {
        if (!text.empty())
            text += '.';
        text += hexDigits[(version >> shift) & 0xF];
    }
    return text;
}

} // namespace logformat
