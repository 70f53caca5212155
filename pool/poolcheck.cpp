#include "poolcheck.h"

namespace dezenario::pool {

KeptRun runOf(const Pool &pool)
{
    KeptRun run;
    run.numbersPerGame = pool.games.empty() ? 6 : int(pool.games.front().size());
    for (size_t g = 0; g < pool.games.size(); ++g) {
        if (g % 3 == 0)
            run.slips.push_back({ int(g / 3 + 1), {} });
        for (const int n : pool.games[g])
            run.slips.back().games[g % 3].marked << quint8(n);
    }
    return run;
}

std::vector<std::vector<int>> gamesOf(const KeptRun &run)
{
    std::vector<std::vector<int>> games;
    for (const KeptRun::Slip &slip : run.slips)
        for (const KeptRun::Game &game : slip.games)
            if (!game.marked.isEmpty())
                std::ranges::sort(games.emplace_back(game.marked.begin(), game.marked.end()));
    return games;
}

bool linkPrinted(Pool &pool, const KeptRun &run, const QString &runFile)
{
    if (pool.games.empty() || gamesOf(run) != pool.games)
        return false;
    pool.run = runFile;
    return true;
}

PoolCheck checkPool(const Pool &pool, const QList<Contest> &kept)
{
    PoolCheck check;
    QList<Contest> played;
    for (int number = pool.contest; number < pool.contest + pool.contests; ++number) {
        const auto found = std::find_if(kept.begin(), kept.end(),
                                        [number](const Contest &c) { return c.number == number; });
        if (found == kept.end())
            check.missing << number;
        else
            played << *found;
    }
    check.across = checkAcross(runOf(pool), played);
    check.shares = sharesOf(pool, check.across.centavos);
    return check;
}

QString missingInWords(const QList<int> &missing)
{
    QStringList lines;
    for (const int number : missing)
        lines << QStringLiteral("CONCURSO %1 AINDA NÃO IMPORTADO").arg(number);
    return lines.join(u'\n');
}

} // namespace dezenario::pool
