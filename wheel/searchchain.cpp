#include "searchchain.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace dezenario::wheel {

namespace {
Mask bit(int n)
{
    return Mask(1) << n;
}
// A random one of the numbers of a set.
int anyOf(Mask set, Random &random)
{
    for (std::uint32_t skip = random.below(std::uint64_t(std::popcount(set))); skip; --skip)
        set &= set - 1;
    return std::countr_zero(set);
}
} // namespace

SearchChain::SearchChain(const WheelProblem &problem, std::uint64_t seed)
    : m_problem(problem),
      m_all(lowest(problem.chosen)),
      m_random(seed),
      m_servedBy(size_t(problem.sets()), 0),
      m_weight(size_t(problem.sets()), 1),
      m_placeInUnserved(size_t(problem.sets()), -1)
{
    // At first no set is served.
    m_unserved.reserve(m_servedBy.size());
    forEachSubset(m_all, problem.condition, [this](Mask set) {
        m_placeInUnserved[size_t(rankOf(set))] = std::int32_t(m_unserved.size());
        m_unserved.push_back(set);
    });
}

template<typename Visit>
void SearchChain::forEachServed(Mask game, Visit visit)
{
    const int most = std::min(m_problem.perGame, m_problem.condition);
    for (int j = m_problem.guarantee; j <= most; ++j)
        forEachSubset(game, j, [&](Mask inside) {
            forEachSubset(m_all & ~game, m_problem.condition - j,
                          [&](Mask outside) { visit(inside | outside); });
        });
}

// The sets that the game serves before the swap and not after (those with x, without y, and t - 1
// others of the game), and those it serves after and not before (the same with y for x).
template<typename Visit>
void SearchChain::forEachChanged(Mask game, int x, int y, Visit visit)
{
    const Mask kept = game & ~bit(x), others = m_all & ~(game | bit(y));
    Mask outsides[512]; // C(v - k - 1, m - t) of them: at most C(23, 2)
    int count = 0;
    forEachSubset(others, m_problem.condition - m_problem.guarantee,
                  [&](Mask outside) { outsides[count++] = outside; });
    forEachSubset(kept, m_problem.guarantee - 1, [&](Mask inside) {
        for (int i = 0; i < count; ++i)
            visit(inside | outsides[i] | bit(x), inside | outsides[i] | bit(y));
    });
}

void SearchChain::serve(Mask set)
{
    const size_t rank = size_t(rankOf(set));
    if (m_servedBy[rank]++ == 0) {
        const std::int32_t place = m_placeInUnserved[rank];
        const Mask last = m_unserved.back();
        m_unserved[size_t(place)] = last;
        m_placeInUnserved[size_t(rankOf(last))] = place;
        m_unserved.pop_back();
        m_placeInUnserved[rank] = -1;
    }
}

void SearchChain::unserve(Mask set)
{
    const size_t rank = size_t(rankOf(set));
    if (--m_servedBy[rank] == 0) {
        m_placeInUnserved[rank] = std::int32_t(m_unserved.size());
        m_unserved.push_back(set);
    }
}

void SearchChain::add(Mask game)
{
    forEachServed(game, [this](Mask set) {
        serve(set);
        ++m_spent;
    });
    m_games.push_back(game);
    m_tabu.resize(m_games.size() * size_t(m_problem.chosen), 0);
}

void SearchChain::begin(const std::vector<Mask> &games)
{
    for (const Mask game : games)
        add(game & m_all);
}

void SearchChain::removeAt(size_t index)
{
    forEachServed(m_games[index], [this](Mask set) {
        unserve(set);
        ++m_spent;
    });
    const size_t v = size_t(m_problem.chosen), last = m_games.size() - 1;
    m_games[index] = m_games[last];
    std::copy_n(m_tabu.begin() + std::ptrdiff_t(last * v), v,
                m_tabu.begin() + std::ptrdiff_t(index * v));
    m_games.pop_back();
    m_tabu.resize(m_games.size() * v);
}

std::int64_t SearchChain::gainOf(Mask game, int x, int y)
{
    std::int64_t gain = 0;
    forEachChanged(game, x, y, [&](Mask lost, Mask won) {
        const size_t w = size_t(rankOf(won)), l = size_t(rankOf(lost));
        gain += std::int64_t(m_servedBy[w] == 0) * m_weight[w]
                - std::int64_t(m_servedBy[l] == 1) * m_weight[l];
        ++m_spent;
    });
    return gain;
}

void SearchChain::swap(size_t index, int x, int y)
{
    forEachChanged(m_games[index], x, y, [this](Mask lost, Mask won) {
        unserve(lost);
        serve(won);
        ++m_spent;
    });
    m_games[index] = (m_games[index] & ~bit(x)) | bit(y);
    // x may not come back into this game for a few steps.
    m_tabu[index * size_t(m_problem.chosen) + size_t(x)] = m_step + 10 + m_random.below(10);
}

