#include "device/portsources.h"
#include "environment.h"
#include "guarded_file.h"
#include "json_depth.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

namespace portsources {
namespace {

// An empty name or one with a NUL cannot reach the SDK as NUL-terminated text; a control
// character would split or garble the log line that names the port.
bool isListable(const std::string &name)
{
    return !name.empty() && std::none_of(name.begin(), name.end(), [](unsigned char c) {
        return c < 0x20 || c == 0x7f;
    });
}

} // namespace

QStringList configuredPorts()
{
    const nivaro_sim::ConfigurationSource source = nivaro_sim::configurationSource();
    if (source.path.empty())
        return {};
    const nivaro_sim::FileText file = nivaro_sim::readSmallRegularFile(source.path);
    if (!file.failure.empty() || nivaro_sim::nestsTooDeep(file.text))
        return {};
    // Ordered, since the file's order is the order the user wrote the ports in.
    const auto document = nlohmann::ordered_json::parse(file.text, nullptr, false);
    const auto ports = document.is_object() ? document.find("ports") : document.end();
    if (ports == document.end() || !ports->is_object())
        return {};
    QStringList names;
    for (const auto &port : ports->items()) {
        if (isListable(port.key()))
            names << QString::fromStdString(port.key());
    }
    return names;
}

PortSource sdkPorts()
{
    return [] { return systemThenConfigured(systemPorts(), configuredPorts()); };
}

} // namespace portsources
