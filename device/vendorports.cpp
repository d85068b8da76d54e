#include "device/portsources.h"

namespace portsources {

PortSource sdkPorts()
{
    return systemPorts;
}

} // namespace portsources
