#include "environment.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#else
#include <cstdlib>
#include <system_error>
#endif

namespace nivaro_sim {
namespace {

// The name the installer gives the demo configuration beside the program.
constexpr const char *besideTheProgram = "nivaro-sdk-config.json";

} // namespace

#ifdef _WIN32
namespace {

// What a call writes into a buffer of wide characters, asked again in a larger buffer until it
// fits (another thread may change a variable in between); empty when the call answers nothing.
template<typename Call> std::wstring wideText(Call call)
{
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        // Too small: an environment variable's length is the size it needs, a file name that
        // fills the buffer may have been cut.
        text.assign(std::max<std::size_t>(length, text.size() * 2), L'\0');
    }
}

// The folder of the running program's file; empty when the system does not say.
std::filesystem::path programFolder()
{
    const std::wstring program = wideText(
        [](wchar_t *buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    return program.empty() ? std::filesystem::path() : std::filesystem::path(program).parent_path();
}

} // namespace

std::filesystem::path pathFromEnvironment(const char *variable)
{
    // The process environment block itself: the C runtime's copies are derived from the
    // narrow one in a program entered through main, which loses what the code page lacks.
    const std::string asciiName(variable);
    const std::wstring name(asciiName.begin(), asciiName.end());
    return wideText([&name](wchar_t *buffer, DWORD size) {
        return GetEnvironmentVariableW(name.c_str(), buffer, size);
    });
}
#else
std::filesystem::path pathFromEnvironment(const char *variable)
{
    const char *value = std::getenv(variable);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

namespace {

std::filesystem::path programFolder()
{
    // Linux names the running program's file here; elsewhere the link is missing and the
    // program has no configuration beside it.
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

} // namespace
#endif

ConfigurationSource configurationSource()
{
    if (auto named = pathFromEnvironment("NIVARO_SDK_CONFIG"); !named.empty()) {
        return {named, false};
    }
    const auto folder = programFolder();
    return folder.empty() ? ConfigurationSource {}
                          : ConfigurationSource {folder / besideTheProgram, true};
}

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
