#pragma once

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace nivaro_sim {

// Reads the keys of one JSON object into settings. A key of the wrong type or out of
// range leaves its setting as it was and adds one problem line naming the file, the key
// and the problem; finish() adds one for every key nobody asked for.
class JsonKeys
{
public:
    // asked, when given, receives the dotted path of every key read, present or not.
    JsonKeys(const nlohmann::json &object, std::string keyPath, std::string fileLabel,
             std::vector<std::string> &problems, std::set<std::string> *asked = nullptr);

    void read(const char *key, bool &setting);
    void read(const char *key, double &setting);
    void read(const char *key, float &setting);

    template<typename Integer, typename = std::enable_if_t<std::is_integral_v<Integer>>>
    void read(const char *key, Integer &setting,
              long long minimum = std::numeric_limits<Integer>::min(),
              long long maximum = static_cast<long long>(std::numeric_limits<Integer>::max()))
    {
        if (const auto value = integer(key, minimum, maximum)) {
            setting = static_cast<Integer>(*value);
        }
    }

    // A text that may also be null, and holds no NUL character.
    void read(const char *key, std::string &setting, bool &isNull);
    // A list of names, each checked by isKnown.
    void read(const char *key, std::set<std::string> &setting,
              bool (*isKnown)(const std::string &name));

    // The object under a key, to read in its turn; none when absent or not an object.
    std::optional<JsonKeys> section(const char *key);
    // Every member of this object, each expected to be an object.
    std::vector<std::pair<std::string, JsonKeys>> sections();

    void finish();

    // One problem line about a key of this object.
    void problem(const std::string &key, const std::string &what);

private:
    const nlohmann::json *take(const char *key);
    std::optional<long long> integer(const char *key, long long minimum, long long maximum);
    void wrongType(const std::string &key, const char *expected, const nlohmann::json &found);

    const nlohmann::json &object;
    std::string keyPath;
    std::string fileLabel;
    std::vector<std::string> &problems;
    std::set<std::string> *asked;
    std::set<std::string> taken;
};

} // namespace nivaro_sim
