#include "simulated_config.h"

#include "trace_format.h"

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

template<typename Value> Value SimulatedConfig::answer(const char *operation, Value value)
{
    trace.call("config", operation, "", traceText(value));
    return value;
}

const char *SimulatedConfig::GetLinkType()
{
    return answer("GetLinkType", values.linkTypeIsNull ? nullptr : values.linkType.c_str());
}

double SimulatedConfig::GetDefaultGamma()
{
    return answer("GetDefaultGamma", values.gamma);
}

double SimulatedConfig::GetDefaultClhe()
{
    return answer("GetDefaultClhe", values.clhe);
}

double SimulatedConfig::GetDefaultSharpening()
{
    return answer("GetDefaultSharpening", values.sharpening);
}

int32_t SimulatedConfig::GetDefaultGsk()
{
    return answer("GetDefaultGsk", values.gsk);
}

int32_t SimulatedConfig::GetDefaultGfid()
{
    return answer("GetDefaultGfid", values.gfid);
}

int32_t SimulatedConfig::GetDefaultTint()
{
    return answer("GetDefaultTint", values.tint);
}

int32_t SimulatedConfig::GetDefaultGms()
{
    return answer("GetDefaultGms", values.gms);
}

double SimulatedConfig::GetDefaultRoiX1()
{
    return answer("GetDefaultRoiX1", values.roiX1);
}

double SimulatedConfig::GetDefaultRoiY1()
{
    return answer("GetDefaultRoiY1", values.roiY1);
}

double SimulatedConfig::GetDefaultRoiX2()
{
    return answer("GetDefaultRoiX2", values.roiX2);
}

double SimulatedConfig::GetDefaultRoiY2()
{
    return answer("GetDefaultRoiY2", values.roiY2);
}

uint8_t SimulatedConfig::GetDefaultContrastType()
{
    return answer("GetDefaultContrastType", values.contrastType);
}

bool SimulatedConfig::GetDefaultPolarity()
{
    return answer("GetDefaultPolarity", values.polarity);
}

float SimulatedConfig::GetDefaultZoomFactor()
{
    return answer("GetDefaultZoomFactor", values.zoomFactor);
}

uint8_t SimulatedConfig::GetDefaultZoomMethod()
{
    return answer("GetDefaultZoomMethod", values.zoomMethod);
}

int32_t SimulatedConfig::GetDefaultZoomCenterX()
{
    return answer("GetDefaultZoomCenterX", values.zoomCenterX);
}

int32_t SimulatedConfig::GetDefaultZoomCenterY()
{
    return answer("GetDefaultZoomCenterY", values.zoomCenterY);
}

bool SimulatedConfig::GetDefaultHorizontalFlip()
{
    return answer("GetDefaultHorizontalFlip", values.horizontalFlip);
}

bool SimulatedConfig::GetDefaultVerticalFlip()
{
    return answer("GetDefaultVerticalFlip", values.verticalFlip);
}

bool SimulatedConfig::GetDefaultVignettingCorrection()
{
    return answer("GetDefaultVignettingCorrection", values.vignettingCorrection);
}

bool SimulatedConfig::GetDefaultColumnCorrection()
{
    return answer("GetDefaultColumnCorrection", values.columnCorrection);
}

uint8_t SimulatedConfig::GetDefaultIaMaxBoxes()
{
    return answer("GetDefaultIaMaxBoxes", values.iaMaxBoxes);
}

uint8_t SimulatedConfig::GetDefaultIaSensitivity()
{
    return answer("GetDefaultIaSensitivity", values.iaSensitivity);
}

uint8_t SimulatedConfig::GetDefaultIaIou()
{
    return answer("GetDefaultIaIou", values.iaIou);
}

uint8_t SimulatedConfig::GetDefaultIaResizeMode()
{
    return answer("GetDefaultIaResizeMode", values.iaResizeMode);
}

uint8_t SimulatedConfig::GetDefaultIaOutputType()
{
    return answer("GetDefaultIaOutputType", values.iaOutputType);
}

bool SimulatedConfig::IsExpertModeEnabled()
{
    return answer("IsExpertModeEnabled", values.expertMode);
}

} // namespace nivaro_sim
