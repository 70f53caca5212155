#pragma once

#include "contest.h"
#include "drawcheck.h"
#include "keptdraws.h"

#include <array>

namespace dezenario {

// A contest's number as typed; throws CommandError for what is none.
int readContest(const QString &typed);

// The contests checked, chosen from those kept. Each throws CommandError naming what is missing.
// The kept contests from one number to another, both included;
QList<Contest> contestsBetween(const QList<Contest> &kept, int first, int last);
// The counts of contests a Teimosinha plays, as the lottery sells it.
inline constexpr std::array<int, 7> TeimosinhaCounts { 2, 3, 4, 6, 8, 9, 12 };
// a Teimosinha: so many consecutive contests (TeimosinhaCounts) from the first, every one kept;
QList<Contest> teimosinha(const QList<Contest> &kept, int first, int count);
// those drawn after a run was printed: bets close at 19:00 on a draw's day.
QList<Contest> drawnAfter(const QList<Contest> &kept, const QDateTime &printed);

// A game with a prize in one contest, and what that contest paid for it.
struct PrizedGame
{
    qsizetype contest = 0; // in the contests checked
    CheckedGame game;
    qint64 centavos = 0; // the tiers whose prize the file gives
    bool unpaid = false; // a tier won whose prize the file does not give
};
struct ContestTally
{
    Prizes prizes;
    qint64 centavos = 0;
    bool unpaid = false;
};
struct AcrossCheck
{
    QList<Contest> contests;
    QList<ContestTally> tallies; // one a contest
    QList<PrizedGame> prized; // contest by contest, in the order of the run
    Prizes prizes;
    qint64 centavos = 0;
    bool unpaid = false;
    int games = 0; // checked in each contest
};
// Every game of the run checked in every contest; the money is the prizes times that contest's
// prize per winner, tier by tier.
AcrossCheck checkAcross(const KeptRun &run, const QList<Contest> &contests);

// The summary for people: a line a contest with its prizes and money, the total, the cost of the
// games in every contest, and the balance. cost: of the games in one contest, in centavos. Of more
// contests than contestsAtMost (when not -1), that many of those with a prize, and how many more.
QString acrossInWords(const AcrossCheck &check, qint64 cost, qsizetype contestsAtMost = -1);
// The prized games as CSV, as CONFERIR's with the contest and the money.
QByteArray acrossCsv(const AcrossCheck &check);
QString moneyInWords(qint64 centavos, bool unpaid);

// How often each number (1 to 60) came out in the contests given, and how many contests have been
// drawn since it last did (-1: not in these contests).
struct NumberCount
{
    int draws = 0;
    int since = -1;
};
std::array<NumberCount, 61> countNumbers(const QList<Contest> &contests);

} // namespace dezenario
