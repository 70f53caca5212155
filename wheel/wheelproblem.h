#pragma once

#include "combinations.h"

#include <vector>

namespace dezenario::wheel {

// What the player asks of a wheel: games of k of the v numbers chosen, such that whenever m of the
// numbers drawn are among the chosen, some game has t of them (t <= m <= 6, k < v).
struct WheelProblem
{
    int chosen = 15; // v
    int perGame = 6; // k
    int guarantee = 4; // t: 4 quadra, 5 quina, 6 sena
    int condition = 4; // m
    friend bool operator==(const WheelProblem &, const WheelProblem &) = default;

    // The sets of m chosen numbers that the guarantee speaks of.
    std::uint64_t sets() const { return binomial(chosen, condition); }
    // How many of them one game serves: those it meets in t numbers or more.
    std::uint64_t setsOneGameServes() const;
};

// Schönheim's bound on the covering C(v, k, t): ceil(v/k ceil((v-1)/(k-1) ...
// ceil((v-t+1)/(k-t+1)))).
std::uint64_t schoenheim(int v, int k, int t);

// The fewest games that any wheel can have, as far as it is proven here: Schönheim's bound where
// m = t, and where one game serves more than it, every set of m over what one game serves.
std::uint64_t lowerBound(const WheelProblem &problem);

// The games with their numbers, in order, as masks of the wheel on 1..v; for the display, checks
// and the slips.
std::vector<std::vector<int>> numbersOf(const std::vector<Mask> &games,
                                        const std::vector<int> &chosen);

} // namespace dezenario::wheel
