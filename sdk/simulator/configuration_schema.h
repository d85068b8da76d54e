#pragma once

#include "problem_lines.h"

#include <nlohmann/json.hpp>

namespace nivaro_sim {

// The one description of the configuration file: its keys, their types, ranges and built-in
// values (docs/examples/nivaro-sdk-config.schema.json, JSON Schema draft 7, built in).
const nlohmann::json &configurationSchema();

// Leaves in a configuration document what the schema accepts: a key it does not know, or whose
// value it refuses, is left out with one problem line, and every other key stays. An item of a
// list that the schema does not allow is left out alone; a list holding an item of the wrong
// type is left out whole, since half of it would not be what its author meant.
void keepWhatTheSchemaAccepts(nlohmann::json &document, ProblemLines &problems);

} // namespace nivaro_sim
