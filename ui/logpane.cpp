#include "ui/logpane.h"

#include "nivaro_sdk.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace {
// Every line of the log pane is mirrored to the SDK log at this severity.
constexpr auto logPaneSeverity = static_cast<nivaro_sdk::severity_level>(2);
} // namespace

LogPane::LogPane(QPlainTextEdit *pane) : pane(pane) { }

void LogPane::add(const std::string &message)
{
    // Whatever the user clicked or selected in the pane, the message goes at the very end,
    // and moving there again scrolls the newest line into view. When the cursor is already
    // at the end with nothing selected, as for every line but the first after a click, the
    // first move would only scroll, as the second does anyway: it is left out, and with it
    // a third of what a line costs.
    const QTextCursor cursor = pane->textCursor();
    if (!cursor.atEnd() || cursor.hasSelection())
        pane->moveCursor(QTextCursor::End, QTextCursor::MoveAnchor);
    pane->insertPlainText(QString::fromStdString(message + "\n"));
    pane->moveCursor(QTextCursor::End, QTextCursor::MoveAnchor);

    nivaro_sdk::SDKLogger record(logPaneSeverity);
    record.GetILogger() << message;
}
