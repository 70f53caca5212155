// The program's own table of wheels and the constructions behind it: every wheel kept holds its
// guarantee, a wheel changed by hand is never shown, and the search goes on from the table.
#include "constructions.h"
#include "groupcover.h"
#include "guarantee.h"
#include "reoptimize.h"
#include "setcover.h"
#include "wheeljob.h"

#include <QFile>
#include <QTest>
#include <set>

using namespace dezenario::wheel;

Q_DECLARE_METATYPE(WheelProblem)
Q_DECLARE_METATYPE(std::vector<Mask>)
Q_DECLARE_METATYPE(std::vector<bool>)

namespace {
// The job's first round, to its end; the deadline only keeps a broken job from hanging the suite.
std::shared_ptr<const WheelResult> firstRound(WheelJob &job)
{
    job.start();
    return QTest::qWaitFor([&job] { return !job.progress().running; }, 120000) ? job.result()
                                                                               : nullptr;
}

// The table's wheel of the problem; no games when it has none.
std::vector<Mask> tableWheel(const WheelProblem &problem)
{
    for (const TableWheel &wheel : builtInWheels())
        if (wheel.problem == problem)
            return wheel.games;
    return {};
}

TableWheel small(std::vector<Mask> games, const char *how = "busca")
{
    return { { 9, 6, 4, 4 }, std::move(games), how };
}
} // namespace

