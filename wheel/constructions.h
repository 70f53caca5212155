#pragma once

#include "combinations.h"

#include <vector>

namespace dezenario::wheel {

// Steiner systems S(t, 6, v), where every t of the v numbers lie together in exactly one game:
// the smallest wheels there can be. Games on 0..v-1.

// S(5, 6, 12), 132 games: the supports of the words of weight 6 of the extended ternary Golay code.
std::vector<Mask> steiner5612();
// S(3, 6, 22), 77 games: the blocks of S(5, 8, 24) (the words of weight 8 of the extended binary
// Golay code) through two given points, without them.
std::vector<Mask> steiner3622();
// S(3, 6, 26), 130 games: the circles of the Möbius plane over GF(25), the images of
// GF(5) and infinity under the maps z -> (az + b) / (cz + d).
std::vector<Mask> steiner3626();

// Designs that PSL(2, q) leaves as they are, on the projective line over GF(q):
// S(5, 6, 24), 7 084 games, with q = 23;
std::vector<Mask> steiner5624();
// S(4, 6, 27), 1 170 games: the blocks of S(5, 7, 28), with q = 27, through one point, without it.
std::vector<Mask> steiner4627();

// A covering of every t of v + 1 numbers by games of k: one of the first v numbers (every t of them
// in a game of `covering`), and the games of k - 1 that cover every t - 1 of them (`smaller`), each
// with the number v added, for the sets that hold it.
std::vector<Mask> oneNumberMore(const std::vector<Mask> &covering, const std::vector<Mask> &smaller,
                                int v);

} // namespace dezenario::wheel
