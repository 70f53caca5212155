// The program's own table of wheels as the tools keep it: read, offered a wheel (kept when it
// passes the check and is smaller), written whole; and the program's own search on both cores.
#pragma once

#include "searchchain.h"
#include "wheeltable.h"

#include <map>
#include <string>
#include <tuple>

namespace dezenario::wheel::tools {

using Key = std::tuple<int, int, int, int>; // k, t, m, v: the table's order
using Table = std::map<Key, TableWheel>;

Key keyOf(const WheelProblem &p);
Table load(const std::string &path);
bool save(const std::string &path, const Table &table);
// Keeps the wheel when it is checked and smaller than the table's; says what it did.
bool offer(Table &table, TableWheel wheel);
// Offers the wheel to the table as it is now, and writes it; false when it could not be written.
bool offerAndSave(const std::string &path, TableWheel wheel);
// Two chains of their own seeds from the same start, one on each core, for the time given: the
// smaller wheel.
std::vector<Mask> searchFrom(const WheelProblem &problem, const std::vector<Mask> &start,
                             long seconds, std::uint64_t seed);

// The coverings of groups (groupwheels.cpp).
int improveByGroups(const std::string &path, int k, int t, int v, std::int64_t effort, int seeds,
                    int only);

// Orbits of x -> ax + b on `copies` runs of m numbers within a budget of games, those that leave
// fewest t-sets uncovered of the four seeds that the seed names; then the program's own search
// serves the rest and makes the wheel smaller, for so many seconds (groupwheels.cpp).
int improveByPatching(const std::string &path, int k, int t, int v, std::int64_t effort,
                      long seconds, int m, int copies, int a, std::int64_t budget,
                      std::uint64_t seed);
// The same with a subgroup of PSL(2, q) alike on `copies` runs, as improveByGroups names it: that
// of its maps i and j (-1: the whole group).
int improveByPatchingProjective(const std::string &path, int k, int t, int v, std::int64_t effort,
                                long seconds, int q, int copies, bool affine, int i, int j,
                                std::int64_t budget, std::uint64_t seed);

} // namespace dezenario::wheel::tools
