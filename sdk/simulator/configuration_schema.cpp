#include "configuration_reading.h"
#include "configuration_schema_text.h"
#include "escaped_text.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <valijson/adapters/nlohmann_json_adapter.hpp>
#include <valijson/schema.hpp>
#include <valijson/schema_parser.hpp>
#include <valijson/validator.hpp>
#include <vector>

namespace nivaro_sim {
namespace {

using Json = nlohmann::json;
using valijson::adapters::NlohmannJsonAdapter;

// A value's schema with its validator, and the schemas of what the value holds.
struct SchemaNode
{
    explicit SchemaNode(const Json &schema) : schema(schema)
    {
        valijson::SchemaParser(valijson::SchemaParser::kDraft7)
            .populateSchema(NlohmannJsonAdapter(schema), validator);
        if (schema.contains("properties")) {
            for (const auto &[key, member] : schema["properties"].items()) {
                members.emplace(key, std::make_unique<SchemaNode>(member));
            }
        }
        if (schema.value("additionalProperties", Json()).is_object()) {
            anyMember = std::make_unique<SchemaNode>(schema["additionalProperties"]);
        }
        if (schema.contains("items")) {
            items = std::make_unique<SchemaNode>(schema["items"]);
        }
    }

    // Null for a key the schema does not know.
    const SchemaNode *member(const std::string &key) const
    {
        const auto named = members.find(key);
        return named != members.end() ? named->second.get() : anyMember.get();
    }

    bool takes(const Json &value) const
    {
        return std::any_of(schema["type"].begin(), schema["type"].end(),
                           [&value](const Json &type) {
                               return type == "integer" ? value.is_number_integer()
                                   : type == "number"   ? value.is_number()
                                                        : type == value.type_name();
                           });
    }

    // "an integer from 0 to 255", "a text or null", "a list of texts"
    std::string expected(bool plural = false) const
    {
        static const std::map<std::string, std::string> nouns {
            {"integer", "an integer"},    {"number", "a number"}, {"string", "a text"},
            {"boolean", "true or false"}, {"null", "null"},       {"object", "an object"},
            {"array", "a list"}};
        std::string phrase;
        for (const Json &type : schema["type"]) {
            const std::string &noun = nouns.at(type.get<std::string>());
            phrase += (phrase.empty() ? "" : " or ")
                + (plural ? noun.substr(noun.find(' ') + 1) + 's' : noun);
        }
        if (items) {
            phrase += " of " + items->expected(true);
        }
        if (schema.contains("maximum")) {
            phrase += " from " + schema["minimum"].dump() + " to " + schema["maximum"].dump();
        }
        return phrase;
    }

    bool accepts(const Json &value) const
    {
        return valijson::Validator().validate(validator, NlohmannJsonAdapter(value), nullptr);
    }

    // Leaves in value what the schema accepts, and answers whether the value, or what is left of
    // it, stays. The validator passes a sound object, port or list in one call, however large;
    // only a value it refuses is looked into, and only as deep as the refusal goes.
    bool keep(Json &value, const std::string &path, ProblemLines &problems) const
    {
        if (accepts(value)) {
            return true;
        }
        if (value.is_object() && takes(value)) {
            for (auto entry = value.begin(); entry != value.end();) {
                const std::string memberPath = keyPath(path, entry.key());
                const SchemaNode *memberNode = member(entry.key());
                if (!memberNode) {
                    problems.add(ProblemLines::unknownKey, memberPath, "unknown key; ignored");
                }
                const bool kept = memberNode && memberNode->keep(*entry, memberPath, problems);
                entry = kept ? std::next(entry) : value.erase(entry);
            }
            return true;
        }
        const bool list = value.is_array() && items;
        const auto wrongItem = !list
            ? value.end()
            : std::find_if(value.begin(), value.end(),
                           [this](const Json &item) { return !items->takes(item); });
        if (list && wrongItem == value.end()) {
            Json kept = Json::array();
            for (Json &item : value) {
                if (items->accepts(item)) {
                    kept.push_back(std::move(item));
                } else {
                    problems.add(ProblemLines::unknownName, path,
                                 '"' + shownText(item.get<std::string>())
                                     + "\" is not known; ignored");
                }
            }
            value = std::move(kept);
            return true;
        }
        // A number out of range is better named by its value than by its type.
        const bool numbers = takes(0.5) || takes(0);
        const std::string found = list     ? std::string(wrongItem->type_name()) + " in it"
            : value.is_number() && numbers ? shownText(value.dump())
                                           : value.type_name();
        problems.add(ProblemLines::unusableValue, path,
                     "expected " + expected() + ", found " + found + "; built-in value kept");
        return false;
    }

    const Json &schema;
    valijson::Schema validator;
    std::map<std::string, std::unique_ptr<SchemaNode>> members;
    std::unique_ptr<SchemaNode> anyMember; // null: only the named members are known
    std::unique_ptr<SchemaNode> items;
};

} // namespace

const Json &configurationSchema()
{
    static const Json schema = Json::parse(configurationSchemaText);
    return schema;
}

void keepWhatTheSchemaAccepts(Json &document, ProblemLines &problems)
{
    static const SchemaNode root(configurationSchema());
    root.keep(document, "", problems);
}

} // namespace nivaro_sim
