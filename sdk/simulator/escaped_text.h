#pragma once

#include <cstddef>
#include <string>

namespace nivaro_sim {

// Why a name from outside cannot be shown and handed on as it is, or empty when it can: it must
// be UTF-8 of 1 to `longest` characters, each displaying as itself. Not so: control characters
// (Unicode Cc), format characters (Cf: a right-to-left override turns the text after it around,
// a zero-width space hides), the line and paragraph separators (Zl, Zp: they split a line), and
// noncharacters.
std::string unshowableBecause(const std::string &name, std::size_t longest);

// Bytes from outside (a file name, a key, a value, a port name) written so that a reader
// sees exactly what they were and nothing can break the line they sit in: characters that
// display as themselves stay as they are, except those in `delimiters` (those around the text,
// and the backslash that escapes them), which get a backslash before them; every byte of any
// other character, and every byte that is not UTF-8, becomes \xHH. Beyond `longest` characters
// the text is cut with an ellipsis.
std::string escapedText(const std::string &bytes, const char *delimiters,
                        std::size_t longest = std::string::npos);

// The same for the double quotes of a message on standard error, except that backslashes
// stay as they are, and cut after 160 characters: a whole file's worth of digits is no help
// there.
std::string shownText(const std::string &bytes);

} // namespace nivaro_sim
