// The coverings that groups of permutations leave as they are, for the table of wheels.
#include "groupcover.h"
#include "guarantee.h"
#include "tablefile.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <set>

namespace dezenario::wheel::tools {

// Coverings that a group of permutations leaves as it is, each searched from so many seeds: the
// maps x -> ax + b on runs of m numbers (the rest fixed), for every such group of 8 to 1 000 maps
// (or those of runs of `only` numbers alone); the shifts of the abelian groups that are not cyclic;
// and where v - 1 is a prime p, subgroups of PSL(2, p) that two maps drawn at random generate.
// The smallest is offered to the table.
int improveByGroups(const std::string &path, int k, int t, int v, std::int64_t effort, int seeds,
                    int only)
{
    TableWheel best { { v, k, t, t }, {}, "" };
    auto tryGroup = [&](const std::vector<Permutation> &group, const std::string &name) {
        std::vector<Mask> games;
        for (int seed = 1; seed <= seeds; ++seed)
            if (auto found = invariantCovering(v, k, t, group, effort, std::uint64_t(seed));
                games.empty() || (!found.empty() && found.size() < games.size()))
                games = std::move(found);
        std::printf("  %s: %zu games\n", name.c_str(), games.size());
        std::fflush(stdout);
        if (!games.empty() && (best.games.empty() || games.size() < best.games.size()))
            best = { { v, k, t, t }, games, "construção: invariante por " + name };
    };
    for (int m = only ? only : 5; m <= (only ? only : v); ++m)
        for (int copies = v / m; copies >= 1 && v - copies * m <= 4; --copies) {
            std::set<std::vector<int>> multipliers; // each group of powers once
            for (int a = 1; a < m; ++a) {
                std::vector<int> powers { 1 };
                while (std::gcd(a, m) == 1 && powers.back() * a % m != 1)
                    powers.push_back(powers.back() * a % m);
                std::sort(powers.begin(), powers.end());
                const size_t order = size_t(m) * powers.size();
                if (std::gcd(a, m) == 1 && order >= 8 && order <= 1000
                    && multipliers.insert(powers).second)
                    tryGroup(affineGroup(m, copies, a, v - copies * m),
                             "x -> " + std::to_string(a) + "x + b em " + std::to_string(copies)
                                     + " x Z" + std::to_string(m) + ", "
                                     + std::to_string(v - copies * m) + " fixas");
            }
        }
    const std::vector<std::vector<int>> abelian { { 2, 2, 2, 2 }, { 2, 2, 4 }, { 4, 4 },
                                                  { 2, 8 },       { 3, 3, 2 }, { 3, 6 },
                                                  { 2, 10 },      { 2, 2, 5 }, { 2, 2, 2, 3 },
                                                  { 2, 2, 6 },    { 2, 12 },   { 3, 3, 3 },
                                                  { 3, 9 },       { 2, 14 },   { 2, 2, 7 } };
    for (const std::vector<int> &orders : abelian) {
        const int moved = std::accumulate(orders.begin(), orders.end(), 1, std::multiplies<>());
        std::string name;
        for (const int m : orders)
            name += (name.empty() ? "Z" : " x Z") + std::to_string(m);
        if (!only && moved <= v && v - moved <= 2)
            tryGroup(shiftGroup(orders, v - moved),
                     "translações de " + name + ", " + std::to_string(v - moved) + " fixas");
    }
    bool prime = v > 6 && !only;
    for (int d = 2; d * d <= v - 1; ++d)
        prime = prime && (v - 1) % d != 0;
    const std::vector<Permutation> whole =
            prime ? projectiveGroup(v - 1) : std::vector<Permutation>();
    std::set<std::vector<Permutation>> tried;
    Random random(7);
    for (int draw = 0; prime && draw < 200; ++draw) {
        std::vector<Permutation> group = groupOf(
                v, { whole[random.below(whole.size())], whole[random.below(whole.size())] });
        std::sort(group.begin(), group.end());
        if (group.size() >= 20 && group.size() <= 400 && tried.insert(group).second)
            tryGroup(group,
                     "um subgrupo de PSL(2," + std::to_string(v - 1) + ") de "
                             + std::to_string(group.size()) + " elementos");
    }
    return offerAndSave(path, best) ? 0 : 1;
}

int improveByPatching(const std::string &path, int k, int t, int v, std::int64_t effort,
                      long seconds, int m, int copies, int a, std::int64_t budget)
{
    const int fixed = v - m * copies;
    const WheelProblem problem { v, k, t, t };
    // Of four seeds, the orbits that leave fewest sets for the search to serve.
    std::vector<Mask> orbits;
    std::uint64_t fewest = 0;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        std::vector<Mask> found =
                invariantCovering(v, k, t, affineGroup(m, copies, a, fixed), effort, seed, budget);
        const std::uint64_t left = checkGuarantee(problem, found)->unserved;
        if (seed == 1 || left < fewest)
            fewest = left, orbits = std::move(found);
    }
    const std::vector<Mask> games = searchFrom(problem, orbits, seconds, 1);
    std::printf("  %zu games in orbits, %zu once the search served the rest\n", orbits.size(),
                games.size());
    return offerAndSave(path,
                        { problem, games,
                          "construção: órbitas de x -> " + std::to_string(a) + "x + b em "
                                  + std::to_string(copies) + " x Z" + std::to_string(m) + ", "
                                  + std::to_string(fixed) + " fixas, até " + std::to_string(budget)
                                  + " jogos, e busca local de " + std::to_string(seconds)
                                  + " s em dois núcleos" })
            ? 0
            : 1;
}

} // namespace dezenario::wheel::tools
