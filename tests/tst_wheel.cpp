// The wheels without a window: the check, the search, the bounds, the odds and the words.
#include "wheeltext.h"

#include <QTest>
#include <algorithm>

using namespace dezenario;
using namespace dezenario::wheel;

Q_DECLARE_METATYPE(WheelProblem)

namespace {
// Every set of m of 0..v-1, as lists, by a count of its own: no mask, no rank.
std::vector<std::vector<int>> allSets(int v, int m)
{
    std::vector<std::vector<int>> sets;
    std::vector<bool> pick(size_t(v), false);
    std::fill(pick.begin(), pick.begin() + m, true);
    do {
        std::vector<int> &set = sets.emplace_back();
        for (int i = 0; i < v; ++i)
            if (pick[size_t(i)])
                set.push_back(i);
    } while (std::prev_permutation(pick.begin(), pick.end()));
    return sets;
}

// The sets that no game meets in t numbers, in lexicographic order.
std::vector<std::vector<int>> unservedByHand(const WheelProblem &p,
                                             const std::vector<std::vector<int>> &games)
{
    std::vector<std::vector<int>> unserved;
    for (const std::vector<int> &set : allSets(p.chosen, p.condition)) {
        bool met = false;
        for (const std::vector<int> &game : games) {
            int common = 0;
            for (const int n : set)
                common += std::count(game.begin(), game.end(), n) > 0;
            met = met || common >= p.guarantee;
        }
        if (!met)
            unserved.push_back(set);
    }
    return unserved;
}

Mask maskOf(const std::vector<int> &numbers)
{
    Mask mask = 0;
    for (const int n : numbers)
        mask |= Mask(1) << n;
    return mask;
}

std::vector<Mask> searched(const WheelProblem &problem, std::int64_t effort)
{
    WheelJob job(problem, effort);
    job.start();
    // The job ends by itself; the deadline only keeps a broken search from hanging the suite.
    const bool ended = QTest::qWaitFor([&job] { return !job.progress().running; }, 120000);
    return ended && job.result() ? job.result()->games : std::vector<Mask>();
}

} // namespace

class TestWheel : public QObject
{
    Q_OBJECT
private slots:
    void guarantee_data()
    {
        QTest::addColumn<WheelProblem>("problem");
        QTest::addColumn<int>("games");
        QTest::addColumn<quint64>("seed");
        QTest::newRow("quadra if 4, 9 numbers") << WheelProblem { 9, 6, 4, 4 } << 10 << 1ull;
        QTest::newRow("quadra if 5, 10 numbers") << WheelProblem { 10, 6, 4, 5 } << 4 << 2ull;
        QTest::newRow("quadra if 6, 12 numbers") << WheelProblem { 12, 7, 4, 6 } << 3 << 3ull;
        QTest::newRow("quina if 6, 11 numbers") << WheelProblem { 11, 8, 5, 6 } << 6 << 4ull;
        QTest::newRow("sena, 8 numbers") << WheelProblem { 8, 7, 6, 6 } << 6 << 5ull;
    }
    // Games at random: the check counts as a count by hand does, served or not.
    void guarantee()
    {
        QFETCH(WheelProblem, problem);
        QFETCH(int, games);
        QFETCH(quint64, seed);
        Random random(seed);
        for (int round = 0; round < 20; ++round) {
            std::vector<std::vector<int>> numbers;
            std::vector<Mask> masks;
            for (int g = 0; g < games; ++g) {
                std::vector<int> all(size_t(problem.chosen));
                std::iota(all.begin(), all.end(), 0);
                for (size_t i = 0; i < all.size(); ++i)
                    std::swap(all[i], all[i + random.below(all.size() - i)]);
                all.resize(size_t(problem.perGame));
                masks.push_back(maskOf(all));
                numbers.push_back(all);
            }
            const GuaranteeCheck check = *checkGuarantee(problem, masks);
            const auto unserved = unservedByHand(problem, numbers);
            QCOMPARE(check.setsChecked, problem.sets());
            QCOMPARE(check.unserved, std::uint64_t(unserved.size()));
            QCOMPARE(check.firstUnserved, unserved.empty() ? Mask(0) : maskOf(unserved.front()));
        }
    }

