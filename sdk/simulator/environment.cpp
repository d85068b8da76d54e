#include "environment.h"

#include <cstdlib>

namespace nivaro_sim {

std::filesystem::path pathFromEnvironment(const char *variable)
{
#ifdef _WIN32
    const std::string name(variable);
    const wchar_t *value = _wgetenv(std::wstring(name.begin(), name.end()).c_str());
#else
    const char *value = std::getenv(variable);
#endif
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

std::string displayText(const std::filesystem::path &path)
{
    return path.u8string();
}

} // namespace nivaro_sim
