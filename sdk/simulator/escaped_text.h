#pragma once

#include <cstddef>
#include <string>

namespace nivaro_sim {

// Bytes from outside (a file name, a key, a value, a port name) written so that a reader
// sees exactly what they were and nothing can break the line they sit in: valid UTF-8
// stays as it is; a backslash and the characters in alsoEscaped (the delimiters around
// the text) get a backslash before them; control characters and bytes that are not UTF-8
// become \xHH.
std::string escapedText(const std::string &bytes, const char *alsoEscaped);

// The same for the double quotes of a message on standard error, except that backslashes
// stay as they are, and cut after 160 characters with an ellipsis: a whole file's worth of
// digits is no help there.
std::string shownText(const std::string &bytes);

// The system's reason for the last failed call of the C library (errno), as shownText.
std::string systemReason();

} // namespace nivaro_sim
