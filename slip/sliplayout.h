#pragma once

#include "controls.h"

#include <QRectF>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

namespace dezenario {

// The boxes of a blank Mega-Sena slip, measured off the slip itself: the
// values are not series and are used exactly as they stand.
namespace SlipLayout {

// X of each tens group (01-10 ... 51-60) in games 1 to 3.
inline constexpr std::array<std::array<qint32, 6>, 3> GameColumnX { {
        { 1140, 1320, 1500, 1680, 1860, 2060 },
        { 2500, 2680, 2860, 3040, 3220, 3420 },
        { 3850, 4030, 4210, 4390, 4570, 4770 },
} };
// Y of the numbers ending in 1, 2, ..., 9, 0: the first of a group lowest.
inline constexpr std::array<qint32, 10> RowY { 3730, 3360, 3010, 2640, 2280,
                                               1930, 1550, 1180, 800,  430 };
inline constexpr qint32 CountBoxX = 5290;

// The box of a number in game 1, 2 or 3; none unless the text is exactly one
// of "01" to "60".
std::optional<MarkPosition> numberMarkPosition(int game, QStringView dezena);
// The number 1 to 60 of a text that is exactly one of "01" to "60"; 0 for any other text.
int numberOf(QStringView dezena);
// The box of the number 1 to 60 in game 1, 2 or 3.
MarkPosition numberMarkPosition(int game, int number);
// The box that tells how many numbers (6 to 9) each game has.
MarkPosition countMarkPosition(int numbersPerGame);
void paintMark(Printer &printer, MarkPosition position);

// Every box that a mark can land on: the 60 numbers of each game, then the count boxes (game 0).
struct Box
{
    MarkPosition at;
    int game;
    int number; // 1 to 60, or the count 6 to 9
};
std::vector<Box> allBoxes();
// The rectangle that the top-left corners of every box span.
QRectF boxCorners();

} // namespace SlipLayout
} // namespace dezenario
