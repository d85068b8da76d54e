#include "returned_objects.h"

#include "simulated_camera.h"
#include "simulated_connection.h"

#include <algorithm>
#include <utility>

namespace nivaro_sim {

namespace {

template<typename Object>
void keepLatest(std::deque<std::unique_ptr<Object>> &objects, std::unique_ptr<Object> object)
{
    if (objects.size() == ReturnedObjects::kept) {
        objects.pop_front();
    }
    objects.push_back(std::move(object));
}

template<typename Object, typename Pointer>
const Object *find(const std::deque<std::unique_ptr<Object>> &objects, const Pointer *pointer)
{
    const auto kept = std::find_if(objects.begin(), objects.end(), [pointer](const auto &object) {
        return static_cast<const Pointer *>(object.get()) == pointer;
    });
    return pointer && kept != objects.end() ? kept->get() : nullptr;
}

} // namespace

HandedOut::HandedOut(std::string name) : inUse(std::move(name)), traced(inUse) { }

void HandedOut::handBack(ReturnedObjects &returnedTo, const char *handedBackBy)
{
    store = &returnedTo;
    how = handedBackBy;
    traced = "returned " + inUse;
}

void HandedOut::recordUse(const std::string &use) const
{
    store->recordUse(use + " after " + how);
}

bool HandedOut::recordIfHandedBack(const char *operation) const
{
    if (isHandedBack()) {
        recordUse(inUse + '.' + operation);
    }
    return isHandedBack();
}

ReturnedObjects::ReturnedObjects() = default;

ReturnedObjects::~ReturnedObjects() = default;

void ReturnedObjects::keep(std::unique_ptr<SimulatedCamera> camera, const char *how)
{
    camera->handedOut().handBack(*this, how);
    keepLatest(cameras, std::move(camera));
}

void ReturnedObjects::keep(std::unique_ptr<SimulatedConnection> connection)
{
    connection->handBack();
    keepLatest(connections, std::move(connection));
}

const SimulatedCamera *ReturnedObjects::camera(const nivaro_sdk::INivaroCamera *pointer) const
{
    return find(cameras, pointer);
}

const SimulatedConnection *
ReturnedObjects::connection(const nivaro_sdk::INivaroConnection *pointer) const
{
    return find(connections, pointer);
}

void ReturnedObjects::recordUse(std::string use)
{
    recordedUses.add(std::move(use));
}

std::vector<std::string> ReturnedObjects::uses() const
{
    return recordedUses.since(0);
}

void ReturnedObjects::forget()
{
    cameras.clear();
    connections.clear();
    recordedUses.clear();
}

} // namespace nivaro_sim
