#include "escaped_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace nivaro_sim {
namespace {

// The length of the UTF-8 sequence starting at bytes[at], or 0 when it is not one:
// overlong forms, surrogates and code points beyond U+10FFFF count as not UTF-8.
std::size_t utf8Length(const std::string &bytes, std::size_t at)
{
    const auto byte
        = [&bytes](std::size_t index) { return static_cast<unsigned char>(bytes[index]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char lowest = 0x80;
    unsigned char highest = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = lead == 0xE0 ? 0xA0 : 0x80;
        highest = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = lead == 0xF0 ? 0x90 : 0x80;
        highest = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (std::size_t index = 1; index < length; ++index) {
        const unsigned char next = byte(at + index);
        const unsigned char low = index == 1 ? lowest : 0x80;
        const unsigned char high = index == 1 ? highest : 0xBF;
        if (next < low || next > high) {
            return 0;
        }
    }
    return length;
}

std::string hexEscape(unsigned char byte)
{
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    return escaped;
}

std::string escaped(const std::string &bytes, bool escapeBackslash, const char *alsoEscaped,
                    std::size_t longest)
{
    std::string text;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < bytes.size(); ++characters) {
        if (characters == longest) {
            return text + "\xE2\x80\xA6"; // an ellipsis
        }
        const char c = bytes[at];
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            if (byte < 0x20 || byte == 0x7F) {
                text += hexEscape(byte);
            } else {
                if ((escapeBackslash && c == '\\') || std::strchr(alsoEscaped, c)) {
                    text += '\\';
                }
                text += c;
            }
            ++at;
            continue;
        }
        const std::size_t length = utf8Length(bytes, at);
        if (length == 0) {
            text += hexEscape(byte);
            ++at;
        } else {
            text.append(bytes, at, length);
            at += length;
        }
    }
    return text;
}

} // namespace

std::string systemReason()
{
    return shownText(std::generic_category().message(errno));
}

std::string escapedText(const std::string &bytes, const char *alsoEscaped)
{
    return escaped(bytes, true, alsoEscaped, std::string::npos);
}

std::string shownText(const std::string &bytes)
{
    constexpr std::size_t longestShown = 160;
    // Backslashes stay single: a Windows path is read far more often than a stray \x in a name.
    return escaped(bytes, false, "\"", longestShown);
}

} // namespace nivaro_sim
