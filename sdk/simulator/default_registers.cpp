#include "default_registers.h"

#include <cmath>
#include <limits>

namespace nivaro_sim {
namespace {

uint32_t saturatedRegister(double value)
{
    constexpr double highest = std::numeric_limits<uint32_t>::max();
    if (!(value > 0.0)) {
        return 0;
    }
    return value >= highest ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(value);
}

// Register values in the camera's units, rounded to the nearest and saturated to the register's
// range: a new camera holds the unit nearest its default.
uint32_t roundedToFixed16_16(double value)
{
    return saturatedRegister(std::round(value * 65536.0));
}

uint32_t roundedToFixed8_8(double value)
{
    return saturatedRegister(std::round(value * 256.0));
}

uint32_t truncated(double value)
{
    return saturatedRegister(std::trunc(value));
}

template<typename Value> Value asIs(Value value)
{
    return value;
}

} // namespace

Registers registersFromConfiguration(const ConfigurationValues &values)
{
    Registers registers;
#define NIVARO_SIM_START(type, key, getter, target, convert) registers.target = convert(values.key);
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_START)
#undef NIVARO_SIM_START
    return registers;
}

} // namespace nivaro_sim
