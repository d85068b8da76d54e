#pragma once

#include "parameters/logsink.h"

class QPlainTextEdit;

// The log pane: every message becomes one line at the very end of the pane, and one record
// of the SDK's log at the same moment.
class LogPane final : public LogSink
{
public:
    explicit LogPane(QPlainTextEdit *pane);

    void add(const std::string &message) override;

private:
    QPlainTextEdit *pane;
};
