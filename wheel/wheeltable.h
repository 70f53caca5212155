#pragma once

#include "wheelproblem.h"

#include <string>
#include <string_view>

namespace dezenario::wheel {

// One wheel of the program's own table, as long runs of its search and its constructions found
// it: games on 1..v, and how it was found.
struct TableWheel
{
    WheelProblem problem;
    std::vector<Mask> games;
    std::string how;
};

// The table as text, one wheel a line: k, t, m, v, the count of games, how it was found, and the
// games, each its numbers in two digits and the games apart by a space. Lines that begin with #
// are comments; a line that does not read whole is left out, never read in part.
std::vector<TableWheel> readWheelTable(std::string_view text);
std::string wheelTableLine(const TableWheel &wheel);

// The table that comes with the program.
const std::vector<TableWheel> &builtInWheels();

// Where a search for the problem starts: the table's own wheel of the problem, shown as it is
// once checked; or, where m > t and the table has none, its covering of the same v, k and t,
// which serves as well and from which the search goes on. No games when the table has neither.
struct TableStart
{
    std::vector<Mask> games;
    bool exact = false; // the wheel of this very problem
};
TableStart tableStart(const WheelProblem &problem,
                      const std::vector<TableWheel> &table = builtInWheels());

} // namespace dezenario::wheel
