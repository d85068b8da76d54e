#pragma once

// A failed episode as text to replay, "SEED:kind(target,value)#answers;...", shrunk first to
// the fewest moves that still fail the same check.

#include "episode.h"

inline QString replayText(quint32 seed, const QVector<Move> &moves)
{
    QStringList texts;
    for (const Move &move : moves)
        texts << QStringLiteral("%1(%2,%3)#%4")
                     .arg(move.kind, move.target, move.value)
                     .arg(move.answers);
    return QString::number(seed) + ':' + texts.join(QLatin1Char(';'));
}

inline std::optional<std::pair<quint32, QVector<Move>>> parseReplay(const QString &text)
{
    static const QRegularExpression token(QStringLiteral("^(\\w+)\\(([^,]*),([^)]*)\\)#(\\d+)$"));
    const int colon = text.indexOf(QLatin1Char(':'));
    bool seedRead = false;
    const quint32 seed = text.left(colon).toUInt(&seedRead);
    if (colon < 0 || !seedRead)
        return std::nullopt;
    QVector<Move> moves;
    for (const QString &part : text.mid(colon + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = token.match(part.trimmed());
        if (!match.hasMatch())
            return std::nullopt;
        moves << Move {match.captured(1), match.captured(2), match.captured(3),
                       match.captured(4).toUInt()};
    }
    return std::make_pair(seed, moves);
}

// The shortest move list found, dropping one move at a time, that still fails the same check.
inline QVector<Move> shrink(quint32 seed, QVector<Move> moves, const QString &check)
{
    for (bool dropped = true; dropped;) {
        dropped = false;
        for (int index = int(moves.size()) - 1; index >= 0; --index) {
            QVector<Move> fewer = moves;
            fewer.remove(index);
            const Episode attempt = play(seed, fewer);
            if (attempt.failure && attempt.failure->check == check) {
                moves = attempt.moves.mid(0, attempt.failure->move + 1);
                dropped = true;
                index = qMin(index, int(moves.size()));
            }
        }
    }
    return moves;
}

// What failed, told by a replay of the moves given (the shrunk ones, say) when it fails too.
inline QString report(quint32 seed, const QVector<Move> &moves, const Failure &failure)
{
    const Episode again = play(seed, moves);
    const Failure shown = again.failure.value_or(failure);
    return QStringLiteral("check \"%1\" failed: %2\nsetup: ports %3; %4\nreplay with "
                          "VELMORA_MONKEY_REPLAY=\"%5\"\n(%6 moves before shrinking)")
        .arg(shown.check, shown.detail, again.setup.ports.join(QLatin1Char(' ')),
             again.setup.notes.join(QStringLiteral("; ")), replayText(seed, moves))
        .arg(failure.move + 1);
}
