#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace nivaro_sim {

// A text file that receives whole lines, each flushed at once so that a crash of
// the program loses none of what came before it.
class LineFile
{
public:
    enum class Start
    {
        Append,
        Replace
    };

    // An empty path leaves the file closed; a file that cannot be opened is reported
    // once on standard error, naming what the file was for.
    void open(const std::filesystem::path &path, Start start, const char *purpose);
    void writeLine(const std::string &line);

private:
    std::ofstream stream;
};

} // namespace nivaro_sim
