#pragma once

#include "wheelproblem.h"

#include <array>
#include <atomic>
#include <optional>

namespace dezenario::wheel {

// Every draw of the lottery: six of the 60 numbers.
inline constexpr std::uint64_t AllDraws = binomial(60, 6);

// What a wheel wins over all the C(60, 6) draws, counted exactly; by tier, 0 for the quadra, 1 the
// quina, 2 the sena.
struct WheelOdds
{
    // The draws in which some game has 4 or more of the numbers drawn (5 or more, all 6).
    std::array<std::uint64_t, 3> draws {};
    // The prizes of the tier over all draws together, as the lottery pays them (a game of k numbers
    // is C(k, 6) simple bets): over AllDraws, the prizes a draw gives on average.
    std::array<std::uint64_t, 3> prizes {};
};

// Counted over every set of up to six chosen numbers that a draw can share with them. None when
// cancel was set before the end.
std::optional<WheelOdds> oddsOf(const WheelProblem &problem, const std::vector<Mask> &games,
                                const std::atomic<bool> *cancel = nullptr);

// The prizes of the tier over all draws for so many simple bets, whichever they are: one bet has j
// of the numbers drawn in C(6, j) C(54, 6 - j) draws.
std::uint64_t prizesOfSimpleBets(std::uint64_t bets, int tier);

} // namespace dezenario::wheel
