#include "odds.h"

namespace dezenario::wheel {

namespace {
struct Walk
{
    int v, k;
    const std::atomic<bool> *cancel;
    std::vector<std::vector<int>> gamesWith; // by number
    std::vector<int> hits; // by game
    std::array<std::uint64_t, 7> withHits {}; // games by their hits
    WheelOdds odds;
    std::uint64_t visited = 0;

    bool visit(int from, int size)
    {
        if ((++visited & 0xfff) == 0 && cancel && cancel->load())
            return false;
        // So many draws share just these numbers with the chosen: the rest from the 60 - v others.
        const std::uint64_t draws = binomial(60 - v, 6 - size);
        int most = 0;
        for (int h = 0; h <= size; ++h)
            if (withHits[size_t(h)])
                most = h;
        for (int tier = 0; tier < 3; ++tier) {
            const int j = 4 + tier;
            if (most >= j)
                odds.draws[size_t(tier)] += draws;
            std::uint64_t prizes = 0;
            for (int h = j; h <= size; ++h)
                prizes += withHits[size_t(h)] * binomial(h, j) * binomial(k - h, 6 - j);
            odds.prizes[size_t(tier)] += prizes * draws;
        }
        if (size == 6)
            return true;
        for (int n = from; n < v; ++n) {
            for (const int g : gamesWith[size_t(n)])
                --withHits[size_t(hits[size_t(g)]++)], ++withHits[size_t(hits[size_t(g)])];
            const bool goOn = visit(n + 1, size + 1);
            for (const int g : gamesWith[size_t(n)])
                --withHits[size_t(hits[size_t(g)]--)], ++withHits[size_t(hits[size_t(g)])];
            if (!goOn)
                return false;
        }
        return true;
    }
};
} // namespace

std::optional<WheelOdds> oddsOf(const WheelProblem &problem, const std::vector<Mask> &games,
                                const std::atomic<bool> *cancel)
{
    Walk walk { problem.chosen, problem.perGame, cancel, {}, {}, {}, {}, 0 };
    walk.gamesWith.resize(size_t(problem.chosen));
    for (size_t g = 0; g < games.size(); ++g)
        for (Mask game = games[g]; game; game &= game - 1)
            walk.gamesWith[size_t(std::countr_zero(game))].push_back(int(g));
    walk.hits.assign(games.size(), 0);
    walk.withHits[0] = games.size();
    if (!walk.visit(0, 0))
        return std::nullopt;
    return walk.odds;
}

std::uint64_t prizesOfSimpleBets(std::uint64_t bets, int tier)
{
    const int j = 4 + tier;
    return bets * binomial(6, j) * binomial(54, 6 - j);
}

} // namespace dezenario::wheel
