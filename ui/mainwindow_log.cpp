#include "nivaro_sdk.h"
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include <QTextCursor>

namespace {
// Every line of the log pane is mirrored to the SDK log at this severity.
constexpr auto logPaneSeverity = static_cast<nivaro_sdk::severity_level>(2);
} // namespace

// Taken by value, as every caller of the window's log has always passed it.
// cppcheck-suppress passedByValue
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void MainWindow::AddLog(std::string message)
{
    // Whatever the user clicked or selected in the pane, the message goes at the very end,
    // and moving there again scrolls the newest line into view. When the cursor is already
    // at the end with nothing selected, as for every line but the first after a click, the
    // first move would only scroll, as the second does anyway: it is left out, and with it
    // a third of what a line costs.
    const QTextCursor cursor = ui->logView->textCursor();
    if (!cursor.atEnd() || cursor.hasSelection())
        ui->logView->moveCursor(QTextCursor::End, QTextCursor::MoveAnchor);
    ui->logView->insertPlainText(QString::fromStdString(message + "\n"));
    ui->logView->moveCursor(QTextCursor::End, QTextCursor::MoveAnchor);

    nivaro_sdk::SDKLogger record(logPaneSeverity);
    record.GetILogger() << message;
}
