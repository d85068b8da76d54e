#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nivaro_sim {

// The problem lines of one configuration file, each naming the file and the key. Of each kind
// the first 20 are listed, then one line tells how many more there were: a file of 100,000
// unknown names takes a screenful, not 100,000 lines.
class ProblemLines
{
public:
    enum Kind
    {
        unknownKey,
        givenTwice,
        unusableValue,
        unknownName,
        unusablePortName,
        kinds
    };

    explicit ProblemLines(const std::string &fileLabel);

    // keyPath as the file's keys lead to it: "ports.COM3.registers.zoom.centerX".
    void add(Kind kind, const std::string &keyPath, const std::string &what);
    std::vector<std::string> lines() const;

    // The one line of a file that cannot be used at all; why follows the file's name.
    std::vector<std::string> unusableFile(const std::string &why) const
    {
        return {fileText + why + "; built-in values kept"};
    }

private:
    std::string fileText;
    std::vector<std::string> listed;
    std::size_t counts[kinds] = {};
};

// A key's dotted path from its object's.
inline std::string keyPath(const std::string &objectPath, const std::string &key)
{
    return objectPath.empty() ? key : objectPath + '.' + key;
}

} // namespace nivaro_sim
