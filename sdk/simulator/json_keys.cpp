#include "json_keys.h"

#include "escaped_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace nivaro_sim {

JsonKeys::JsonKeys(const nlohmann::json &object, std::string keyPath, std::string fileLabel,
                   std::vector<std::string> &problems, std::set<std::string> *asked)
    : object(object)
    , keyPath(std::move(keyPath))
    , fileLabel(std::move(fileLabel))
    , problems(problems)
    , asked(asked)
{ }

void JsonKeys::read(const char *key, bool &setting)
{
    if (const auto *value = take(key)) {
        if (value->is_boolean()) {
            setting = value->get<bool>();
        } else {
            wrongType(key, "true or false", *value);
        }
    }
}

void JsonKeys::read(const char *key, double &setting)
{
    if (const auto *value = take(key)) {
        if (value->is_number()) {
            setting = value->get<double>();
        } else {
            wrongType(key, "a number", *value);
        }
    }
}

void JsonKeys::read(const char *key, float &setting)
{
    double wide = setting;
    read(key, wide);
    // Converting a double beyond the float's range is undefined, not a saturation.
    if (std::fabs(wide) > std::numeric_limits<float>::max()) {
        std::ostringstream found;
        found << wide;
        problem(key,
                "expected a number within the range of a 32-bit float, found " + found.str()
                    + "; built-in value kept");
        return;
    }
    setting = static_cast<float>(wide);
}

void JsonKeys::read(const char *key, std::string &setting, bool &isNull)
{
    if (const auto *value = take(key)) {
        const bool holdsNul = value->is_string()
            && value->get_ref<const std::string &>().find('\0') != std::string::npos;
        if (holdsNul) {
            // The program reads the text as NUL-terminated: it would see only what comes before.
            problem(key, "a text cannot hold a NUL character; built-in value kept");
        } else if (value->is_string() || value->is_null()) {
            isNull = value->is_null();
            setting = isNull ? std::string() : value->get<std::string>();
        } else {
            wrongType(key, "a text or null", *value);
        }
    }
}

void JsonKeys::read(const char *key, std::set<std::string> &setting,
                    bool (*isKnown)(const std::string &name))
{
    const auto *value = take(key);
    if (!value) {
        return;
    }
    if (!value->is_array()) {
        wrongType(key, "a list of names", *value);
        return;
    }
    const auto notText = std::find_if(value->begin(), value->end(),
                                      [](const nlohmann::json &item) { return !item.is_string(); });
    if (notText != value->end()) {
        // Half a list would refuse setters the file's author did not mean to single out.
        problem(key,
                std::string("expected a list of names, found ") + notText->type_name()
                    + " in it; built-in value kept");
        return;
    }
    std::set<std::string> names;
    for (const auto &item : *value) {
        const auto name = item.get<std::string>();
        if (isKnown(name)) {
            names.insert(name);
        } else {
            problem(key, "\"" + shownText(name) + "\" is not known; ignored");
        }
    }
    setting = names;
}

std::optional<JsonKeys> JsonKeys::section(const char *key)
{
    const auto *value = take(key);
    if (!value) {
        return std::nullopt;
    }
    if (!value->is_object()) {
        wrongType(key, "an object", *value);
        return std::nullopt;
    }
    return JsonKeys(*value, keyPath + key + '.', fileLabel, problems, asked);
}

std::vector<std::pair<std::string, JsonKeys>> JsonKeys::sections()
{
    std::vector<std::pair<std::string, JsonKeys>> members;
    for (const auto &member : object.items()) {
        taken.insert(member.key());
        if (member.value().is_object()) {
            members.emplace_back(
                member.key(),
                JsonKeys(member.value(), keyPath + member.key() + '.', fileLabel, problems, asked));
        } else {
            wrongType(member.key(), "an object", member.value());
        }
    }
    return members;
}

void JsonKeys::finish()
{
    for (const auto &member : object.items()) {
        if (taken.count(member.key()) == 0) {
            problem(member.key(), "unknown key; ignored");
        }
    }
}

const nlohmann::json *JsonKeys::take(const char *key)
{
    taken.insert(key);
    if (asked) {
        asked->insert(keyPath + key);
    }
    const auto found = object.find(key);
    return found != object.end() ? &*found : nullptr;
}

std::optional<long long> JsonKeys::integer(const char *key, long long minimum, long long maximum)
{
    const auto *value = take(key);
    if (!value) {
        return std::nullopt;
    }
    const bool tooLarge = value->is_number_unsigned()
        && value->get<unsigned long long>() > static_cast<unsigned long long>(maximum);
    if (value->is_number_integer() && !tooLarge) {
        const auto number = value->get<long long>();
        if (number >= minimum && number <= maximum) {
            return number;
        }
    }
    // JSON has one kind of number: 1e2 and 100.0 are the integer 100 as much as 100 is.
    if (value->is_number_float()) {
        const double number = value->get<double>();
        // The cast is defined only below 2^63, whatever the bounds round to as doubles.
        constexpr double twoTo63 = 9223372036854775808.0;
        const bool fitsLongLong = number > -twoTo63 && number < twoTo63;
        if (fitsLongLong && std::trunc(number) == number && number >= static_cast<double>(minimum)
            && number <= static_cast<double>(maximum)) {
            return static_cast<long long>(number);
        }
    }
    const std::string expected
        = "an integer from " + std::to_string(minimum) + " to " + std::to_string(maximum);
    if (value->is_number()) {
        problem(key,
                "expected " + expected + ", found " + shownText(value->dump())
                    + "; built-in value kept");
    } else {
        wrongType(key, expected.c_str(), *value);
    }
    return std::nullopt;
}

void JsonKeys::problem(const std::string &key, const std::string &what)
{
    problems.push_back("configuration file \"" + shownText(fileLabel) + "\", key \""
                       + shownText(keyPath + key) + "\": " + what);
}

void JsonKeys::wrongType(const std::string &key, const char *expected, const nlohmann::json &found)
{
    problem(key,
            std::string("expected ") + expected + ", found " + found.type_name()
                + "; built-in value kept");
}

} // namespace nivaro_sim
