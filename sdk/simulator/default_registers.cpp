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

// Register values in the camera's units, saturated to the register's range.
uint32_t toFixed16_16(double value)
{
    return saturatedRegister(std::round(value * 65536.0));
}

uint32_t toFixed8_8(double value)
{
    return saturatedRegister(std::round(value * 256.0));
}

uint32_t truncatedToRegister(double value)
{
    return saturatedRegister(std::trunc(value));
}

} // namespace

Registers registersFromConfiguration(const ConfigurationValues &values)
{
    Registers registers;
    registers.gamma = toFixed16_16(values.gamma);
    registers.clhe = truncatedToRegister(values.clhe);
    registers.sharpening = toFixed8_8(values.sharpening);
    registers.roiX1 = truncatedToRegister(values.roiX1);
    registers.roiY1 = truncatedToRegister(values.roiY1);
    registers.roiX2 = truncatedToRegister(values.roiX2);
    registers.roiY2 = truncatedToRegister(values.roiY2);
    registers.polarity = values.polarity;
    registers.zoom = {values.zoomFactor, values.zoomCenterX, values.zoomCenterY, values.zoomMethod};
    registers.contrastType = values.contrastType;
    registers.horizontalFlip = values.horizontalFlip;
    registers.verticalFlip = values.verticalFlip;
    registers.vignettingCorrection = values.vignettingCorrection;
    registers.columnCorrection = values.columnCorrection;
    registers.gsk = values.gsk;
    registers.gfid = values.gfid;
    registers.gms = values.gms;
    registers.tint = values.tint;
    registers.ia = {values.iaResizeMode, values.iaMaxBoxes, values.iaSensitivity, values.iaIou,
                    values.iaOutputType};
    return registers;
}

} // namespace nivaro_sim
