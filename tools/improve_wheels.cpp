// Makes or improves entries of the program's own table of wheels, on this machine, for as long as
// it is told: the wheel of the table, or the constructions, go on through the program's own search
// on both cores, and a smaller wheel replaces the entry once the check passes it.
//   improve_wheels TABLE k t m v SECONDS [SEED]
//   improve_wheels TABLE --constructions
//   improve_wheels TABLE --groups k t v EFFORT [SEEDS [M]]
#include "constructions.h"
#include "groupcover.h"
#include "guarantee.h"
#include "searchchain.h"

#include <atomic>
#include "wheeltable.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <thread>

using namespace dezenario::wheel;

namespace {
using Key = std::tuple<int, int, int, int>; // k, t, m, v: the table's order
Key keyOf(const WheelProblem &p)
{
    return { p.perGame, p.guarantee, p.condition, p.chosen };
}

const char *const Heading =
        "# The program's own wheels: games of k of v numbers such that whenever m of the numbers "
        "drawn are\n# among the v, some game has t of them. Columns: k, t, m, v, games, how the "
        "wheel was found, and\n# the games on 1..v. Made and improved by "
        "scripts/improve-wheels.sh; every wheel is checked before it is kept.\n";

std::map<Key, TableWheel> load(const std::string &path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    std::map<Key, TableWheel> table;
    for (TableWheel &wheel : readWheelTable(text.str()))
        table[keyOf(wheel.problem)] = std::move(wheel);
    return table;
}

bool save(const std::string &path, const std::map<Key, TableWheel> &table)
{
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary);
        file << Heading;
        for (const auto &entry : table)
            file << wheelTableLine(entry.second) << '\n';
        if (!file.flush())
            return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

bool holds(const WheelProblem &problem, const std::vector<Mask> &games)
{
    const auto check = checkGuarantee(problem, games);
    return check && check->holds();
}

// Keeps the wheel when it is checked and smaller than the table's; says what it did.
bool offer(std::map<Key, TableWheel> &table, TableWheel wheel)
{
    const auto &p = wheel.problem;
    const auto old = table.find(keyOf(p));
    std::printf("k=%d t=%d m=%d v=%d: %zu games (%s)", p.perGame, p.guarantee, p.condition,
                p.chosen, wheel.games.size(), wheel.how.c_str());
    if (!holds(p, wheel.games)) {
        std::printf(", fails its check: not kept\n");
        return false;
    }
    if (old != table.end() && old->second.games.size() <= wheel.games.size()) {
        std::printf(", the table has %zu: not kept\n", old->second.games.size());
        return false;
    }
    std::printf(", kept\n");
    table[keyOf(p)] = std::move(wheel);
    return true;
}

// The seconds of search an entry has had, read back from its words.
long searchedSeconds(const std::string &how)
{
    const size_t at = how.find("busca local de ");
    return at == std::string::npos ? 0 : std::atol(how.c_str() + at + 15);
}
} // namespace

// A wheel on v numbers from one on v + 1: the last number of each game that has it is replaced by
// the lowest number the game lacks. Every set of the v numbers is served as before.
std::vector<Mask> oneNumberLess(const std::vector<Mask> &games, int v)
{
    std::vector<Mask> fewer;
    for (Mask game : games) {
        if (game >> v & 1) {
            const Mask lacking = lowest(v) & ~game;
            game = (game & ~(Mask(1) << v)) | (lacking & (~lacking + 1));
        }
        fewer.push_back(game);
    }
    std::sort(fewer.begin(), fewer.end());
    fewer.erase(std::unique(fewer.begin(), fewer.end()), fewer.end());
    return fewer;
}

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
    auto table = load(path);
    return offer(table, best) && !save(path, table) ? 1 : 0;
}

