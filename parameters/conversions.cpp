#include "parameters/conversions.h"

#include <cmath>
#include <limits>

namespace conversions {

namespace {

template<typename Int> Int saturatingTruncate(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr auto lowest = static_cast<double>(std::numeric_limits<Int>::lowest());
    constexpr auto highest = static_cast<double>(std::numeric_limits<Int>::max());
    if (value <= lowest)
        return std::numeric_limits<Int>::lowest();
    if (value >= highest)
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(value);
}

} // namespace

int saturatingToInt(double value)
{
    return saturatingTruncate<int>(value);
}

int saturatingToInt(uint32_t value)
{
    constexpr auto highest = static_cast<uint32_t>(std::numeric_limits<int>::max());
    return value > highest ? std::numeric_limits<int>::max() : static_cast<int>(value);
}

int32_t saturatingToInt32(double value)
{
    return saturatingTruncate<int32_t>(value);
}

uint32_t saturatingToUint32(double value)
{
    return saturatingTruncate<uint32_t>(value);
}

uint32_t saturatingToUint32(int value)
{
    return value < 0 ? 0 : static_cast<uint32_t>(value);
}

uint8_t lowByte(int value)
{
    return static_cast<uint8_t>(value & 0xFF);
}

int roundToInt(double value)
{
    return saturatingToInt(std::round(value));
}

uint32_t toFixed16_16(double value)
{
    return saturatingToUint32(value * 65536.0);
}

uint32_t toFixed8_8(double value)
{
    return saturatingToUint32(value * 256.0);
}

float fromFixed16_16(uint32_t raw)
{
    return static_cast<float>(raw) * (1.0f / 65536.0f);
}

float fromFixed8_8(uint32_t raw)
{
    return static_cast<float>(raw) * (1.0f / 256.0f);
}

double gammaFromPosition(int position)
{
    return position * 0.1 + 0.5;
}

int gammaToPosition(double gamma)
{
    return roundToInt((gamma - 0.5) * 10);
}

double sharpeningFromPosition(int position)
{
    return position * 0.1;
}

int sharpeningToPosition(double sharpening)
{
    return roundToInt(sharpening * 10);
}

} // namespace conversions
