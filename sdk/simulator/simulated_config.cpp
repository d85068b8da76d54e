#include "simulated_config.h"

namespace nivaro_sim {

SimulatedConfig::SimulatedConfig(const ConfigurationValues &values, TraceSink &trace)
    : values(values), trace(trace)
{
    restoreBuiltInMembers();
}

void SimulatedConfig::restoreBuiltInMembers()
{
    currentGsk = 2;
    currentGms = 50;
    currentGfid = 500;
    currentTint = 1;
    sensorWidth = 1280;
    sensorHeight = 1024;
    gskMin = 1;
    gskMax = 3;
    gfidMin = 0;
    gfidMax = 1000;
    tintMin = 0;
    tintMax = 2;
    gmsMin = 0;
    gmsMax = 100000;
}

const char *SimulatedConfig::GetLinkType()
{
    return answer("GetLinkType", values.linkTypeIsNull ? nullptr : values.linkType.c_str());
}

bool SimulatedConfig::IsExpertModeEnabled()
{
    return answer("IsExpertModeEnabled", values.expertMode);
}

} // namespace nivaro_sim
