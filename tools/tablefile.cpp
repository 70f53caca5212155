#include "tablefile.h"

#include "guarantee.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace dezenario::wheel::tools {

Key keyOf(const WheelProblem &p)
{
    return { p.perGame, p.guarantee, p.condition, p.chosen };
}

namespace {
const char *const Heading =
        "# The program's own wheels: games of k of v numbers such that whenever m of the numbers "
        "drawn are\n# among the v, some game has t of them. Columns: k, t, m, v, games, how the "
        "wheel was found, and\n# the games on 1..v. Made and improved by "
        "scripts/improve-wheels.sh; every wheel is checked before it is kept.\n";
} // namespace

Table load(const std::string &path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    Table table;
    for (TableWheel &wheel : readWheelTable(text.str()))
        table[keyOf(wheel.problem)] = std::move(wheel);
    return table;
}

bool save(const std::string &path, const Table &table)
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

static bool holds(const WheelProblem &problem, const std::vector<Mask> &games)
{
    const auto check = checkGuarantee(problem, games);
    return check && check->holds();
}

bool offer(Table &table, TableWheel wheel)
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

bool offerAndSave(const std::string &path, TableWheel wheel)
{
    Table table = load(path); // as it is now: another run may have kept a wheel meanwhile
    return !offer(table, std::move(wheel)) || save(path, table);
}

std::vector<Mask> searchFrom(const WheelProblem &problem, const std::vector<Mask> &start,
                             long seconds, std::uint64_t seed)
{
    std::atomic<bool> stop { false };
    SearchChain chains[2] = { SearchChain(problem, seed * 2), SearchChain(problem, seed * 2 + 1) };
    std::thread threads[2];
    for (int i = 0; i < 2; ++i) {
        threads[i] = std::thread([&, i] {
            chains[i].begin(start);
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
    return best.best();
}

} // namespace dezenario::wheel::tools
