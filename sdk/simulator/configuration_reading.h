#pragma once

// The stages of reading a configuration file: the JSON text into a document, the document held
// to the schema, each stage reporting to the file's problem lines.

#include <cstddef>
#include <nlohmann/json.hpp>
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

// No configuration nests deeper than a port's zoom registers (five levels); a file that
// goes beyond this is no configuration.
constexpr std::size_t deepestNesting = 64;

// A JSON text read in one pass into document, each key and bracket seen once, so that any text
// costs time in proportion to its length. A key given twice in an object keeps its first value:
// the later one is reported and left out, whatever it holds. memberOrder receives the keys of the
// top-level object's member `orderedMember` as the text gives them, since the document keeps an
// object's keys sorted. Answers why the text cannot be used (not JSON, nested too deep), or
// nothing when it can.
std::string readJson(const std::string &text, const std::string &orderedMember,
                     nlohmann::json &document, std::vector<std::string> &memberOrder,
                     ProblemLines &problems);

// The one description of the configuration file: its keys, their types, ranges and built-in
// values (docs/examples/nivaro-sdk-config.schema.json, JSON Schema draft 7, built in).
const nlohmann::json &configurationSchema();

// Leaves in a configuration document what the schema accepts: a key it does not know, or whose
// value it refuses, is left out with one problem line, and every other key stays. An item of a
// list that the schema does not allow is left out alone; a list holding an item of the wrong
// type is left out whole, since half of it would not be what its author meant.
void keepWhatTheSchemaAccepts(nlohmann::json &document, ProblemLines &problems);

} // namespace nivaro_sim
