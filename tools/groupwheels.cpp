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

namespace {
// PSL(2, q) on the projective line, or its maps that fix infinity (z -> a^2 z + b) on GF(q),
// acting alike on each of `copies` runs of the v numbers, the rest fixed; in order.
std::vector<Permutation> projectiveMaps(int v, int q, bool affine, int copies)
{
    const int run = affine ? q : q + 1;
    std::vector<Permutation> maps;
    for (const Permutation &p : projectiveGroup(q))
        if (!affine || p[size_t(q)] == q) {
            Permutation alike(size_t(v), 0);
            std::iota(alike.begin(), alike.end(), 0);
            for (int c = 0; c < copies; ++c)
                for (int x = 0; x < run; ++x)
                    alike[size_t(c * run + x)] = std::uint8_t(c * run + p[size_t(x)]);
            maps.push_back(std::move(alike));
        }
    std::sort(maps.begin(), maps.end());
    return maps;
}

// The subgroup that maps i and j generate; all of them when i is -1.
std::vector<Permutation> subgroup(const std::vector<Permutation> &maps, int i, int j)
{
    return i < 0 ? maps : groupOf(int(maps[0].size()), { maps[size_t(i)], maps[size_t(j)] });
}

// Its name, with the maps that make the subgroup again (improve_wheels --patch-psl).
std::string projectiveName(int v, int q, bool affine, int copies, int i, int j, size_t order)
{
    const int run = affine ? q : q + 1;
    return (i < 0 ? ""
                  : "um subgrupo (mapas " + std::to_string(i) + " e " + std::to_string(j) + ") de ")
            + std::string(affine ? "z -> a²z + b em " : "") + "PSL(2," + std::to_string(q) + ") de "
            + std::to_string(order) + " elementos em " + std::to_string(copies) + " x "
            + std::to_string(run) + ", " + std::to_string(v - copies * run) + " fixas";
}
} // namespace

// Coverings that a group of permutations leaves as it is, each searched from so many seeds: the
// maps x -> ax + b on runs of m numbers (the rest fixed), for every such group of 8 to 1 000 maps
// (or those of runs of `only` numbers alone, or with `only` -1, the subgroups of PSL(2, q) alone);
// the shifts of the abelian groups that are not cyclic; and PSL(2, q) alike on runs of the numbers
// (projectiveMaps), whole and the subgroups that two of its maps drawn at random generate. The
// smallest is offered to the table.
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
    for (int m = only ? only : 5; m <= (only ? only : v) && only >= 0; ++m)
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
    // PSL(2, q) alike on runs of the numbers (see projectiveMaps): the whole group and subgroups
    // that two of its maps drawn at random generate.
    Random random(7);
    for (const int q : { 4, 7, 8, 9, 11, 13, 16, 17, 19, 23, 25, 27, 29 })
        for (const bool affine : { false, true })
            for (int copies = 1; copies * q <= v; ++copies) {
                const int fixed = v - copies * (affine ? q : q + 1);
                if (only > 0 || fixed < 0 || fixed > 4)
                    continue;
                const std::vector<Permutation> maps = projectiveMaps(v, q, affine, copies);
                std::set<std::vector<Permutation>> tried;
                for (int draw = 0; draw < 80; ++draw) {
                    const int i = draw ? int(random.below(maps.size())) : -1,
                              j = draw ? int(random.below(maps.size())) : -1;
                    std::vector<Permutation> group = subgroup(maps, i, j);
                    std::sort(group.begin(), group.end());
                    if (group.size() >= 8 && group.size() <= 1000 && tried.insert(group).second)
                        tryGroup(group, projectiveName(v, q, affine, copies, i, j, group.size()));
                }
            }
    return offerAndSave(path, best) ? 0 : 1;
}

namespace {
// The orbits of the group within a budget of games (0: a whole covering), those of four seeds that
// leave fewest sets for the search to serve, then fewest games; then the program's own search
// serves them and makes the wheel smaller.
int patch(const std::string &path, const WheelProblem &problem,
          const std::vector<Permutation> &group, const std::string &name, std::int64_t effort,
          long seconds, std::int64_t budget, std::uint64_t seed)
{
    std::vector<Mask> orbits;
    std::uint64_t fewest = 0;
    for (std::uint64_t draw = 0; draw < 4; ++draw) {
        std::vector<Mask> found =
                invariantCovering(problem.chosen, problem.perGame, problem.guarantee, group, effort,
                                  4 * (seed - 1) + draw + 1, budget);
        const std::uint64_t left = checkGuarantee(problem, found)->unserved;
        if (draw == 0 || left < fewest || (left == fewest && found.size() < orbits.size()))
            fewest = left, orbits = std::move(found);
    }
    const std::vector<Mask> games = searchFrom(problem, orbits, seconds, seed);
    std::printf("  %zu games in orbits, %zu once the search served the rest\n", orbits.size(),
                games.size());
    return offerAndSave(path,
                        { problem, games,
                          "construção: órbitas de " + name + ", até " + std::to_string(budget)
                                  + " jogos, e busca local de " + std::to_string(seconds)
                                  + " s em dois núcleos" })
            ? 0
            : 1;
}
} // namespace

int improveByPatching(const std::string &path, int k, int t, int v, std::int64_t effort,
                      long seconds, int m, int copies, int a, std::int64_t budget,
                      std::uint64_t seed)
{
    const int fixed = v - m * copies;
    return patch(path, { v, k, t, t }, affineGroup(m, copies, a, fixed),
                 "x -> " + std::to_string(a) + "x + b em " + std::to_string(copies) + " x Z"
                         + std::to_string(m) + ", " + std::to_string(fixed) + " fixas",
                 effort, seconds, budget, seed);
}

int improveByPatchingProjective(const std::string &path, int k, int t, int v, std::int64_t effort,
                                long seconds, int q, int copies, bool affine, int i, int j,
                                std::int64_t budget, std::uint64_t seed)
{
    const std::vector<Permutation> maps = projectiveMaps(v, q, affine, copies);
    if (i >= int(maps.size()) || j >= int(maps.size()) || v < copies * (affine ? q : q + 1))
        return 2;
    const std::vector<Permutation> group = subgroup(maps, i, j);
    return patch(path, { v, k, t, t }, group,
                 projectiveName(v, q, affine, copies, i, j, group.size()), effort, seconds, budget,
                 seed);
}

} // namespace dezenario::wheel::tools
