// Makes or improves entries of the program's own table of wheels, on this machine, for as long as
// it is told: the wheel of the table, or the constructions, go on through the program's own search
// on both cores, and a smaller wheel replaces the entry once the check passes it.
//   improve_wheels TABLE k t m v SECONDS [SEED]
//   improve_wheels TABLE --constructions
//   improve_wheels TABLE --groups k t v EFFORT [SEEDS [M]]
//   improve_wheels TABLE --patch k t v EFFORT SECONDS m copies a BUDGET [SEED]
//   improve_wheels TABLE --patch-psl k t v EFFORT SECONDS q copies affine i j BUDGET [SEED]
//   improve_wheels TABLE --reoptimize k t v ROUNDS OUT EFFORT [SEED]
// M: the maps x -> ax + b on runs of M numbers alone; -1: the subgroups of PSL(2, q) alone.
#include "constructions.h"
#include "reoptimize.h"
#include "tablefile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace dezenario::wheel;
using namespace dezenario::wheel::tools;

namespace {

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

int main(int argc, char **argv)
{
    if ((argc == 12 || argc == 13) && std::string(argv[2]) == "--patch")
        return improveByPatching(argv[1], std::atoi(argv[3]), std::atoi(argv[4]),
                                 std::atoi(argv[5]), std::atoll(argv[6]), std::atol(argv[7]),
                                 std::atoi(argv[8]), std::atoi(argv[9]), std::atoi(argv[10]),
                                 std::atoll(argv[11]),
                                 argc > 12 ? std::strtoull(argv[12], nullptr, 10) : 1);
    if ((argc == 14 || argc == 15) && std::string(argv[2]) == "--patch-psl")
        return improveByPatchingProjective(
                argv[1], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                std::atoll(argv[6]), std::atol(argv[7]), std::atoi(argv[8]), std::atoi(argv[9]),
                std::atoi(argv[10]) != 0, std::atoi(argv[11]), std::atoi(argv[12]),
                std::atoll(argv[13]), argc > 14 ? std::strtoull(argv[14], nullptr, 10) : 1);
    if ((argc == 9 || argc == 10) && std::string(argv[2]) == "--reoptimize") {
        const int k = std::atoi(argv[3]), t = std::atoi(argv[4]), v = std::atoi(argv[5]),
                  rounds = std::atoi(argv[6]), out = std::atoi(argv[7]);
        const auto table = load(argv[1]);
        const auto entry = table.find({ k, t, t, v });
        if (entry == table.end())
            return 2;
        return offerAndSave(
                       argv[1],
                       { entry->second.problem,
                         reoptimized(v, k, t, entry->second.games, rounds, out, std::atoll(argv[8]),
                                     argc > 9 ? std::strtoull(argv[9], nullptr, 10) : 1),
                         entry->second.how + "; refeita por vizinhanças, " + std::to_string(rounds)
                                 + " vezes " + std::to_string(out) + " jogos" })
                ? 0
                : 1;
    }
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
        offer(table,
              { { 27, 6, 4, 4 },
                steiner4627(),
                "construção: S(4,6,27), derivado de S(5,7,28), invariante por PSL(2,27)" });
        // Each cell from the table's wheels of one number fewer: the wheel of the cell, and the
        // games of one number fewer that cover every t - 1, each with the last number. So 28
        // numbers, quadra if 4, is S(4,6,27) and C(27,5,3): 1 489 games, Schönheim's bound.
        for (int v = 8; v <= MostChosen; ++v)
            for (int k = 4; k <= 9; ++k)
                for (int t = 3; t < k && t <= 5; ++t) {
                    const auto cover = table.find({ k, t, t, v - 1 }),
                               smaller = table.find({ k - 1, t - 1, t - 1, v - 1 });
                    auto c = [v](int perGame, int covered) {
                        return "C(" + std::to_string(v - 1) + "," + std::to_string(perGame) + ","
                                + std::to_string(covered) + ")";
                    };
                    if (cover != table.end() && smaller != table.end())
                        offer(table,
                              { { v, k, t, t },
                                oneNumberMore(cover->second.games, smaller->second.games, v - 1),
                                "construção: " + c(k, t) + " e " + c(k - 1, t - 1) + " com a "
                                        + std::to_string(v) + "ª dezena" });
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

    const std::vector<Mask> games = searchFrom(problem, start.games, seconds, seed);
    const long searched = from.empty() ? before + seconds : seconds;
    const std::string how =
            "busca local de " + std::to_string(searched) + " s em dois núcleos" + from;
    return offerAndSave(argv[1], { problem, games, how }) ? 0 : 1;
}
