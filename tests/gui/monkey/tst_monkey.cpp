#include "replay.h"

#include <QtTest>

// Random users on the real window against randomly faulty cameras: each episode scripts a
// fresh simulated SDK and builds a fresh window, then makes random moves a user could make
// (enabled controls on the page shown only), answers every box at random, and after every
// move checks the window against the camera's answers and the SDK's log.
//
// VELMORA_MONKEY_SEED picks the run, VELMORA_MONKEY_ACTIONS its length (20000 moves);
// VELMORA_MONKEY_REPLAY replays the short move list a failure prints. Each row of a thousand
// moves draws its episodes from the run's seed and its own number, so that with the same
// seed a row also runs alone (randomMovesKeepTheWindowConsistent:"moves 1-1000").
class tst_Monkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomMovesKeepTheWindowConsistent_data();
    void randomMovesKeepTheWindowConsistent();
};

constexpr int movesPerRow = 1000;

void tst_Monkey::initTestCase()
{
    // The offscreen platform says it on every box it shows: thousands of lines that would
    // bury a failure.
    static const QtMessageHandler testLog = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.startsWith(QLatin1String("This plugin does not support propagateSizeHints")))
                testLog(type, context, text);
        });
}

void tst_Monkey::randomMovesKeepTheWindowConsistent_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("moves");
    QTest::addColumn<QString>("replay");
    if (const QString replay = qEnvironmentVariable("VELMORA_MONKEY_REPLAY"); !replay.isEmpty()) {
        QTest::newRow("replay") << 0u << 0 << 0 << replay;
        return;
    }
    bool given = false;
    const quint32 chosen = qEnvironmentVariable("VELMORA_MONKEY_SEED").toUInt(&given);
    const quint32 seed = given ? chosen : QRandomGenerator::system()->generate();
    const int asked = qEnvironmentVariableIntValue("VELMORA_MONKEY_ACTIONS", &given);
    const int total = given ? asked : 20000;
    // Before any move: a crash or a timeout must still leave the seed in the log.
    qInfo("monkey seed %u, %d moves: VELMORA_MONKEY_SEED=%u runs them again, and a row alone too "
          "(tst_monkey randomMovesKeepTheWindowConsistent:\"moves 1-1000\")",
          seed, total, seed);
    for (int first = 0; first < total; first += movesPerRow) {
        const int moves = qMin(movesPerRow, total - first);
        QTest::addRow("moves %d-%d", first + 1, first + moves)
            << seed << first / movesPerRow << moves << QString();
    }
}

void tst_Monkey::randomMovesKeepTheWindowConsistent()
{
    QFETCH(quint32, seed);
    QFETCH(int, row);
    QFETCH(int, moves);
    QFETCH(QString, replay);
    if (!replay.isEmpty()) {
        const auto parsed = parseReplay(replay);
        QVERIFY2(parsed, "VELMORA_MONKEY_REPLAY is not SEED:kind(target,value)#answers;...");
        if (const Episode episode = play(parsed->first, parsed->second); episode.failure)
            QFAIL(qPrintable(report(parsed->first, episode.moves, *episode.failure)));
        return;
    }

    const quint32 rowSeed[] {seed, quint32(row)};
    QRandomGenerator episodes(rowSeed);
    for (int made = 0, count = 1; made < moves; ++count) {
        const quint32 episodeSeed = episodes.generate();
        const Episode episode
            = play(episodeSeed, {}, qMin(moves - made, 10 + episodes.bounded(111)));
        made += qMax(1, int(episode.moves.size()));
        if (const std::optional<Failure> &failure = episode.failure) {
            const QVector<Move> failed = episode.moves.mid(0, failure->move + 1);
            // Shrinking takes a while: the whole list first, should the watchdog cut it short.
            qInfo(R"(episode %d failed "%s": VELMORA_MONKEY_REPLAY="%s")", count,
                  qPrintable(failure->check), qPrintable(replayText(episodeSeed, failed)));
            QFAIL(qPrintable(
                QStringLiteral("VELMORA_MONKEY_SEED=%1 runs this row again; episode %2:\n")
                    .arg(seed)
                    .arg(count)
                + report(episodeSeed, shrink(episodeSeed, failed, failure->check), *failure)));
        }
    }
}

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
