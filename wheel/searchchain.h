#pragma once

#include "wheelproblem.h"

#include <atomic>
#include <functional>
#include <cstdint>
#include <vector>

namespace dezenario::wheel {

// A small generator of our own (splitmix64): the same seed gives the same numbers with every
// compiler and standard library, so a wheel is the same on every machine.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // 0 to n - 1; the slight bias of a modulo is of no matter to a search.
    std::uint32_t below(std::uint64_t n) { return std::uint32_t(next() % n); }

private:
    std::uint64_t m_state;
};

// One chain of the search: a local search that keeps a set of games and the count of games that
// serve each set of m numbers. While some set is unserved, it takes one at random and makes the
// swap of one number in one game that serves it and leaves the fewest others unserved (a swap just
// made is not undone for a while; a set left unserved again and again counts for more). When every
// set is served, the wheel is kept as the best so far and the game that serves fewest sets alone is
// taken out, and the search goes on one game smaller.
//
// Its effort is counted in work (games looked at and sets counted), not in time, so that the same
// effort gives the same wheel on any machine.
class SearchChain
{
public:
    SearchChain(const WheelProblem &problem, std::uint64_t seed);

    // Starts from these games, before the first run: from there the chain serves whatever they
    // leave unserved, and then makes the wheel smaller.
    void begin(const std::vector<Mask> &games);
    // Works until so much more effort is spent, the wheel is as small as floor, or stop is set.
    void run(std::int64_t effort, std::uint64_t floor, const std::atomic<bool> &stop);

    const std::vector<Mask> &best() const { return m_best; }
    std::int64_t spent() const { return m_spent; }
    // Read by the job's progress while the chain runs.
    const std::atomic<std::int64_t> &spentSoFar() const { return m_spentShared; }
    const std::atomic<std::uint64_t> &bestSize() const { return m_bestSize; }

private:
    void add(Mask game);
    void removeAt(size_t index);
    void serve(std::uint64_t rank);
    void unserve(std::uint64_t rank);
    // What swapping x out of the game and y in does: sets newly served minus those left unserved.
    std::int64_t gainOf(Mask game, int x, int y);
    void swap(size_t index, int x, int y);
    void addServing();
    bool shrink(const std::function<bool()> &stopped); // false when stopped before

    bool step(); // false when no swap could be made
    template<typename Visit>
    void forEachServed(Mask game, Visit visit);
    template<typename Visit>
    void forEachChanged(Mask game, int x, int y, Visit visit);

    WheelProblem m_problem;
    Mask m_all;
    Random m_random;
    std::vector<Mask> m_games;
    std::vector<std::uint32_t> m_servedBy; // by the rank of a set of m numbers
    std::vector<std::int64_t> m_weight; // by rank: how often the set was left unserved, and 1
    std::vector<std::uint32_t> m_unserved; // ranks, in no order
    std::vector<std::int32_t> m_placeInUnserved; // -1 when served
    std::vector<std::int64_t> m_tabu; // game * v + number: until when it may not come back in
    std::vector<Mask> m_best;
    static constexpr std::int64_t LookEvery = 1 << 18; // some 10 ms of work
    std::int64_t m_spent = 0, m_step = 0, m_nextLook = 0;
    size_t m_fewestUnserved = 0; // at this size, the fewest unserved yet
    std::atomic<std::int64_t> m_spentShared { 0 };
    std::atomic<std::uint64_t> m_bestSize { ~std::uint64_t(0) };
};

} // namespace dezenario::wheel
