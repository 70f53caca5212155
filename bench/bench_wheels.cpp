// The wheels found with the default effort, and those of the program's own table, beside the
// smallest known (the La Jolla Covering Repository's table): games of 6, quadra if 4 and the like
// (m = t) for t = 3, 4, 5, every v from 7 to 30 where the best known is under 3 000 games; then,
// for m > t, the sizes beside the program's own covering for the same v. Run with the table's path:
//   bench_wheels ../shared/wheels/best-known.tsv [--benchmark_filter=...]
#include "wheeljob.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <map>
#include <sstream>
#include <thread>

using namespace dezenario::wheel;

namespace {
std::map<std::tuple<int, int, int>, int> bestKnown; // by k, t, v

// The wheel found with the default effort; none when its check failed, which no row may show.
std::vector<Mask> wheelOf(const WheelProblem &problem, TableStart start = {})
{
    WheelJob job(problem, WheelJob::DefaultEffort, std::move(start));
    job.start();
    while (job.progress().running)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto result = job.result();
    return result && result->check.holds() ? result->games : std::vector<Mask>();
}

// The program's own table's wheel, checked; 0 where the table has none, or it fails its check.
std::size_t tableSize(const WheelProblem &problem)
{
    const TableStart start = tableStart(problem);
    const auto check = start.exact ? checkGuarantee(problem, start.games) : std::nullopt;
    return check && check->holds() ? start.games.size() : 0;
}

// The seconds are those of the search alone; the window shows the smaller of it and the table's.
void covering(benchmark::State &state)
{
    const WheelProblem problem { int(state.range(0)), 6, int(state.range(1)), int(state.range(1)) };
    std::size_t games = 0;
    for (auto _ : state)
        games = wheelOf(problem).size();
    const std::size_t table = tableSize(problem);
    const std::size_t shown = table && table < games ? table : games;
    const int best = bestKnown[{ 6, problem.guarantee, problem.chosen }];
    state.counters["table"] = double(table);
    state.counters["search"] = double(games);
    state.counters["best_known"] = best;
    state.counters["ratio"] = best ? double(shown) / best : 0;
    state.counters["lower_bound"] = double(lowerBound(problem));
}

// Quadra if 5 or 6, quina if 6, beside the covering of the same v, which also serves; searched
// from the table's covering, as the window does.
void beyond(benchmark::State &state)
{
    const WheelProblem problem { int(state.range(0)), 6, int(state.range(1)), int(state.range(2)) };
    std::size_t games = 0;
    for (auto _ : state)
        games = wheelOf(problem, tableStart(problem)).size();
    std::size_t cover = wheelOf({ problem.chosen, 6, problem.guarantee, problem.guarantee }).size();
    if (const std::size_t table =
                tableSize({ problem.chosen, 6, problem.guarantee, problem.guarantee }))
        cover = std::min(cover, table);
    state.counters["games"] = double(games);
    state.counters["covering"] = double(cover);
    state.counters["ratio"] = double(games) / double(cover);
    state.counters["lower_bound"] = double(lowerBound(problem));
}
// How long the window waits, once closed, for a search in full course to end: the job's
// destructor, a second into the search of the largest wheels of the window.
void closing(benchmark::State &state)
{
    const WheelProblem problem { 30, int(state.range(0)), int(state.range(1)),
                                 int(state.range(1)) };
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<WheelJob>(problem);
        job->start();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        state.ResumeTiming();
        job.reset();
    }
}
} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    std::ifstream table(argc > 1 ? argv[1] : "../shared/wheels/best-known.tsv");
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        int k = 0, t = 0, v = 0, best = 0;
        if (line.empty() || line[0] == '#' || !(fields >> k >> t >> v >> best))
            continue;
        bestKnown[{ k, t, v }] = best;
    }
    if (bestKnown.empty()) {
        std::fprintf(stderr, "bench_wheels: no table of best known coverings given\n");
        return 1;
    }
    for (int t = 3; t <= 5; ++t)
        for (int v = 7; v <= 30; ++v)
            if (const auto best = bestKnown.find({ 6, t, v });
                best != bestKnown.end() && best->second < 3000)
                benchmark::RegisterBenchmark("Covering", covering)
                        ->Args({ v, t })
                        ->ArgNames({ "v", "t" })
                        ->Iterations(1)
                        ->Unit(benchmark::kSecond)
                        ->UseRealTime();
    for (const auto &[t, m] : { std::pair { 4, 5 }, { 4, 6 }, { 5, 6 } })
        for (int v = 10; v <= 20; ++v)
            benchmark::RegisterBenchmark("Beyond", beyond)
                    ->Args({ v, t, m })
                    ->ArgNames({ "v", "t", "m" })
                    ->Iterations(1)
                    ->Unit(benchmark::kSecond)
                    ->UseRealTime();
    for (const auto &[k, t] : { std::pair { 6, 4 }, { 6, 5 }, { 7, 6 } })
        benchmark::RegisterBenchmark("Closing", closing)
                ->Args({ k, t })
                ->ArgNames({ "k", "t" })
                ->Iterations(3)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