class TestWheelTable : public QObject
{
    Q_OBJECT
private slots:
    // Every line of the table that comes with the program is read, and every wheel holds.
    void table()
    {
        QFile file(QStringLiteral(":/wheel/wheels.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        const qsizetype wheels = std::count_if(
                lines.begin(), lines.end(), [](const QByteArray &l) { return !l.startsWith('#'); });
        QCOMPARE(qsizetype(builtInWheels().size()), wheels);
        QVERIFY(wheels >= 3);
        for (const TableWheel &wheel : builtInWheels()) {
            const GuaranteeCheck check = *checkGuarantee(wheel.problem, wheel.games);
            QVERIFY2(check.holds(), wheel.how.c_str());
            QVERIFY(!wheel.how.empty());
            QVERIFY(wheel.games.size() >= lowerBound(wheel.problem));
        }
    }

    // The groups whose orbits the table's constructions search over: as many maps as the group
    // has, each a permutation that leaves the fixed numbers where they are.
    void groups()
    {
        const std::pair<std::vector<Permutation>, size_t> groups[] = {
            { affineGroup(7, 1, 3, 0), 42 }, // 3 is of order 6 modulo 7
            { affineGroup(5, 2, 4, 1), 10 },
            { shiftGroup({ 2, 3 }, 2), 6 },
            { shiftGroup({ 2, 2, 2 }, 0), 8 },
            { projectiveGroup(7), 168 },
            // over fields of 8, 9, 16 and 25 elements: q (q^2 - 1), halved for q odd
            { projectiveGroup(8), 504 },
            { projectiveGroup(9), 360 },
            { projectiveGroup(16), 4080 },
            { projectiveGroup(25), 7800 },
        };
        for (const auto &[group, order] : groups) {
            QCOMPARE(group.size(), order);
            const size_t n = group[0].size();
            for (const Permutation &p : group) {
                QCOMPARE(std::set<int>(p.begin(), p.end()).size(), n);
                QVERIFY(n != 11 || p[10] == 10);
            }
        }
        // A group: one map after another is a map of it (a field's sums or products gone wrong
        // would still give permutations, but not these).
        for (const int q : { 8, 9, 25, 27 }) {
            const std::vector<Permutation> group = projectiveGroup(q);
            const std::set<Permutation> maps(group.begin(), group.end());
            for (size_t i = 0; i < group.size(); i += 97)
                for (size_t j = 0; j < group.size(); j += 89) {
                    Permutation product(size_t(q + 1));
                    for (size_t x = 0; x <= size_t(q); ++x)
                        product[x] = group[j][group[i][x]];
                    QVERIFY(maps.count(product));
                }
        }
        for (const Permutation &p : shiftGroup({ 2, 2, 2 }, 0)) // regular: no point stays
            QVERIFY(p[0] == 0 || std::ranges::none_of(p, [&](int x) { return p[size_t(x)] == x; }));
    }

    void invariant_data()
    {
        QTest::addColumn<WheelProblem>("problem");
        QTest::addColumn<int>("multiplier");
        QTest::addColumn<int>("fixed");
        QTest::addColumn<size_t>("smallest");
        // Steiner systems, each left as it is by x -> ax + b modulo a prime.
        QTest::newRow("Fano plane") << WheelProblem { 7, 3, 2, 2 } << 1 << 0 << size_t(7);
        QTest::newRow("plane of order 3") << WheelProblem { 13, 4, 2, 2 } << 3 << 0 << size_t(13);
        QTest::newRow("S(3,4,8), infinity fixed")
                << WheelProblem { 8, 4, 3, 3 } << 1 << 1 << size_t(14);
    }
    // Whole orbits that cover every t-set, found as small as they can be.
    void invariant()
    {
        QFETCH(WheelProblem, problem);
        QFETCH(int, multiplier);
        QFETCH(int, fixed);
        QFETCH(size_t, smallest);
        const int m = problem.chosen - fixed;
        const std::vector<Permutation> group = affineGroup(m, 1, multiplier, fixed);
        const std::vector<Mask> games =
                invariantCovering(problem.chosen, problem.perGame, problem.guarantee, group,
                                  std::int64_t(1) << 24, 1);
        QCOMPARE(games.size(), smallest);
        QVERIFY(checkGuarantee(problem, games)->holds());
        const std::set<Mask> all(games.begin(), games.end());
        for (const Mask game : games)
            for (const Permutation &p : group)
                QVERIFY(all.count(imageOf(game, p)));
    }

    // Within a budget that no covering fits, the orbits that leave fewest sets uncovered: one of
    // the two orbits of S(3,4,8); the search over games serves the rest.
    void withinBudget()
    {
        const std::vector<Permutation> group = affineGroup(7, 1, 1, 1);
        const std::vector<Mask> orbit = invariantCovering(8, 4, 3, group, 1 << 22, 1, 7);
        QCOMPARE(orbit.size(), size_t(7));
        const WheelProblem problem { 8, 4, 3, 3 };
        QCOMPARE(checkGuarantee(problem, orbit)->unserved, std::uint64_t(56 - 28));
        SearchChain chain(problem, 1);
        chain.begin(orbit);
        chain.run(1 << 22, lowerBound(problem), std::atomic<bool>(false));
        QCOMPARE(chain.best().size(), size_t(14));
    }

    void steiner_data()
    {
        QTest::addColumn<std::vector<Mask>>("games");
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("t");
        QTest::newRow("S(5,6,12)") << steiner5612() << 12 << 5;
        QTest::newRow("S(3,6,22)") << steiner3622() << 22 << 3;
        QTest::newRow("S(3,6,26)") << steiner3626() << 26 << 3;
        QTest::newRow("S(5,6,24)") << steiner5624() << 24 << 5;
        QTest::newRow("S(4,6,27)") << steiner4627() << 27 << 4;
    }
    // Every t numbers in exactly one game: the checked covering with C(v, t) / C(6, t) games, and
    // the table keeps it as it is.
    void steiner()
    {
        QFETCH(std::vector<Mask>, games);
        QFETCH(int, v);
        QFETCH(int, t);
        const WheelProblem problem { v, 6, t, t };
        QCOMPARE(games.size(), size_t(binomial(v, t) / binomial(6, t)));
        QCOMPARE(games.size(), size_t(lowerBound(problem)));
        QVERIFY(checkGuarantee(problem, games)->holds());
        QCOMPARE(tableWheel(problem), games);
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("games"); // -1: refused
        const QByteArray head = "6\t4\t4\t9\t";
        QTest::newRow("whole") << head + "2\tbusca\t010203040506 040506070809" << 2;
        QTest::newRow("count short") << head + "3\tbusca\t010203040506 040506070809" << -1;
        QTest::newRow("past v") << head + "1\tbusca\t010203040510" << -1;
        QTest::newRow("not rising") << head + "1\tbusca\t010302040506" << -1;
        QTest::newRow("five numbers") << head + "1\tbusca\t0102030405" << -1;
        QTest::newRow("a letter") << head + "1\tbusca\t01020304050x" << -1;
        QTest::newRow("no how") << head + "1\t010203040506" << -1;
        QTest::newRow("t above m") << QByteArray("6\t5\t4\t9\t1\tbusca\t010203040506") << -1;
        QTest::newRow("v past 30") << QByteArray("6\t4\t4\t31\t1\tbusca\t010203040506") << -1;
        QTest::newRow("a comment") << QByteArray("# 6\t4\t4\t9\t1\tbusca\t010203040506") << -1;
    }
    // A line cut short or changed by hand is left out whole; the others are read.
    void lines()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, games);
        const QByteArray other = "6\t4\t4\t7\t1\toutra\t010203040506\n";
        const auto table = readWheelTable((other + line + '\n' + other).toStdString());
        QCOMPARE(int(table.size()), games < 0 ? 2 : 3);
        if (games >= 0) {
            QCOMPARE(int(table[1].games.size()), games);
            QCOMPARE(wheelTableLine(table[1]), line.toStdString());
        }
    }

    // The wheel of the very problem is the start, shown as it is; where m > t, the covering of t,
    // and a smaller covering wins over a larger wheel of the very problem.
    void start()
    {
        const TableWheel quadra = small({ 1, 2, 3 }), larger = small({ 1, 2, 3, 4 });
        TableWheel ifFive = small({ 5, 6 });
        ifFive.problem.condition = 5;
        const std::vector<TableWheel> table { quadra, ifFive };
        QCOMPARE(tableStart({ 9, 6, 4, 4 }, table).games, quadra.games);
        QVERIFY(tableStart({ 9, 6, 4, 4 }, table).exact);
        QCOMPARE(tableStart({ 9, 6, 4, 5 }, table).games, ifFive.games);
        QVERIFY(tableStart({ 9, 6, 4, 5 }, table).exact);
        const TableStart fromCovering = tableStart({ 9, 6, 4, 6 }, table);
        QCOMPARE(fromCovering.games, quadra.games);
        QVERIFY(!fromCovering.exact);
        ifFive.games = larger.games;
        QCOMPARE(tableStart({ 9, 6, 4, 5 }, { quadra, ifFive }).games, quadra.games);
        QVERIFY(tableStart({ 10, 6, 4, 4 }, table).games.empty());
    }

    void planted_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("as kept") << 0;
        QTest::newRow("a game taken out") << 1;
        QTest::newRow("a number changed") << 2;
    }
    // The table's S(5,6,12) is shown by the first round, with no search; with a fault planted, it
    // is refused by the check and the search serves what it left.
    void planted()
    {
        QFETCH(int, fault);
        const WheelProblem problem { 12, 6, 5, 5 };
        std::vector<Mask> games = tableWheel(problem);
        QVERIFY(!games.empty());
        if (fault == 1)
            games.pop_back();
        if (fault == 2) {
            const Mask game = games[7], out = game & -game,
                       in = lowest(12) & ~game & -(lowest(12) & ~game);
            games[7] = (game & ~out) | in;
        }
        WheelJob job(problem, 2'000'000, TableStart { games, true });
        const auto shown = firstRound(job);
        QVERIFY(shown);
        QVERIFY(shown->check.holds());
        QCOMPARE(shown->games == games, fault == 0);
        QCOMPARE(job.progress().fromTable, fault == 0);
        QCOMPARE(job.progress().spent == 0, fault == 0);
    }

    // Cells where the table's wheel has as few games as any wheel can (Schönheim's bound), and
    // 20 numbers, 3 if 3: 70 games, one fewer than the best covering the La Jolla repository
    // knew (71), found in the orbits of a group of 60 maps.
    void records_data()
    {
        QTest::addColumn<WheelProblem>("problem");
        QTest::addColumn<size_t>("games");
        QTest::newRow("23, 3 if 3") << WheelProblem { 23, 6, 3, 3 } << size_t(104);
        QTest::newRow("27, 3 if 3") << WheelProblem { 27, 6, 3, 3 } << size_t(167);
        QTest::newRow("28, 4 if 4") << WheelProblem { 28, 6, 4, 4 } << size_t(1489);
        QTest::newRow("27 by games of 5") << WheelProblem { 27, 5, 3, 3 } << size_t(319);
        QTest::newRow("20, 3 if 3, below") << WheelProblem { 20, 6, 3, 3 } << size_t(70);
    }
    void records()
    {
        QFETCH(WheelProblem, problem);
        QFETCH(size_t, games);
        const std::vector<Mask> wheel = tableWheel(problem);
        QCOMPARE(wheel.size(), games);
        QCOMPARE(std::set<Mask>(wheel.begin(), wheel.end()).size(), games);
        QVERIFY(checkGuarantee(problem, wheel)->holds());
        if (problem.chosen != 20)
            QCOMPARE(schoenheim(problem.chosen, problem.perGame, problem.guarantee), games);
    }

    void oneMore_data()
    {
        QTest::addColumn<int>("left"); // 0: none; 1: a game of 6; 2: a game of 5
        QTest::newRow("whole") << 0;
        QTest::newRow("a game of 6 left out") << 1;
        QTest::newRow("a game of 5 left out") << 2;
    }
    // 28 numbers, quadra if 4: S(4,6,27), and the games of 5 that cover every 3 of the 27, each
    // with the 28th number; with any game left out, some 4 numbers are in none.
    void oneMore()
    {
        QFETCH(int, left);
        std::vector<Mask> covering = steiner4627(), smaller = tableWheel({ 27, 5, 3, 3 });
        QVERIFY(!smaller.empty());
        if (std::vector<Mask> &cut = left == 1 ? covering : smaller; left)
            cut.erase(cut.begin() + 5);
        const std::vector<Mask> games = oneNumberMore(covering, smaller, 27);
        QCOMPARE(games.size(), covering.size() + smaller.size());
        QCOMPARE(checkGuarantee({ 28, 6, 4, 4 }, games)->holds(), left == 0);
        if (!left)
            QCOMPARE(games.size(), tableWheel({ 28, 6, 4, 4 }).size());
    }

    void setCover_data()
    {
        QTest::addColumn<std::int64_t>("wholeCosts");
        QTest::addColumn<std::vector<bool>>("cheapest");
        // Rows 0, 1 and 2 (the third standing for two sets); one column covers them all, the
        // others one row each at a cost of 1.
        QTest::newRow("three cheap ones") << std::int64_t(5) << std::vector<bool> { 0, 1, 1, 1 };
        QTest::newRow("one dear one") << std::int64_t(2) << std::vector<bool> { 1, 0, 0, 0 };
    }
    // The cheapest covering, what its columns cost and not how many they are; where none fits a
    // budget of 1, the column that leaves the fewest sets uncovered: the row of two.
    void setCover()
    {
        QFETCH(std::int64_t, wholeCosts);
        QFETCH(std::vector<bool>, cheapest);
        auto cover = [&] {
            return SetCover({ { 0, 1, 2 }, { 0 }, { 1 }, { 2 } }, { wholeCosts, 1, 1, 1 },
                            { 1, 1, 2 }, 1);
        };
        QCOMPARE(cover().run(1 << 12), cheapest);
        QCOMPARE(cover().run(1 << 12, 1), (std::vector<bool> { 0, 0, 0, 1 }));
    }

    void reoptimize_data()
    {
        QTest::addColumn<WheelProblem>("problem");
        QTest::addColumn<size_t>("least");
        QTest::newRow("Fano plane") << WheelProblem { 7, 3, 2, 2 } << size_t(7);
        QTest::newRow("S(3,4,8)") << WheelProblem { 8, 4, 3, 3 } << size_t(14);
        QTest::newRow("9 by 4, 3 if 3") << WheelProblem { 9, 4, 3, 3 } << size_t(25);
        QTest::newRow("S(3,4,10)") << WheelProblem { 10, 4, 3, 3 } << size_t(30);
    }
    // From every game there is, a neighbourhood at a time, down to the least covering there can
    // be; every game kept is one of k numbers, once.
    void reoptimize()
    {
        QFETCH(WheelProblem, problem);
        QFETCH(size_t, least);
        const int v = problem.chosen, k = problem.perGame, t = problem.guarantee;
        std::vector<Mask> all;
        forEachSubset(lowest(v), k, [&](Mask game) { all.push_back(game); });
        const std::vector<Mask> games = reoptimized(v, k, t, all, 100, 40, 1 << 17, 1);
        QCOMPARE(games.size(), least);
        QCOMPARE(std::set<Mask>(games.begin(), games.end()).size(), least);
        QVERIFY(std::ranges::all_of(games, [&](Mask g) { return std::popcount(g) == k; }));
        QVERIFY(checkGuarantee(problem, games)->holds());
    }

    // Quadra if 5 from the covering of quadra if 4: never more games than it has.
    void fromCovering()
    {
        const WheelProblem covering { 12, 6, 4, 4 }, problem { 12, 6, 4, 5 };
        WheelJob first(covering, 3'000'000);
        const auto cover = firstRound(first);
        QVERIFY(cover);
        WheelJob job(problem, 3'000'000, TableStart { cover->games, false });
        const auto shown = firstRound(job);
        QVERIFY(shown && shown->check.holds());
        QVERIFY(shown->games.size() < cover->games.size());
        QVERIFY(!job.progress().fromTable);
    }
};

QTEST_GUILESS_MAIN(TestWheelTable)
#include "tst_wheeltable.moc"
