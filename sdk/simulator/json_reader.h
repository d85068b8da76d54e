#pragma once

#include "problem_lines.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace nivaro_sim {

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

} // namespace nivaro_sim
