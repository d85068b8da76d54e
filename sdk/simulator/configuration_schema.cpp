#include "configuration_schema.h"

#include "configuration_schema_text.h"
#include "escaped_text.h"

#include <algorithm>
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

    const Json &schema;
    valijson::Schema validator;
    std::map<std::string, std::unique_ptr<SchemaNode>> members;
    std::unique_ptr<SchemaNode> anyMember; // null: only the named members are known
    std::unique_ptr<SchemaNode> items;
};

// The validator passes a sound object, port or list in one call, however large; only a value
// it refuses is looked into, and only as deep as the refusal goes.
class Pruner
{
public:
    explicit Pruner(ProblemLines &problems) : problems(problems) { }

    // Whether the value, or what is left of it, stays.
    bool keep(const SchemaNode &node, Json &value, const std::string &path)
    {
        if (accepts(node, value)) {
            return true;
        }
        if (value.is_object() && node.takes(value)) {
            std::vector<std::string> leftOut;
            for (auto &[key, member] : value.items()) {
                const std::string memberPath = keyPath(path, key);
                const SchemaNode *memberNode = node.member(key);
                if (!memberNode) {
                    problems.add(ProblemLines::unknownKey, memberPath, "unknown key; ignored");
                }
                if (!memberNode || !keep(*memberNode, member, memberPath)) {
                    leftOut.push_back(key);
                }
            }
            for (const std::string &key : leftOut) {
                value.erase(key);
            }
            return true;
        }
        const bool list = value.is_array() && node.items;
        const auto wrongItem = !list
            ? value.end()
            : std::find_if(value.begin(), value.end(),
                           [&node](const Json &item) { return !node.items->takes(item); });
        if (list && wrongItem == value.end()) {
            Json kept = Json::array();
            for (Json &item : value) {
                if (accepts(*node.items, item)) {
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
        const bool numbers = node.takes(0.5) || node.takes(0);
        const std::string found = list     ? std::string(wrongItem->type_name()) + " in it"
            : value.is_number() && numbers ? shownText(value.dump())
                                           : value.type_name();
        problems.add(ProblemLines::unusableValue, path,
                     "expected " + node.expected() + ", found " + found + "; built-in value kept");
        return false;
    }

private:
    bool accepts(const SchemaNode &node, const Json &value)
    {
        return validator.validate(node.validator, NlohmannJsonAdapter(value), nullptr);
    }

    ProblemLines &problems;
    valijson::Validator validator;
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
    Pruner(problems).keep(root, document, "");
}

} // namespace nivaro_sim
