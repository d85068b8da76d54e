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

    // An empty path leaves the file closed. A path that cannot take lines without blocking
    // (a FIFO, a socket, a folder) or a file that cannot be opened is reported once on
    // standard error, naming what the file was for and why.
    void open(const std::filesystem::path &path, Start start, const char *purpose);

    // The first line that cannot be written is reported once; later ones are tried again.
    void writeLine(const std::string &line);

private:
    std::ofstream stream;
    std::string description; // "SDK log file "…"", for the messages
    bool writeFailureReported = false;
};

} // namespace nivaro_sim
