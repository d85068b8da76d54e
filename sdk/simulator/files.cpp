#include "files.h"

#include "escaped_text.h"

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
#endif

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <system_error>

namespace nivaro_sim {
namespace {

// The name the installer gives the demo configuration beside the program.
constexpr const char *besideTheProgram = "nivaro-sdk-config.json";

constexpr std::uintmax_t largestFile = std::uintmax_t {4} * 1024 * 1024;

std::string cannotBeRead(const std::string &reason)
{
    return "cannot be read (" + reason + ")";
}

#ifdef _WIN32
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
#else
std::filesystem::path programFolder()
{
    // Linux names the running program's file here; elsewhere the link is missing and the
    // program has no configuration beside it.
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}
#endif

} // namespace

std::filesystem::path pathFromEnvironment(const char *variable)
{
#ifdef _WIN32
    // The process environment block itself: the C runtime's copies are derived from the
    // narrow one in a program entered through main, which loses what the code page lacks.
    const std::string asciiName(variable);
    const std::wstring name(asciiName.begin(), asciiName.end());
    return wideText([&name](wchar_t *buffer, DWORD size) {
        return GetEnvironmentVariableW(name.c_str(), buffer, size);
    });
#else
    const char *value = std::getenv(variable);
    return value ? std::filesystem::path(value) : std::filesystem::path();
#endif
}

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

std::filesystem::file_type fileType(const std::filesystem::path &path, std::string &reason)
{
    std::error_code error;
    const auto type = std::filesystem::status(path, error).type();
    // A path through a file is not missing: the system says why it cannot be there.
    if (error
        && !(type == std::filesystem::file_type::not_found
             && error == std::errc::no_such_file_or_directory)) {
        reason = shownText(error.message());
        return std::filesystem::file_type::none;
    }
    return type;
}

FileText readSmallRegularFile(const std::filesystem::path &file)
{
    using std::filesystem::file_type;
    std::string reason;
    switch (fileType(file, reason)) {
    case file_type::regular:
        break;
    case file_type::not_found:
        return {{}, "does not exist"};
    case file_type::none:
        return {{}, cannotBeRead(reason)};
    case file_type::directory:
        return {{}, cannotBeRead("it is a folder")};
    default:
        return {{}, "is not a regular file"};
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        return {{}, cannotBeRead(shownText(error.message()))};
    }
    if (size > largestFile) {
        return {{}, "is larger than 4 MiB (" + std::to_string(size) + " bytes)"};
    }
    try {
        errno = 0;
        std::ifstream stream(file, std::ios::binary);
        if (!stream.is_open()) {
            return {{}, "cannot be opened (" + systemReason() + ")"};
        }
        // At most one byte beyond the limit: a file that grew since it was measured is
        // still refused, never read whole.
        std::string text(largestFile + 1, '\0');
        stream.read(text.data(), static_cast<std::streamsize>(text.size()));
        if (stream.bad()) {
            return {{}, cannotBeRead(systemReason())};
        }
        text.resize(static_cast<std::size_t>(stream.gcount()));
        if (text.size() > largestFile) {
            return {{}, "is larger than 4 MiB"};
        }
        return {text, {}};
    } catch (const std::exception &error) {
        // The standard library may report a failed read by throwing from the stream buffer.
        return {{}, cannotBeRead(shownText(error.what()))};
    }
}

std::string systemReason()
{
    return shownText(std::generic_category().message(errno));
}

} // namespace nivaro_sim
