#pragma once

#include "commanderror.h"
#include "keptrun.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>

namespace dezenario {

// The six numbers drawn in a contest, and its number (0 when not given).
struct Draw
{
    std::array<quint8, 6> numbers {};
    int contest = 0;
};

// Numbers as a user types them, from 1 to 60 apart by blanks, dashes, commas, semicolons, dots or
// slashes, in the order typed. Throws what refused makes of the reason for a word or a number
// outside 1 to 60; repeated() gives the first number typed twice, or 0.
QList<quint8> readNumbers(const QString &text,
                          const std::function<CommandError(const QString &)> &refused);
quint8 repeated(const QList<quint8> &numbers);
// The reason for a number twice, in the words of both windows.
QString twiceInWords(quint8 number);

// Reads the draw as a user types it: six numbers from 1 to 60 apart by blanks, dashes, commas,
// semicolons, dots or slashes ("05 17 23 38 44 60", "5-17-23-38-44-60"), and the contest, which may
// be empty. Throws CommandError naming what is wrong: fewer or more than six numbers, a number
// twice, one outside 1 to 60, a word.
Draw readDraw(const QString &numbers, const QString &contest);

// The bets of j hits, for j = 6, 5 and 4, that a game wins: a game of k numbers is C(k, 6) simple
// bets, and with h of the drawn numbers in it, C(h, j) · C(k − h, 6 − j) of them have j hits.
struct Prizes
{
    qint64 senas = 0, quinas = 0, quadras = 0;
    Prizes &operator+=(const Prizes &other);
    friend bool operator==(const Prizes &, const Prizes &) = default;
};
Prizes prizesFor(int numbersPerGame, int hits);

// A game as the slip marked it, checked against the draw.
struct CheckedGame
{
    int slip = 0;
    int game = 0; // 1 to 3
    QList<quint8> numbers; // those marked
    QStringList unmarked; // texts taken that no box has: no bet, never a hit
    quint64 hitMask = 0; // bit n set when the number n was drawn
    int hits = 0;
    Prizes prizes;
};

// Every game of a run with a number marked, or a text taken, checked; blank games are left out.
QList<CheckedGame> checkRun(const KeptRun &run, const Draw &draw);

// Bit n set for each number n: the set of a game's or a draw's numbers, for counting hits.
template<typename Numbers>
quint64 maskOf(const Numbers &numbers)
{
    quint64 mask = 0;
    for (const quint8 n : numbers)
        mask |= quint64(1) << n;
    return mask;
}

// A text as one field of a CSV: quoted, its quotes doubled.
QString csvField(const QString &text);

// The games in words, for people: "01 [05] 12 ..." with the hits in brackets.
QString numbersInWords(const CheckedGame &game);
// The result as a CSV that a spreadsheet opens: UTF-8 with its mark, the columns named, a line a
// game, ";" between fields as Brazilian spreadsheets expect.
QByteArray toCsv(const QList<CheckedGame> &games);

} // namespace dezenario
