#include "odds.h"

namespace dezenario::wheel {

std::optional<WheelOdds> oddsOf(const WheelProblem &problem, const std::vector<Mask> &games,
                                const std::atomic<bool> *cancel)
{
    const int v = problem.chosen, k = problem.perGame;
    WheelOdds odds;
    for (int tier = 0; tier < 3; ++tier) {
        const int j = 4 + tier;
        // The sets of j chosen numbers that some game holds: a draw gives j hits in some game
        // just when its numbers among the chosen hold one of them.
        std::vector<bool> held(size_t(binomial(v, j)), false);
        for (const Mask game : games)
            forEachSubset(game, j, [&](Mask set) { held[size_t(rankOf(set))] = true; });
        // Every set of up to six chosen numbers that a draw can share with them, weighted by the
        // draws that share just those: the rest from the 60 - v others.
        std::uint64_t visited = 0;
        bool cancelled = false;
        for (int size = j; size <= 6 && size <= v && !cancelled; ++size) {
            const std::uint64_t draws = binomial(60 - v, 6 - size);
            forEachSubset(lowest(v), size, [&](Mask shared) {
                if (cancelled || ((++visited & 0xffff) == 0 && cancel && cancel->load())) {
                    cancelled = true;
                    return;
                }
                bool hit = false;
                forEachSubset(shared, j, [&](Mask set) { hit = hit || held[size_t(rankOf(set))]; });
                if (hit)
                    odds.draws[size_t(tier)] += draws;
            });
        }
        if (cancelled)
            return std::nullopt;
        // Each game over all draws, by its hits: h of its k numbers in C(k, h) C(60 - k, 6 - h)
        // draws, and then C(h, j) C(k - h, 6 - j) of its simple bets with j hits.
        std::uint64_t perGame = 0;
        for (int h = j; h <= 6; ++h)
            perGame += binomial(k, h) * binomial(60 - k, 6 - h) * binomial(h, j)
                    * binomial(k - h, 6 - j);
        odds.prizes[size_t(tier)] = perGame * games.size();
    }
    return odds;
}

std::uint64_t prizesOfSimpleBets(std::uint64_t bets, int tier)
{
    const int j = 4 + tier;
    return bets * binomial(6, j) * binomial(54, 6 - j);
}

} // namespace dezenario::wheel
