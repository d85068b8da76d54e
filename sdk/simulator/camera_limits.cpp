#include "camera_limits.h"

namespace nivaro_sim::limits {

bool roiXAccepted(uint32_t x)
{
    return x >= roiMinimum && x <= roiXMaximum;
}

bool roiYAccepted(uint32_t y)
{
    return y >= roiMinimum && y <= roiYMaximum;
}

bool zoomAccepted(const nivaro_sdk::ZoomConfig &zoom)
{
    // Written so that a NaN factor fails both comparisons and is refused.
    const bool factorAccepted
        = zoom.zoomFactor >= zoomFactorMinimum && zoom.zoomFactor <= zoomFactorMaximum;
    return factorAccepted && zoom.interpolationMethod <= 1;
}

bool contrastTypeAccepted(uint8_t type)
{
    return type <= 1;
}

bool nucStateAccepted(uint8_t state)
{
    return state == nucDisabled || state == nucEnabled;
}

bool iaConfigAccepted(const nivaro_sdk::IaConfig &config)
{
    return config.resizeMode <= iaResizeModeMaximum && config.maxBoxes <= iaPercentMaximum
        && config.sensitivity <= iaPercentMaximum && config.iouThreshold <= iaPercentMaximum
        && config.outputType <= iaOutputTypeMaximum;
}

bool withinBounds(int32_t value, int32_t minimum, int32_t maximum)
{
    return value >= minimum && value <= maximum;
}

} // namespace nivaro_sim::limits
