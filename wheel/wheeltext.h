#pragma once

#include "wheeljob.h"

#include <QString>

namespace dezenario {

// The numbers chosen for a wheel as the player types them, as a draw is typed, sorted. Throws
// CommandError with the reason: a word, a number outside 1 to 60 or twice, fewer than a game's
// numbers and one more, more than 30.
std::vector<int> readChosen(const QString &text, int perGame);

// Throws CommandError, before any search, when even the fewest games that any such wheel can have
// are more than one print takes; it names that bound and what it would cost at price.
void refuseUnprintable(const wheel::WheelProblem &problem, qint64 priceInCentavos);

// "QUADRA", "QUINA" or "SENA".
QString tierName(int hits);
// The guarantee as a sentence.
QString guaranteeInWords(const wheel::WheelProblem &problem);

// The games as IMPRIMIR reads them, two digits and a dash a number, one game after another.
QString gamesForSlips(const std::vector<std::vector<int>> &games);
// A game's numbers, "01 05 12 ...".
QString gameInWords(const std::vector<int> &numbers);
// One game a line, as gameInWords gives it.
QString gamesAsLines(const std::vector<std::vector<int>> &games);
// As a CSV that a spreadsheet opens, as CONFERIR saves: UTF-8 with its mark, ";" between fields;
// each game with the slip and place IMPRIMIR would give it.
QByteArray gamesAsCsv(const std::vector<std::vector<int>> &games);

// What the wheel is: the numbers, the games, the guarantee, its check, the bound and the cost.
QString summaryOf(const std::vector<int> &chosen, const wheel::WheelProblem &problem,
                  const wheel::WheelResult &result, qint64 priceInCentavos);
// The chances of a draw at random, and the prizes it gives on average, in words.
QString chancesOf(const wheel::WheelProblem &problem, const wheel::WheelResult &result);

} // namespace dezenario
