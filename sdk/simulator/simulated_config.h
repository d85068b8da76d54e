#pragma once

#include "nivaro_config.h"
#include "simulator_control.h"
#include "trace_format.h"
#include "trace_sink.h"

namespace nivaro_sim {

// The one configuration object of the process. Its answers are read live from the
// values it is given, so a change made through the control interface shows at once.
class SimulatedConfig final : public nivaro_sdk::INivaroConfig
{
public:
    SimulatedConfig(const ConfigurationValues &values, TraceSink &trace);

    // The Expert current values and bounds, and the sensor size.
    void storeMembers(const ConfigurationMembers &members);

    const char *GetLinkType() override
    {
        return answer("GetLinkType", values.linkTypeIsNull ? nullptr : values.linkType.c_str());
    }
#define NIVARO_SIM_GETTER(type, key, getter, ...)                                                  \
    type GetDefault##getter() override                                                             \
    {                                                                                              \
        return answer("GetDefault" #getter, values.key);                                           \
    }
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_GETTER)
#undef NIVARO_SIM_GETTER
    bool IsExpertModeEnabled() override
    {
        return answer("IsExpertModeEnabled", values.expertMode);
    }

private:
    template<typename Value> Value answer(const char *operation, Value value)
    {
        trace.call("config", operation, "", traceText(value));
        return value;
    }

    const ConfigurationValues &values;
    TraceSink &trace;
};

} // namespace nivaro_sim
