#pragma once

#include "nivaro_config.h"
#include "simulator_control.h"
#include "trace_sink.h"

namespace nivaro_sim {

// The one configuration object of the process. Its answers are read live from the
// values it is given, so a change made through the control interface shows at once.
class SimulatedConfig final : public nivaro_sdk::INivaroConfig
{
public:
    SimulatedConfig(const ConfigurationValues &values, TraceSink &trace);

    // The built-in Expert current values and bounds, and the sensor size.
    void restoreBuiltInMembers();

    const char *GetLinkType() override;
    double GetDefaultGamma() override;
    double GetDefaultClhe() override;
    double GetDefaultSharpening() override;
    int32_t GetDefaultGsk() override;
    int32_t GetDefaultGfid() override;
    int32_t GetDefaultTint() override;
    int32_t GetDefaultGms() override;
    double GetDefaultRoiX1() override;
    double GetDefaultRoiY1() override;
    double GetDefaultRoiX2() override;
    double GetDefaultRoiY2() override;
    uint8_t GetDefaultContrastType() override;
    bool GetDefaultPolarity() override;
    float GetDefaultZoomFactor() override;
    uint8_t GetDefaultZoomMethod() override;
    int32_t GetDefaultZoomCenterX() override;
    int32_t GetDefaultZoomCenterY() override;
    bool GetDefaultHorizontalFlip() override;
    bool GetDefaultVerticalFlip() override;
    bool GetDefaultVignettingCorrection() override;
    bool GetDefaultColumnCorrection() override;
    uint8_t GetDefaultIaMaxBoxes() override;
    uint8_t GetDefaultIaSensitivity() override;
    uint8_t GetDefaultIaIou() override;
    uint8_t GetDefaultIaResizeMode() override;
    uint8_t GetDefaultIaOutputType() override;
    bool IsExpertModeEnabled() override;

private:
    template<typename Value> Value answer(const char *operation, Value value);

    const ConfigurationValues &values;
    TraceSink &trace;
};

} // namespace nivaro_sim
