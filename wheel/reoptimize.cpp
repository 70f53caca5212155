#include "reoptimize.h"

#include "setcover.h"

#include <algorithm>

namespace dezenario::wheel {

std::vector<Mask> reoptimized(int v, int k, int t, std::vector<Mask> games, int rounds, int out,
                              std::int64_t effort, std::uint64_t seed)
{
    Random random(seed);
    std::vector<std::uint32_t> servedBy(size_t(binomial(v, t)), 0);
    std::vector<std::int32_t> rowOfRank(servedBy.size(), -1);
    auto serve = [&](Mask game, std::uint32_t times) {
        forEachSubset(game, t, [&](Mask set) { servedBy[size_t(rankOf(set))] += times; });
    };
    for (const Mask game : games)
        serve(game, 1);
    for (int round = 0; round < rounds && !games.empty(); ++round) {
        const Mask centre = games[random.below(games.size())];
        std::vector<std::pair<std::uint64_t, size_t>> near; // nearest first, ties drawn
        for (size_t i = 0; i < games.size(); ++i)
            near.emplace_back(std::uint64_t(k - std::popcount(games[i] & centre)) << 32
                                      | random.below(std::uint64_t(1) << 32),
                              i);
        const size_t taken = std::min(games.size(), size_t(out));
        std::partial_sort(near.begin(), near.begin() + std::ptrdiff_t(taken), near.end());
        near.resize(taken);
        for (const auto &game : near)
            serve(games[game.second], std::uint32_t(-1));
        // The rows: the sets that none of the games left serves.
        std::vector<Mask> rows;
        for (const auto &game : near)
            forEachSubset(games[game.second], t, [&](Mask set) {
                const size_t rank = size_t(rankOf(set));
                if (servedBy[rank] == 0 && rowOfRank[rank] < 0)
                    rowOfRank[rank] = std::int32_t(rows.size()), rows.push_back(set);
            });
        // The columns: every game that holds one of them.
        std::vector<Mask> columns;
        for (const Mask row : rows)
            forEachSubset(lowest(v) & ~row, k - t,
                          [&](Mask more) { columns.push_back(row | more); });
        std::sort(columns.begin(), columns.end());
        columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
        std::vector<std::vector<std::int32_t>> covers(columns.size());
        for (size_t j = 0; j < columns.size(); ++j)
            forEachSubset(columns[j], t, [&](Mask set) {
                if (const std::int32_t row = rowOfRank[size_t(rankOf(set))]; row >= 0)
                    covers[j].push_back(row);
            });
        std::vector<Mask> fresh;
        if (!rows.empty()) {
            const std::vector<bool> chosen =
                    SetCover(std::move(covers), std::vector<std::int64_t>(columns.size(), 1),
                             std::vector<std::int64_t>(rows.size(), 1), random.next())
                            .run(effort);
            for (size_t j = 0; j < chosen.size(); ++j)
                if (chosen[j])
                    fresh.push_back(columns[j]);
        }
        for (const Mask row : rows)
            rowOfRank[size_t(rankOf(row))] = -1;
        if ((rows.empty() || !fresh.empty()) && fresh.size() <= taken) {
            std::sort(near.begin(), near.end(),
                      [](const auto &a, const auto &b) { return a.second > b.second; });
            for (const auto &game : near) // the last first, so that the places stay right
                games[game.second] = games.back(), games.pop_back();
            for (const Mask game : fresh)
                serve(game, 1), games.push_back(game);
        } else {
            for (const auto &game : near)
                serve(games[game.second], 1);
        }
    }
    std::sort(games.begin(), games.end());
    return games;
}

} // namespace dezenario::wheel
