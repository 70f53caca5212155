#pragma once

#include "acrosscheck.h"
#include "pool.h"

namespace dezenario::pool {

// The bolão's games as a kept run, three a slip, in order: what CONFERIR checks across contests.
KeptRun runOf(const Pool &pool);
// And back: a run's games with a number marked, each in rising order.
std::vector<std::vector<int>> gamesOf(const KeptRun &run);

// Links a run kept to the bolão when it printed the bolão's games, in their order; false, and the
// bolão as it was, when it printed others (the text was changed after it was put there).
bool linkPrinted(Pool &pool, const KeptRun &run, const QString &runFile);

// CONFERIR ESTE BOLÃO: its games in every contest it plays that is kept, with the money counted as
// CONFERIR counts it across contests, and the money shared by cotas. The contests it plays that
// are not kept yet are named.
struct PoolCheck
{
    AcrossCheck across;
    QList<int> missing; // the contests played and not kept
    Shares shares;
};
PoolCheck checkPool(const Pool &pool, const QList<Contest> &kept);

// "CONCURSO 2951 AINDA NÃO IMPORTADO", a line each; nothing when none is missing.
QString missingInWords(const QList<int> &missing);

} // namespace dezenario::pool
