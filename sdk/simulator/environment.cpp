#include "environment.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace nivaro_sim {

#ifdef _WIN32
std::filesystem::path pathFromEnvironment(const char *variable)
{
    // The process environment block itself: the C runtime's copies are derived from the
    // narrow one in a program entered through main, which loses what the code page lacks.
    const std::string asciiName(variable);
    const std::wstring name(asciiName.begin(), asciiName.end());
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length
            = GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            return {}; // unset or empty
        }
        if (length < value.size()) {
            value.resize(length);
            return std::filesystem::path(value);
        }
        // Too small: length is the size needed, terminating null included. Asked again,
        // since another thread may change the variable in between.
        value.assign(length, L'\0');
    }
}
#else
std::filesystem::path pathFromEnvironment(const char *variable)
{
    const char *value = std::getenv(variable);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}
#endif

std::string displayText(const std::filesystem::path &path)
{
    try {
        return path.u8string();
    } catch (...) {
        // A Windows name may hold UTF-16 that has no UTF-8 form (a lone surrogate);
        // a message must still name the file somehow.
        std::string text;
        for (const auto c : path.native()) {
            text += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
        }
        return text;
    }
}

} // namespace nivaro_sim
