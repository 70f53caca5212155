#pragma once

#include "combinations.h"

#include <cstdint>
#include <vector>

namespace dezenario::wheel {

// A permutation of the numbers 0..n-1: where each one goes.
using Permutation = std::vector<std::uint8_t>;

// Every permutation that the given ones make, one after another (the group they generate).
std::vector<Permutation> groupOf(int n, const std::vector<Permutation> &generators);

// The maps x -> a x + b (mod m) on each of `copies` runs of m numbers at once, where a is any
// power of `multiplier` (1: the shifts alone); the last `fixed` numbers stay where they are.
std::vector<Permutation> affineGroup(int m, int copies, int multiplier, int fixed);

// The shifts of an abelian group Z_m1 x Z_m2 x ... on its own elements (numbered in mixed radix,
// the first place lowest), each shifted by every element; the last `fixed` numbers stay.
std::vector<Permutation> shiftGroup(const std::vector<int> &orders, int fixed);

// PSL(2, q) for q a prime, or 4, 8, 9, 16, 25 or 27, on the projective line: GF(q) as 0..q-1,
// infinity as q.
std::vector<Permutation> projectiveGroup(int q);

// The image of a set, its orbit (every image, once each), and one set of each orbit of the sets
// of `size` of 0..n-1; orbitOfRank, if given, gets the orbit of every set by its rank.
Mask imageOf(Mask set, const Permutation &p);
std::vector<Mask> orbitOf(Mask set, const std::vector<Permutation> &group);
std::vector<Mask> orbitLeaders(int n, int size, const std::vector<Permutation> &group,
                               std::vector<std::int32_t> *orbitOfRank = nullptr);

// A covering of every t of the n numbers by games of k that the group leaves as it is: whole
// orbits of games, so that the problem is one over orbits, a hundred times smaller than over sets.
// A search over the orbits, for so much effort, finds it; the fewest games it found, or none.
// With a budget of games, it keeps within it, and where no covering fits, gives the orbits that
// leave fewest t-sets uncovered: a start for the search over games, which serves the rest.
// The same seed gives the same games.
std::vector<Mask> invariantCovering(int n, int k, int t, const std::vector<Permutation> &group,
                                    std::int64_t effort, std::uint64_t seed,
                                    std::int64_t budget = 0);

} // namespace dezenario::wheel
