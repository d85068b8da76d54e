#pragma once

#include "recent_window.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace nivaro_sdk {
class INivaroCamera;
class INivaroConnection;
} // namespace nivaro_sdk

namespace nivaro_sim {

class ReturnedObjects;
class SimulatedCamera;
class SimulatedConnection;

// The name an object the SDK hands out goes by, and what becomes of its uses once the
// program has handed it back.
class HandedOut
{
public:
    explicit HandedOut(std::string name);

    // Its name while in use ("camera[COM3]").
    const std::string &name() const { return inUse; }
    // Its name in the trace: "returned camera[COM3]" once handed back.
    const std::string &traceName() const { return traced; }

    // `how` names the operation that handed it back ("CloseCamera").
    void handBack(ReturnedObjects &store, const char *how);
    bool isHandedBack() const { return store != nullptr; }

    // "connection#1.CloseCamera(camera[COM3])" is recorded as "… after CloseCamera".
    void recordUse(const std::string &use) const;
    // True, with "<name>.<operation>" recorded, once the object was handed back.
    bool recordIfHandedBack(const char *operation) const;

private:
    std::string inUse;
    std::string traced;
    ReturnedObjects *store = nullptr;
    const char *how = nullptr;
};

// Cameras and connections the program handed back. Freeing them at once would turn a
// later use into a silent use-after-free that only a sanitizer sees; the latest few stay
// alive instead, answer like a silent camera and report every use. Older ones are freed,
// so a session of any length holds a bounded number.
class ReturnedObjects
{
public:
    static constexpr std::size_t kept = 16;

    ReturnedObjects();
    ~ReturnedObjects();
    ReturnedObjects(const ReturnedObjects &) = delete;
    ReturnedObjects &operator=(const ReturnedObjects &) = delete;

    // `how` names the operation that handed the object back ("CloseCamera").
    void keep(std::unique_ptr<SimulatedCamera> camera, const char *how);
    void keep(std::unique_ptr<SimulatedConnection> connection);

    // The returned object behind a pointer the program passes, or null.
    const SimulatedCamera *camera(const nivaro_sdk::INivaroCamera *pointer) const;
    const SimulatedConnection *connection(const nivaro_sdk::INivaroConnection *pointer) const;

    void recordUse(std::string use);
    std::vector<std::string> uses() const;

    void forget();

private:
    std::deque<std::unique_ptr<SimulatedCamera>> cameras;
    std::deque<std::unique_ptr<SimulatedConnection>> connections;
    RecentWindow<std::string> recordedUses;
};

} // namespace nivaro_sim
