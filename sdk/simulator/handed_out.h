#pragma once

#include "line_sink.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace nivaro_sim {

// An object the SDK hands out: the name it goes by in the trace, and what becomes of its uses
// once the program has handed it back.
class HandedOut
{
public:
    HandedOut(std::string name, TraceSink &trace) : trace(trace), inUse(std::move(name)) { }

    // Its name while in use ("camera[COM3]").
    const std::string &name() const { return inUse; }
    // Its name in the trace: "returned camera[COM3]" once handed back.
    std::string traceName() const { return how ? "returned " + inUse : inUse; }

    // `how` names the operation that handed it back ("CloseCamera").
    void handBack(const char *how) { this->how = how; }

    // "connection#1.CloseCamera(camera[COM3])" is recorded as "… after CloseCamera".
    void recordUse(const std::string &use) const
    {
        trace.usesAfterHandBack.add(use + " after " + how, {});
    }
    // True, with "<name>.<operation>" recorded, once the object was handed back.
    bool recordIfHandedBack(const char *operation) const
    {
        if (how) {
            recordUse(inUse + '.' + operation);
        }
        return how != nullptr;
    }

protected:
    // One line of the trace, under the object's trace name.
    void traceCall(const char *operation, const std::string &arguments,
                   const std::string &result = {}) const
    {
        trace.call(traceName(), operation, arguments, result);
    }

    TraceSink &trace;

private:
    std::string inUse;
    const char *how = nullptr;
};

// Objects of one kind the program handed back. Freeing them at once would turn a later use into
// a silent use-after-free that only a sanitizer sees; the latest 16 stay alive instead, answer
// like a silent camera and report every use. Older ones are freed, so a session of any length
// holds a bounded number.
template<typename Object> class Returned
{
public:
    static constexpr std::size_t kept = 16;

    void keep(std::unique_ptr<Object> object, const char *how)
    {
        object->handBack(how);
        if (objects.size() == kept) {
            objects.pop_front();
        }
        objects.push_back(std::move(object));
    }

    // The returned object behind a pointer the program passes, or null.
    template<typename Interface> const Object *find(const Interface *pointer) const
    {
        for (const auto &object : objects) {
            if (pointer && static_cast<const Interface *>(object.get()) == pointer) {
                return object.get();
            }
        }
        return nullptr;
    }

    void forget() { objects.clear(); }

private:
    std::deque<std::unique_ptr<Object>> objects;
};

// The object behind a pointer the program passes, taken out of those it holds; null when it holds
// none there.
template<typename Object, typename Interface>
std::unique_ptr<Object> takeOut(std::vector<std::unique_ptr<Object>> &held,
                                const Interface *pointer)
{
    for (auto object = held.begin(); object != held.end(); ++object) {
        if (static_cast<const Interface *>(object->get()) == pointer) {
            std::unique_ptr<Object> taken = std::move(*object);
            held.erase(object);
            return taken;
        }
    }
    return nullptr;
}

} // namespace nivaro_sim
