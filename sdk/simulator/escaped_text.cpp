#include "escaped_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

namespace nivaro_sim {
namespace {

// Unicode 15's control, format, line separator and paragraph separator characters.
constexpr std::pair<char32_t, char32_t> hiddenCharacters[]
    = {{0x0, 0x1F},        {0x7F, 0x9F},       {0xAD, 0xAD},       {0x600, 0x605},
       {0x61C, 0x61C},     {0x6DD, 0x6DD},     {0x70F, 0x70F},     {0x890, 0x891},
       {0x8E2, 0x8E2},     {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
       {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},
       {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
       {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F}};

// The character of UTF-8 text that starts at bytes[at], as its code point and its length, or
// a length of 0 for a byte that starts none. Overlong forms, surrogates and code points beyond
// U+10FFFF are not UTF-8.
std::pair<char32_t, std::size_t> characterAt(const std::string &bytes, std::size_t at)
{
    const auto byte
        = [&bytes](std::size_t index) { return static_cast<unsigned char>(bytes[index]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead < 0x80 ? 1
        : lead < 0xC2                      ? 0
        : lead < 0xE0                      ? 2
        : lead < 0xF0                      ? 3
        : lead < 0xF5                      ? 4
                                           : 0;
    if (length == 0 || at + length > bytes.size()) {
        return {0, 0};
    }
    // The second byte's range excludes the overlong forms, the surrogates and beyond U+10FFFF.
    const unsigned char lowest = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char highest = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t index = 1; index < length; ++index) {
        const unsigned char next = byte(at + index);
        if (next < (index == 1 ? lowest : 0x80) || next > (index == 1 ? highest : 0xBF)) {
            return {0, 0};
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return {codePoint, length};
}

std::string hexEscaped(const std::string &bytes, std::size_t at, std::size_t length)
{
    std::string escaped;
    for (std::size_t index = at; index < at + std::max<std::size_t>(length, 1); ++index) {
        char text[8];
        std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned char>(bytes[index]));
        escaped += text;
    }
    return escaped;
}

bool displaysAsItself(char32_t character)
{
    const bool noncharacter
        = (character >= 0xFDD0 && character <= 0xFDEF) || (character & 0xFFFE) == 0xFFFE;
    return !noncharacter
        && std::none_of(std::begin(hiddenCharacters), std::end(hiddenCharacters),
                        [character](const auto &range) {
                            return character >= range.first && character <= range.second;
                        });
}

} // namespace

std::string unshowableBecause(const std::string &name, std::size_t longest)
{
    std::size_t characters = 0;
    for (std::size_t at = 0; at < name.size(); ++characters) {
        const auto [character, length] = characterAt(name, at);
        if (length == 0 || !displaysAsItself(character)) {
            return "holds " + hexEscaped(name, at, length)
                + ", a character that does not display as itself";
        }
        at += length;
    }
    if (characters == 0 || characters > longest) {
        return "is not 1 to " + std::to_string(longest) + " characters long";
    }
    return {};
}

std::string escapedText(const std::string &bytes, const char *delimiters, std::size_t longest)
{
    std::string text;
    std::size_t at = 0;
    for (std::size_t characters = 0; at < bytes.size() && characters < longest; ++characters) {
        const auto [character, length] = characterAt(bytes, at);
        if (length == 0 || !displaysAsItself(character)) {
            text += hexEscaped(bytes, at, length);
        } else if (length == 1 && std::strchr(delimiters, bytes[at])) {
            text += {'\\', bytes[at]};
        } else {
            text.append(bytes, at, length);
        }
        at += std::max<std::size_t>(length, 1);
    }
    return at < bytes.size() ? text + "\xE2\x80\xA6" : text; // an ellipsis
}

std::string shownText(const std::string &bytes)
{
    // Backslashes stay single: a Windows path is read far more often than a stray \x in a name.
    return escapedText(bytes, "\"", 160);
}

} // namespace nivaro_sim
