#include "log_sink.h"

#include <nlohmann/json.hpp>

namespace nivaro_sim {

LogSink::LogSink() : LineSink(LineFile::Start::Append, "SDK log") { }

void LogSink::write(int severity, const std::string &text)
{
    const nlohmann::json line {{"severity", severity}, {"text", text}};
    // In ASCII, every other character as a \u escape: no line holds a character that hides,
    // turns or splits the text, and a JSON reader gets the text back as it was. Text that is
    // not UTF-8 is written with replacement characters rather than lost.
    add({severity, text}, line.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace));
}

} // namespace nivaro_sim
