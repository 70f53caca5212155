#include "groupcover.h"

#include "setcover.h"

#include <algorithm>
#include <numeric>
#include <set>

namespace dezenario::wheel {

std::vector<Permutation> groupOf(int n, const std::vector<Permutation> &generators)
{
    Permutation identity(static_cast<size_t>(n));
    std::iota(identity.begin(), identity.end(), std::uint8_t(0));
    std::set<Permutation> seen { identity };
    std::vector<Permutation> group { identity };
    for (size_t i = 0; i < group.size(); ++i) // each element times each generator, breadth first
        for (const Permutation &g : generators) {
            Permutation product(static_cast<size_t>(n));
            for (size_t x = 0; x < size_t(n); ++x)
                product[x] = g[group[i][x]];
            if (seen.insert(product).second)
                group.push_back(std::move(product));
        }
    return group;
}

std::vector<Permutation> affineGroup(int m, int copies, int multiplier, int fixed)
{
    const int n = m * copies + fixed;
    Permutation shift(static_cast<size_t>(n)), times(static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) {
        const bool moves = x < m * copies;
        const int run = x / m * m, place = x % m;
        shift[size_t(x)] = std::uint8_t(moves ? run + (place + 1) % m : x);
        times[size_t(x)] = std::uint8_t(moves ? run + place * multiplier % m : x);
    }
    return groupOf(n, { shift, times });
}

std::vector<Permutation> shiftGroup(const std::vector<int> &orders, int fixed)
{
    int moved = 1;
    for (const int m : orders)
        moved *= m;
    std::vector<Permutation> generators;
    for (int place = 0, step = 1; place < int(orders.size()); step *= orders[size_t(place++)]) {
        const int m = orders[size_t(place)];
        Permutation shift(static_cast<size_t>(moved + fixed));
        for (int x = 0; x < moved + fixed; ++x) {
            const int digit = x / step % m;
            shift[size_t(x)] = std::uint8_t(x < moved ? x + ((digit + 1) % m - digit) * step : x);
        }
        generators.push_back(std::move(shift));
    }
    return groupOf(moved + fixed, generators);
}

Mask imageOf(Mask set, const Permutation &p)
{
    Mask image = 0;
    for (; set; set &= set - 1)
        image |= Mask(1) << p[size_t(std::countr_zero(set))];
    return image;
}

std::vector<Mask> orbitOf(Mask set, const std::vector<Permutation> &group)
{
    std::vector<Mask> orbit;
    orbit.reserve(group.size());
    for (const Permutation &p : group)
        orbit.push_back(imageOf(set, p));
    std::sort(orbit.begin(), orbit.end());
    orbit.erase(std::unique(orbit.begin(), orbit.end()), orbit.end());
    return orbit;
}

std::vector<Mask> orbitLeaders(int n, int size, const std::vector<Permutation> &group,
                               std::vector<std::int32_t> *orbitOfRank)
{
    std::vector<std::int32_t> orbit(size_t(binomial(n, size)), -1);
    std::vector<Mask> leaders;
    forEachSubset(lowest(n), size, [&](Mask set) {
        if (orbit[size_t(rankOf(set))] >= 0)
            return;
        for (const Permutation &p : group)
            orbit[size_t(rankOf(imageOf(set, p)))] = std::int32_t(leaders.size());
        leaders.push_back(set);
    });
    if (orbitOfRank)
        *orbitOfRank = std::move(orbit);
    return leaders;
}

// The orbits of t-sets are the rows, those of games the columns, each costing its games.
std::vector<Mask> invariantCovering(int n, int k, int t, const std::vector<Permutation> &group,
                                    std::int64_t effort, std::uint64_t seed, std::int64_t budget)
{
    std::vector<std::int32_t> rowOf;
    const size_t rows = orbitLeaders(n, t, group, &rowOf).size();
    const std::vector<Mask> columns = orbitLeaders(n, k, group, nullptr);
    std::vector<std::vector<std::int32_t>> covers;
    std::vector<std::int64_t> cost, size(rows, 0);
    for (const Mask leader : columns) {
        const std::vector<Mask> orbit = orbitOf(leader, group);
        cost.push_back(std::int64_t(orbit.size()));
        std::vector<std::int32_t> covered;
        for (const Mask game : orbit)
            forEachSubset(game, t,
                          [&](Mask set) { covered.push_back(rowOf[size_t(rankOf(set))]); });
        std::sort(covered.begin(), covered.end());
        covered.erase(std::unique(covered.begin(), covered.end()), covered.end());
        covers.push_back(std::move(covered));
    }
    for (const std::int32_t row : rowOf)
        ++size[size_t(row)];
    const std::vector<bool> chosen =
            SetCover(std::move(covers), std::move(cost), std::move(size), seed).run(effort, budget);
    std::vector<Mask> games;
    for (size_t j = 0; j < chosen.size(); ++j)
        if (chosen[j])
            for (const Mask game : orbitOf(columns[j], group))
                games.push_back(game);
    return games;
}

} // namespace dezenario::wheel