int main(int argc, char **argv)
{
    if (argc >= 7 && std::string(argv[2]) == "--groups")
        return improveByGroups(argv[1], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                               std::atoll(argv[6]), argc > 7 ? std::atoi(argv[7]) : 1,
                               argc > 8 ? std::atoi(argv[8]) : 0);
    if (argc == 3 && std::string(argv[2]) == "--constructions") {
        auto table = load(argv[1]);
        offer(table,
              { { 12, 6, 5, 5 },
                steiner5612(),
                "construção: S(5,6,12), do código de Golay ternário" });
        offer(table,
              { { 22, 6, 3, 3 },
                steiner3622(),
                "construção: S(3,6,22), do código de Golay binário" });
        offer(table,
              { { 26, 6, 3, 3 },
                steiner3626(),
                "construção: S(3,6,26), o plano de Möbius sobre GF(25)" });
        offer(table,
              { { 24, 6, 5, 5 },
                steiner5624(),
                "construção: S(5,6,24), invariante por PSL(2,23)" });
        const std::vector<Mask> s4627 = steiner4627();
        offer(table,
              { { 27, 6, 4, 4 },
                s4627,
                "construção: S(4,6,27), derivado de S(5,7,28), invariante por PSL(2,27)" });
        // 28 numbers: S(4,6,27), and the table's games of 5 that cover every 3 of the 27, each
        // with the 28th number.
        if (const auto five = table.find({ 5, 3, 3, 27 }); five != table.end()) {
            std::vector<Mask> games = s4627;
            for (const Mask game : five->second.games)
                games.push_back(game | Mask(1) << 27);
            offer(table,
                  { { 28, 6, 4, 4 }, games, "construção: S(4,6,27) e C(27,5,3) com a 28ª dezena" });
        }
        return save(argv[1], table) ? 0 : 1;
    }
    if (argc < 7) {
        std::fprintf(stderr,
                     "usage: %s TABLE k t m v SECONDS [SEED]\n       %s TABLE --constructions\n",
                     argv[0], argv[0]);
        return 2;
    }
    const WheelProblem problem { std::atoi(argv[5]), std::atoi(argv[2]), std::atoi(argv[3]),
                                 std::atoi(argv[4]) };
    const long seconds = std::atol(argv[6]);
    const std::uint64_t seed = argc > 7 ? std::strtoull(argv[7], nullptr, 10) : 1;
    if (problem.perGame < 3 || problem.perGame > 9 || problem.chosen <= problem.perGame
        || problem.chosen > MostChosen || problem.guarantee < 3
        || problem.guarantee > problem.condition || problem.condition > 6 || seconds <= 0) {
        std::fprintf(stderr, "%s: no such wheel, or no time to search\n", argv[0]);
        return 2;
    }
    auto table = load(argv[1]);
    std::vector<TableWheel> asRead;
    for (const auto &entry : table)
        asRead.push_back(entry.second);
    TableStart start = tableStart(problem, asRead);
    std::string from; // where the search starts, when not from the table's own wheel
    if (!start.exact && !start.games.empty())
        from = ", a partir da cobertura de t = " + std::to_string(problem.guarantee);
    // Or the wheel of one number more, when it gives fewer games.
    const WheelProblem more { problem.chosen + 1, problem.perGame, problem.guarantee,
                              problem.condition };
    if (const auto larger = table.find(keyOf(more)); larger != table.end()) {
        std::vector<Mask> fewer = oneNumberLess(larger->second.games, problem.chosen);
        if (start.games.empty() || fewer.size() < start.games.size()) {
            start = TableStart { std::move(fewer), true };
            from = ", a partir do fechamento de " + std::to_string(more.chosen) + " dezenas";
        }
    }
    const auto old = table.find(keyOf(problem));
    const long before = old == table.end() ? 0 : searchedSeconds(old->second.how);

    // Two chains of their own seeds from the same start, one on each core, for the time given.
    std::atomic<bool> stop { false };
    SearchChain chains[2] = { SearchChain(problem, seed * 2), SearchChain(problem, seed * 2 + 1) };
    std::thread threads[2];
    for (int i = 0; i < 2; ++i) {
        threads[i] = std::thread([&, i] {
            chains[i].begin(start.games);
            while (!stop)
                chains[i].run(std::int64_t(1) << 28, lowerBound(problem), stop);
        });
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until
           && std::min(chains[0].bestSize().load(), chains[1].bestSize().load())
                   > lowerBound(problem))
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    stop = true;
    for (std::thread &thread : threads)
        thread.join();
    const SearchChain &best =
            chains[1].best().size() < chains[0].best().size() ? chains[1] : chains[0];
    const long searched = from.empty() ? before + seconds : seconds;
    const std::string how =
            "busca local de " + std::to_string(searched) + " s em dois núcleos" + from;
    table = load(argv[1]); // as it is now: another run may have kept a wheel meanwhile
    if (!offer(table, { problem, best.best(), how }))
        return 0;
    return save(argv[1], table) ? 0 : 1;
}