    void search_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("least"); // the proven minimum
        for (const auto &[v, least] :
             { std::pair { 7, 5 }, { 8, 7 }, { 9, 12 }, { 10, 20 }, { 11, 32 } })
            QTest::addRow("%d numbers", v) << v << least;
    }
    // Quadra if 4, games of 6: the smallest wheels there are, checked; and one game fewer fails.
    void search()
    {
        QFETCH(int, chosen);
        QFETCH(int, least);
        const WheelProblem problem { chosen, 6, 4, 4 };
        std::vector<Mask> games = searched(problem, 20'000'000);
        QCOMPARE(int(games.size()), least);
        QVERIFY(checkGuarantee(problem, games)->holds());
        for (size_t g = 0; g < games.size(); ++g) {
            std::vector<Mask> fewer = games;
            fewer.erase(fewer.begin() + std::ptrdiff_t(g));
            QVERIFY(!checkGuarantee(problem, fewer)->holds());
        }
        // Each game has six of the numbers, and none twice.
        games.push_back(games.front() | Mask(1) << chosen);
        QVERIFY(!checkGuarantee(problem, games)->wellFormed);
    }

    // The same choices give the same games; other numbers chosen, the same wheel on them.
    void sameGames()
    {
        const WheelProblem problem { 15, 6, 4, 5 };
        const std::vector<Mask> once = searched(problem, 5'000'000);
        QVERIFY(!once.empty());
        QCOMPARE(searched(problem, 5'000'000), once);
        // And on every machine: the very games this search gave where it was first run, which the
        // Windows build, with another compiler's library, must give too.
        std::uint64_t fingerprint = 14695981039346656037ull; // FNV-1a over the masks in order
        for (const Mask game : once)
            fingerprint = (fingerprint ^ game) * 1099511628211ull;
        QCOMPARE(qulonglong(fingerprint), 0xd195820f4eab9ee2ull);
        const std::vector<int> first = readChosen("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15", 6);
        const std::vector<int> other = readChosen("60 3 17 22 9 41 35 28 11 50 47 5 33 19 58", 6);
        const auto a = numbersOf(once, first), b = numbersOf(once, other);
        for (size_t g = 0; g < a.size(); ++g)
            for (size_t i = 0; i < 6; ++i)
                QCOMPARE(b[g][i], other[size_t(a[g][i] - 1)]);
    }

    void bounds_data()
    {
        QTest::addColumn<WheelProblem>("problem");
        QTest::addColumn<quint64>("bound");
        // Schönheim's, as the La Jolla tables give it.
        QTest::newRow("C(15,6,4)") << WheelProblem { 15, 6, 4, 4 } << 93ull;
        QTest::newRow("C(21,6,4)") << WheelProblem { 21, 6, 4, 4 } << 406ull;
        QTest::newRow("C(30,6,3)") << WheelProblem { 30, 6, 3, 3 } << 205ull;
        // Every set of 6 over the 1 + 6 (54 - 6) ... that one game serves: 3 for quadra if 6 of 10.
        QTest::newRow("quadra if 6, 10") << WheelProblem { 10, 6, 4, 6 } << 2ull;
        QTest::newRow("sena of 30") << WheelProblem { 30, 6, 6, 6 } << 593775ull;
    }
    void bounds()
    {
        QFETCH(WheelProblem, problem);
        QFETCH(quint64, bound);
        QCOMPARE(lowerBound(problem), bound);
    }

    // Exact odds: a game of six, by the lottery's own count; any wheel's prizes on average are
    // those of as many simple bets.
    void odds()
    {
        const WheelProblem one { 7, 6, 4, 4 };
        const WheelOdds single = *oddsOf(one, { lowest(6) });
        QCOMPARE(single.draws[0], 15ull * 1431 + 6 * 54 + 1);
        QCOMPARE(single.draws[1], 6ull * 54 + 1);
        QCOMPARE(single.draws[2], 1ull);
        const WheelProblem problem { 12, 8, 4, 6 };
        const std::vector<Mask> games = searched(problem, 2'000'000);
        const WheelOdds odds = *oddsOf(problem, games);
        // The draws counted by hand: each set of up to six of the twelve that a draw shares with
        // them, by the most hits a game has, times the draws that share just that set.
        std::array<std::uint64_t, 3> byHand {};
        for (int size = 0; size <= 6; ++size)
            for (const std::vector<int> &shared : allSets(12, size)) {
                int most = 0;
                for (const Mask game : games) {
                    int hits = 0;
                    for (const int n : shared)
                        hits += int(game >> n & 1);
                    most = std::max(most, hits);
                }
                for (int tier = 0; tier < 3; ++tier)
                    byHand[size_t(tier)] += most >= 4 + tier ? binomial(48, 6 - size) : 0;
            }
        QCOMPARE(odds.draws, byHand);
        for (int tier = 0; tier < 3; ++tier)
            QCOMPARE(odds.prizes[size_t(tier)], prizesOfSimpleBets(games.size() * 28, tier));
        // With all six among the twelve, some game has four: the quadra is sure then.
        QVERIFY(odds.draws[0] >= binomial(12, 6));
    }

    // The guarantee and the chances as the player reads them.
    void sentences()
    {
        QCOMPARE(guaranteeInWords({ 15, 6, 4, 5 }),
                 u"PELO MENOS UMA QUADRA (4 ACERTOS NUM JOGO) SEMPRE QUE 5 DAS 6 DEZENAS SORTEADAS "
                 "ESTIVEREM ENTRE AS 15 ESCOLHIDAS");
        QCOMPARE(guaranteeInWords({ 10, 7, 5, 6 }),
                 u"PELO MENOS UMA QUINA (5 ACERTOS NUM JOGO) SEMPRE QUE AS 6 DEZENAS SORTEADAS "
                 "ESTIVEREM ENTRE AS 10 ESCOLHIDAS");
        WheelResult one;
        one.games = { lowest(6) };
        one.odds = *oddsOf({ 7, 6, 4, 4 }, one.games);
        const QStringList lines = chancesOf({ 7, 6, 4, 4 }, one).split(u'\n');
        QCOMPARE(
                lines.mid(1, 3),
                (QStringList { QStringLiteral("4 ACERTOS OU MAIS (QUADRA OU MELHOR) NUM JOGO: 1 EM "
                                              "2.298 (0,0435 %)."),
                               QStringLiteral("5 ACERTOS OU MAIS (QUINA OU MELHOR) NUM JOGO: 1 EM "
                                              "154.043 (0,000649 %)."),
                               QStringLiteral("6 ACERTOS (SENA) NUM JOGO: 1 EM 50.063.860 "
                                              "(0,00000200 %).") }));
        QVERIFY(lines.last().startsWith(
                QStringLiteral("PRÊMIOS POR SORTEIO, EM MÉDIA: 0,000429 QUADRA(S), "
                               "0,00000647 QUINA(S), 0,0000000200 SENA(S). É O MESMO QUE "
                               "DARIAM 1 APOSTAS SIMPLES")));
    }

    // The games as IMPRIMIR reads them, and in the CSV at their slips' places.
    void words()
    {
        const std::vector<std::vector<int>> games { { 1, 2, 3, 4, 5, 6 },
                                                    { 7, 8, 9, 10, 11, 60 },
                                                    { 1, 3, 5, 7, 9, 11 },
                                                    { 2, 4, 6, 8, 10, 12 } };
        QCOMPARE(gamesForSlips({ games[0], games[1] }), "01-02-03-04-05-06-07-08-09-10-11-60-");
        QCOMPARE(gamesAsCsv(games),
                 "\xEF\xBB\xBFVOLANTE;JOGO;DEZENAS\r\n1;1;\"01 02 03 04 05 06\"\r\n1;2;\"07 08 09 "
                 "10 11 "
                 "60\"\r\n1;3;\"01 03 05 07 09 11\"\r\n2;1;\"02 04 06 08 10 12\"\r\n");
    }
};

QTEST_GUILESS_MAIN(TestWheel)
#include "tst_wheel.moc"