void SearchChain::addServing()
{
    // A game that serves an unserved set: t of its numbers, and others at random.
    Mask set = m_unserved[m_random.below(m_unserved.size())], game = 0;
    for (int i = 0; i < m_problem.guarantee; ++i) {
        const int n = anyOf(set, m_random);
        game |= bit(n), set &= ~bit(n);
    }
    while (std::popcount(game) < m_problem.perGame)
        game |= bit(anyOf(m_all & ~game, m_random));
    add(game);
}

bool SearchChain::shrink(const std::function<bool()> &stopped)
{
    // The game that serves fewest sets alone; among equals, any.
    size_t chosen = 0, ties = 0;
    std::int64_t fewest = -1;
    for (size_t g = 0; g < m_games.size(); ++g) {
        if (stopped())
            return false;
        std::int64_t alone = 0;
        forEachServed(m_games[g], [&](Mask set) {
            alone += m_servedBy[size_t(rankOf(set))] == 1;
            ++m_spent;
        });
        if (fewest < 0 || alone < fewest)
            fewest = alone, chosen = g, ties = 1;
        else if (alone == fewest && m_random.below(++ties) == 0)
            chosen = g;
    }
    removeAt(chosen);
    m_fewestUnserved = m_unserved.size();
    return true;
}

bool SearchChain::step()
{
    const Mask set = m_unserved[m_random.below(m_unserved.size())];
    // A set that stays unserved weighs more each time it is taken, so that the search does not
    // keep leaving the same sets behind.
    ++m_weight[size_t(rankOf(set))];
    const size_t v = size_t(m_problem.chosen);
    const bool wander = m_random.below(64) == 0; // now and then any swap that serves the set
    std::int64_t bestGain = std::numeric_limits<std::int64_t>::min();
    size_t bestGame = 0, ties = 0;
    int bestX = -1, bestY = -1;
    m_spent += std::int64_t(m_games.size());
    for (size_t g = 0; g < m_games.size(); ++g) {
        const Mask game = m_games[g];
        if (std::popcount(game & set) != m_problem.guarantee - 1)
            continue;
        for (Mask outs = game & ~set; outs; outs &= outs - 1) {
            for (Mask ins = set & ~game; ins; ins &= ins - 1) {
                const int x = std::countr_zero(outs), y = std::countr_zero(ins);
                if (wander) {
                    if (m_random.below(++ties) == 0)
                        bestGame = g, bestX = x, bestY = y;
                    continue;
                }
                const std::int64_t gain = gainOf(game, x, y);
                // A swap that waits is made all the same when it leaves fewer unserved than ever.
                const bool allowed = m_tabu[g * v + size_t(y)] <= m_step
                        || std::int64_t(m_unserved.size()) - gain < std::int64_t(m_fewestUnserved);
                if (!allowed || gain < bestGain)
                    continue;
                if (gain > bestGain)
                    bestGain = gain, ties = 0;
                if (m_random.below(++ties) == 0)
                    bestGame = g, bestX = x, bestY = y;
            }
        }
    }
    if (bestX < 0) {
        // No game is one number short of the set, or every such swap waits: move a game nearer.
        bestGame = m_random.below(m_games.size());
        const Mask game = m_games[bestGame];
        if (!(game & ~set) || !(set & ~game))
            return false;
        bestX = anyOf(game & ~set, m_random), bestY = anyOf(set & ~game, m_random);
    }
    swap(bestGame, bestX, bestY);
    m_fewestUnserved = std::min(m_fewestUnserved, m_unserved.size());
    return true;
}

void SearchChain::run(std::int64_t effort, std::uint64_t floor, const std::atomic<bool> &stop)
{
    const std::int64_t until = m_spent + effort;
    // Asked after so much work, not so many steps: a step over a wheel of a hundred thousand games
    // is itself that much work, and a stop must be heard within milliseconds.
    const std::function<bool()> stopped = [&] {
        if (m_spent < m_nextLook)
            return false;
        m_nextLook = m_spent + LookEvery;
        m_spentShared = m_spent;
        return stop.load(std::memory_order_relaxed);
    };
    while (!stopped()) {
        if (m_unserved.empty()) {
            if (m_best.empty() || m_games.size() < m_best.size()) {
                m_best = m_games;
                m_bestSize = m_best.size();
            }
            if (m_games.size() <= floor || m_games.size() == 1 || m_spent >= until
                || !shrink(stopped))
                break;
        } else if (m_best.empty()) {
            addServing(); // the first wheel, game by game, whatever the effort
        } else if (m_spent >= until) {
            break;
        } else {
            ++m_step;
            if (!step())
                ++m_spent; // cannot happen with k >= m, but never loop for nothing
        }
    }
    m_spentShared = m_spent;
}

} // namespace dezenario::wheel
