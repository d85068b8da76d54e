#pragma once

#include <string>

// Where the camera operations write their messages, one line each: the window's log pane.
class LogSink
{
public:
    // The finished text of one message, without a line end.
    virtual void add(const std::string &message) = 0;

    // A camera step: "<what> OK" when the camera accepted it, "<what> KO" when not.
    // Returns whether it was accepted.
    bool step(bool accepted, const char *what)
    {
        add(std::string(what) + (accepted ? " OK" : " KO"));
        return accepted;
    }

protected:
    ~LogSink() = default;
};
