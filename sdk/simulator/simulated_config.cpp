#include "simulated_config.h"

namespace nivaro_sim {

SimulatedConfig::SimulatedConfig(const ConfigurationValues &values, TraceSink &trace)
    : values(values), trace(trace)
{
    storeMembers(ConfigurationMembers {});
}

void SimulatedConfig::storeMembers(const ConfigurationMembers &members)
{
#define NIVARO_SIM_STORE(key, Name)                                                                \
    current##Name = members.key.current;                                                           \
    key##Min = members.key.minimum;                                                                \
    key##Max = members.key.maximum;
    NIVARO_SIM_EXPERT(NIVARO_SIM_STORE)
#undef NIVARO_SIM_STORE
    sensorWidth = members.sensorWidth;
    sensorHeight = members.sensorHeight;
}

} // namespace nivaro_sim
