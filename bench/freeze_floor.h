#pragma once

namespace nivaro_sdk {
class INivaroCamera;
class INivaroConnection;
} // namespace nivaro_sdk

// The SDK calls the window makes, with the same arguments, made straight on the SDK with no
// window at all: what a freeze would be if the window itself cost nothing.
namespace freeze_floor {

struct Link
{
    nivaro_sdk::INivaroConnection *connection = nullptr;
    nivaro_sdk::INivaroCamera *camera = nullptr; // nullptr when no camera answered
};

// A connection to the camera on a port and its first reads, as the Connect button does.
Link connect(const char *port);

// The camera and the connection handed back, as the Disconnect button does.
void disconnect(Link &link);

// The User write of the values a fresh connection reads, as the Write button does.
void writeUser(nivaro_sdk::INivaroCamera &camera);

} // namespace freeze_floor
