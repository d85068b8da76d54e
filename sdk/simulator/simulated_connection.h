#pragma once

#include "camera_ports.h"
#include "nivaro_connection.h"
#include "returned_objects.h"
#include "simulated_camera.h"
#include "trace_sink.h"

#include <memory>
#include <string>
#include <vector>

namespace nivaro_sim {

// One connection attempt; it owns the cameras opened through it until they are closed.
class SimulatedConnection final : public nivaro_sdk::INivaroConnection
{
public:
    SimulatedConnection(int number, CameraPorts &ports, TraceSink &trace,
                        ReturnedObjects &returned);

    const HandedOut &handedOut() const { return self; }

    nivaro_sdk::INivaroCamera *OpenCamera(const char *portName) override;
    void CloseCamera(nivaro_sdk::INivaroCamera *camera) override;

    // Released by the program: its cameras and itself are handed back (see SimulatedCamera).
    void handBack();

private:
    HandedOut self;
    CameraPorts &ports;
    TraceSink &trace;
    ReturnedObjects &returned;
    std::vector<std::unique_ptr<SimulatedCamera>> cameras;
};

} // namespace nivaro_sim
