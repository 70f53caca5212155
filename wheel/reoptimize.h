#pragma once

#include "combinations.h"

#include <cstdint>
#include <vector>

namespace dezenario::wheel {

// A covering of every t of the v numbers by games of k, made smaller a neighbourhood at a time:
// each round takes out the `out` games nearest one drawn at random (most numbers in common), and
// covers the sets that only they served again, with as few games as a set cover search finds for
// the effort. The new games stand in for the old when they are no more, so the covering stays
// whole and never grows; as many, they move the search on. The same seed gives the same games.
std::vector<Mask> reoptimized(int v, int k, int t, std::vector<Mask> games, int rounds, int out,
                              std::int64_t effort, std::uint64_t seed);

} // namespace dezenario::wheel
