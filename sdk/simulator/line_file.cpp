#include "line_file.h"

#include "environment.h"

#include <iostream>

namespace nivaro_sim {

void LineFile::open(const std::filesystem::path &path, Start start, const char *purpose)
{
    if (path.empty()) {
        return;
    }
    // Binary, so that a line ends with a single line feed on every system.
    const auto mode = std::ios::binary | (start == Start::Append ? std::ios::app : std::ios::trunc);
    stream.open(path, std::ios::out | mode);
    if (!stream) {
        std::cerr << "nivaro sdk: cannot open the " << purpose << " file \"" << displayText(path)
                  << "\"; nothing is written to it\n";
    }
}

void LineFile::writeLine(const std::string &line)
{
    if (stream.is_open()) {
        stream << line << '\n';
        stream.flush();
    }
}

} // namespace nivaro_sim
