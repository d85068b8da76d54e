#pragma once

#include <string>
#include <utility>
#include <vector>

// Child processes of the benchmark driver (Linux): each run timed from spawn to exit, with
// the peak resident memory the kernel recorded for it.
namespace childprocess {

using Environment = std::vector<std::pair<std::string, std::string>>;

struct Run
{
    double seconds = 0.0;
    double peakBytes = 0.0;
    bool succeeded = false;
};

// Runs a program to its end with the driver's environment plus the given variables, its
// output and errors discarded unless outputFile names a file to receive them.
Run run(const std::vector<std::string> &arguments, const Environment &extra,
        const std::string &outputFile = "/dev/null");

// A virtual X display of its own for as long as the object lives.
class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // ":N", or empty when no X server could be started.
    const std::string &name() const { return displayName; }

private:
    int serverPid = -1;
    std::string displayName;
};

// The folder of the running executable, where the programs it starts were built.
std::string ownFolder();

} // namespace childprocess
