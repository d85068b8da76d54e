#include "configuration_reading.h"
#include "escaped_text.h"

#include <cmath>
#include <utility>

namespace nivaro_sim {
namespace {

using Json = nlohmann::json;

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

    bool value(Json &&next)
    {
        if (skippedDepth == 0 && !std::exchange(skipNext, false)) {
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
        if (skippedDepth > 0 || std::exchange(skipNext, false)) {
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

} // namespace

std::string readJson(const std::string &text, const std::string &orderedMember, Json &document,
                     std::vector<std::string> &memberOrder, ProblemLines &problems)
{
    DocumentBuilder builder(document, memberOrder, orderedMember, problems);
    Json::sax_parse(text, &builder);
    return builder.failure;
}

} // namespace nivaro_sim
