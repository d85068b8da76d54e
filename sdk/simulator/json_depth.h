#pragma once

#include <string>

namespace nivaro_sim {

// No configuration nests deeper than a port's zoom registers (five levels); a file that
// goes beyond this is no configuration, and reading it whole could take gigabytes.
constexpr int deepestNesting = 64;

// Whether a JSON text holds an object or array nested more than deepestNesting deep. The look
// stops at the first such one, or at the first mistake (told by the reader that follows), so
// it costs no more than one pass over the text.
bool nestsTooDeep(const std::string &text);

} // namespace nivaro_sim
