#include "configuration_reading.h"

#include "configuration_schema_text.h"
#include "escaped_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <valijson/adapters/nlohmann_json_adapter.hpp>
#include <valijson/schema.hpp>
#include <valijson/schema_parser.hpp>
#include <valijson/validator.hpp>
#include <vector>

namespace nivaro_sim {
namespace {

using Json = nlohmann::json;
using valijson::adapters::NlohmannJsonAdapter;

constexpr std::size_t listedPerKind = 20;

class DocumentBuilder final : public nlohmann::json_sax<Json>
{
public:
    DocumentBuilder(Json &document, std::vector<std::string> &memberOrder,
                    std::string orderedMember, ProblemLines &problems)
        : document(document)
        , memberOrder(memberOrder)
        , orderedMember(std::move(orderedMember))
        , problems(problems)
    { }

    std::string failure;

    bool null() override { return value(nullptr); }
    bool boolean(bool truth) override { return value(truth); }
    bool number_integer(number_integer_t number) override { return value(number); }
    bool number_unsigned(number_unsigned_t number) override { return value(number); }
    bool number_float(number_float_t number, const string_t &) override
    {
        // JSON has one kind of number: 1e2 and 100.0 are the integer 100 as much as 100 is.
        constexpr double twoTo63 = 9223372036854775808.0;
        const bool integral = std::trunc(number) == number && std::fabs(number) < twoTo63;
        return integral ? value(static_cast<number_integer_t>(number)) : value(number);
    }
    bool string(string_t &text) override { return value(std::move(text)); }
    bool binary(binary_t &) override { return value(nullptr); } // JSON text holds none
    bool start_object(std::size_t) override { return open(Json::object()); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t &name) override
    {
        if (skippedDepth > 0) {
            return true;
        }
        if (opened.back().container->contains(name)) {
            problems.add(ProblemLines::givenTwice, pathTo(name),
                         "given more than once; the first kept, this one ignored");
            skipNext = true;
        } else {
            if (opened.size() == 2 && opened.front().key == orderedMember) {
                memberOrder.push_back(name);
            }
            opened.back().key = std::move(name);
        }
        return true;
    }

    bool parse_error(std::size_t, const std::string &, const Json::exception &error) override
    {
        // Not only syntax errors: a number beyond a double's range (1e400) is refused too.
        failure = "malformed JSON (" + shownText(error.what()) + ')';
        return false;
    }

private:
    struct Open
    {
        Json *container; // held while open: a container grows only once its last item is closed
        std::string key; // in an object, the key of the value being read
    };

    Json &place(Json &&next)
    {
        if (opened.empty()) {
            return document = std::move(next);
        }
        Json &container = *opened.back().container;
        Json &placed
            = container.is_object() ? container[opened.back().key] : container.emplace_back();
        return placed = std::move(next);
    }

    // Whether the value that starts now is left out: it lies in one left out, or follows a key
    // given twice.
    bool leftOut() { return skippedDepth > 0 || std::exchange(skipNext, false); }

    bool value(Json &&next)
    {
        if (!leftOut()) {
            place(std::move(next));
        }
        return true;
    }

    bool open(Json &&container)
    {
        if (opened.size() + skippedDepth >= deepestNesting) {
            failure
                = "objects and arrays nested more than " + std::to_string(deepestNesting) + " deep";
            return false;
        }
        if (leftOut()) {
            ++skippedDepth;
        } else {
            opened.push_back({&place(std::move(container)), {}});
        }
        return true;
    }

    bool close()
    {
        if (skippedDepth > 0) {
            --skippedDepth;
        } else {
            opened.pop_back();
        }
        return true;
    }

    // A key's dotted path, an item of a list as [index].
    std::string pathTo(const std::string &name) const
    {
        std::string path;
        for (std::size_t level = 0; level + 1 < opened.size(); ++level) {
            const Open &outer = opened[level];
            path = outer.container->is_object()
                ? keyPath(path, outer.key)
                : path.append(1, '[')
                      .append(std::to_string(outer.container->size() - 1))
                      .append(1, ']');
        }
        return keyPath(path, name);
    }

    Json &document;
    std::vector<std::string> &memberOrder;
    std::string orderedMember;
    ProblemLines &problems;
    std::vector<Open> opened;
    std::size_t skippedDepth = 0; // how deep inside a value left out
    bool skipNext = false; // the next value is left out
};

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

ProblemLines::ProblemLines(const std::string &fileLabel)
    : fileText("configuration file \"" + shownText(fileLabel) + '"')
{ }

void ProblemLines::add(Kind kind, const std::string &keyPath, const std::string &what)
{
    if (++counts[kind] <= listedPerKind) {
        listed.push_back(fileText + ", key \"" + shownText(keyPath) + "\": " + what);
    }
}

std::vector<std::string> ProblemLines::lines() const
{
    static const char *const plurals[kinds]
        = {"unknown keys", "keys given more than once", "values that cannot be used",
           "unknown names", "port names that cannot be used"};
    std::vector<std::string> all = listed;
    for (int kind = 0; kind < kinds; ++kind) {
        if (counts[kind] > listedPerKind) {
            all.push_back(fileText + ": " + std::to_string(counts[kind] - listedPerKind) + " more "
                          + plurals[kind] + ", not listed one by one");
        }
    }
    return all;
}

std::string readJson(const std::string &text, const std::string &orderedMember, Json &document,
                     std::vector<std::string> &memberOrder, ProblemLines &problems)
{
    DocumentBuilder builder(document, memberOrder, orderedMember, problems);
    Json::sax_parse(text, &builder);
    return builder.failure;
}

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
