#include "heapmemory.h"
#include "shownwidget.h"
#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

// What one more line costs in a log pane already holding a given number of lines, and the
// memory a line takes. Three panes of the same size, all shown, receive the same line: the
// window's own pane through AddLog, a bare QPlainTextEdit that only inserts it (Qt's floor),
// and one that also scrolls to it, as the window's pane must.
namespace {

const std::string fillerLine = "Set SHARPENING value OK";
const std::string measuredLine = "Gamma value = 1.17188";

QSize logPaneSize()
{
    static const QSize size = [] {
        MainWindow window;
        showAndSettle(window);
        return window.findChild<QPlainTextEdit *>(QStringLiteral("logView"))->size();
    }();
    return size;
}

class WindowPane
{
public:
    WindowPane()
    {
        nivaro_sim::reset();
        showAndSettle(window);
    }
    ~WindowPane() { nivaro_sim::reset(); }
    void addLine(const std::string &line) { window.AddLog(line); }
    QPlainTextEdit &pane()
    {
        return *window.findChild<QPlainTextEdit *>(QStringLiteral("logView"));
    }

private:
    MainWindow window;
};

class BareInsertPane
{
public:
    BareInsertPane()
    {
        edit.resize(logPaneSize());
        showAndSettle(edit);
    }
    void addLine(const std::string &line)
    {
        edit.insertPlainText(QString::fromStdString(line + "\n"));
    }
    QPlainTextEdit &pane() { return edit; }

protected:
    QPlainTextEdit edit;
};

class InsertAndScrollPane : public BareInsertPane
{
public:
    void addLine(const std::string &line)
    {
        BareInsertPane::addLine(line);
        edit.ensureCursorVisible();
    }
};

// The pane is filled in one insertion, which builds the same blocks as that many lines
// one by one in a fraction of the time; it goes through a cursor of the document, not the
// pane's own calls, so that a profile of those calls sees only the measured lines. One line
// added the pane's own way brings a scrolling pane to its end, and the events that follow
// lay it out and paint it.
template<typename Pane> void fill(Pane &pane, int lines)
{
    QTextCursor end(pane.pane().document());
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromStdString(fillerLine + "\n").repeated(lines - 1));
    pane.addLine(fillerLine);
    QCoreApplication::processEvents();
}

// Each measured line is undone before the next, untimed, so the pane keeps its length
// for the whole run: the figure is the cost at that length, not at a growing one.
template<typename Pane> void BM_LogLine(benchmark::State &state)
{
    const auto lines = static_cast<int>(state.range(0));
    Pane pane;
    fill(pane, lines);
    QTextDocument &document = *pane.pane().document();
    const int blocks = document.blockCount();
    const int characters = document.characterCount();

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pane.addLine(measuredLine);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        document.undo();
    }
    if (document.blockCount() != blocks || document.characterCount() != characters)
        state.SkipWithError("undo did not bring the pane back to its length");
}

// Lines added one by one, as the program adds them, from an empty shown pane.
template<typename Pane> void BM_LogMemoryPerLine(benchmark::State &state)
{
    const auto lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Pane pane;
        const uint64_t before = heapBytesInUse();
        for (int line = 0; line < lines; ++line)
            pane.addLine(fillerLine);
        const uint64_t after = heapBytesInUse();
        state.counters["bytes_per_line"] = after > before ? double(after - before) / lines : 0.0;
    }
}

void paneLengths(benchmark::internal::Benchmark *benchmark)
{
    for (const int lines : {1000, 10000, 100000, 1000000})
        benchmark->Arg(lines);
    benchmark->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);
}

void memoryRun(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK_TEMPLATE(BM_LogLine, WindowPane)->Apply(paneLengths);
BENCHMARK_TEMPLATE(BM_LogLine, BareInsertPane)->Apply(paneLengths);
BENCHMARK_TEMPLATE(BM_LogLine, InsertAndScrollPane)->Apply(paneLengths);
BENCHMARK_TEMPLATE(BM_LogMemoryPerLine, WindowPane)->Apply(memoryRun);
BENCHMARK_TEMPLATE(BM_LogMemoryPerLine, BareInsertPane)->Apply(memoryRun);
