#pragma once

// One episode: a fresh simulated SDK and window, the moves given (a replay) or drawn.

#include "modalanswerer.h"
#include "oracle.h"
#include "ui/mainwindow.h"

#include <memory>

struct Episode
{
    QVector<Move> moves; // the moves made
    Setup setup;
    std::optional<Failure> failure; // the first check that failed
};

// Plays the moves given, or else draws that many, until the end or the first failed check.
inline Episode play(quint32 seed, const QVector<Move> &given, int length = 0)
{
    Episode episode;
    SimulatedSdk sdk;
    QRandomGenerator dice(seed);
    episode.setup = prepare(dice, sdk);
    std::unique_ptr<MainWindow> window = SimulatedSdk::makeWindow(episode.setup.ports);
    window->show();
    Expected expected;
    expected.expertTab = episode.setup.expertMode;
    Observed observed;
    QObject::connect(child<QTabWidget>(*window, "tabWidget"), &QTabWidget::tabBarClicked,
                     [&observed](int index) { observed.tabClicked = index; });
    const auto *pane = child<QPlainTextEdit>(*window, "logView");
    ModalAnswerer answerer;
    QRandomGenerator answers;
    answerer.setChooser([&answers](int buttons) { return answers.bounded(buttons); });

    for (int index = 0; index < (given.isEmpty() ? length : int(given.size())); ++index) {
        const Move move = given.isEmpty() ? randomMove(dice, *window) : given.at(index);
        const MoveKind *kind = kindNamed(move.kind);
        // A shrunk replay may reach a state where the user could not make the move.
        if (!kind || !kind->targets(*window).contains(move.target))
            continue;
        const SimulatedSdk::Mark mark = sdk.mark();
        const int paneBlocks = pane->blockCount();
        observed.tabClicked = -2;
        answers.seed(move.answers);
        kind->perform(child<QWidget>(*window, qPrintable(move.target)), move.value);
        episode.moves << move;
        // What the program's event loop would do next: paint, and delete closed boxes.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        observed.trace = sdk.traceSince(mark);
        observed.log = sdk.logTextsSince(mark);
        observed.paneAdded = paneTextSince(*pane, paneBlocks);
        expected.after(move, observed, !episode.setup.ports.isEmpty());
        if ((episode.failure = brokenCheck(move, observed, expected, *window))) {
            episode.failure->move = int(episode.moves.size()) - 1;
            return episode;
        }
    }

    // Closing the window gives nothing back and calls nothing.
    const SimulatedSdk::Mark mark = sdk.mark();
    window.reset();
    if (const QStringList trace = sdk.traceSince(mark); !trace.isEmpty())
        episode.failure = Failure {int(episode.moves.size()) - 1, "closing", trace.join('\n')};
    return episode;
}
