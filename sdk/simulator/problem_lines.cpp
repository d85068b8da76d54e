#include "problem_lines.h"

#include "escaped_text.h"

namespace nivaro_sim {
namespace {
constexpr std::size_t listedPerKind = 20;
} // namespace

ProblemLines::ProblemLines(const std::string &fileLabel)
    : fileText("configuration file \"" + shownText(fileLabel) + '"')
{ }

void ProblemLines::add(Kind kind, const std::string &keyPath, const std::string &what)
{
    if (++counts[kind] <= listedPerKind) {
        listed.push_back(fileText + ", key \"" + shownText(keyPath) + "\": " + what);
    }
}

std::vector<std::string> ProblemLines::lines() const
{
    static const char *const plurals[kinds]
        = {"unknown keys", "keys given more than once", "values that cannot be used",
           "unknown names", "port names that cannot be used"};
    std::vector<std::string> all = listed;
    for (int kind = 0; kind < kinds; ++kind) {
        if (counts[kind] > listedPerKind) {
            all.push_back(fileText + ": " + std::to_string(counts[kind] - listedPerKind) + " more "
                          + plurals[kind] + ", not listed one by one");
        }
    }
    return all;
}

} // namespace nivaro_sim
