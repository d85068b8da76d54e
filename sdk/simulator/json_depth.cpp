#include "json_depth.h"

#include <nlohmann/json.hpp>

namespace nivaro_sim {
namespace {

class DepthGauge final : public nlohmann::json_sax<nlohmann::json>
{
public:
    bool tooDeep = false;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t &) override { return true; }
    bool string(string_t &) override { return true; }
    bool binary(binary_t &) override { return true; }
    bool key(string_t &) override { return true; }
    bool start_object(std::size_t) override { return enter(); }
    bool start_array(std::size_t) override { return enter(); }
    bool end_object() override { return leave(); }
    bool end_array() override { return leave(); }
    bool parse_error(std::size_t, const std::string &, const nlohmann::json::exception &) override
    {
        return false;
    }

private:
    bool enter()
    {
        tooDeep = ++depth > deepestNesting;
        return !tooDeep;
    }

    bool leave()
    {
        --depth;
        return true;
    }

    int depth = 0;
};

} // namespace

bool nestsTooDeep(const std::string &text)
{
    DepthGauge gauge;
    nlohmann::json::sax_parse(text, &gauge);
    return gauge.tooDeep;
}

} // namespace nivaro_sim
