#include "acrosscheck.h"

#include "commanderror.h"

#include <QDateTime>
#include <algorithm>
#include <bit>
#include <thread>

namespace dezenario {

namespace {
CommandError notKept(int contest)
{
    return CommandError(
            errors::InvalidArgument,
            QStringLiteral("O CONCURSO %1 NÃO ESTÁ ENTRE OS RESULTADOS GUARDADOS. IMPORTE "
                           "UM ARQUIVO DE RESULTADOS MAIS NOVO.")
                    .arg(contest));
}
const Contest *find(const QList<Contest> &kept, int number)
{
    const auto at = std::lower_bound(kept.begin(), kept.end(), number,
                                     [](const Contest &c, int n) { return c.number < n; });
    return at != kept.end() && at->number == number ? &*at : nullptr;
}
} // namespace

int readContest(const QString &typed)
{
    bool ok = false;
    const int contest = typed.trimmed().toInt(&ok);
    if (!ok || contest <= 0)
        throw CommandError(
                errors::TypeMismatch,
                QStringLiteral("O CONCURSO \"%1\" NÃO É UM NÚMERO.").arg(typed.trimmed()));
    return contest;
}

QList<Contest> contestsBetween(const QList<Contest> &kept, int first, int last)
{
    if (first > last)
        throw CommandError(errors::InvalidArgument,
                           QStringLiteral("O CONCURSO INICIAL (%1) VEM DEPOIS DO FINAL (%2).")
                                   .arg(first)
                                   .arg(last));
    if (!find(kept, first))
        throw notKept(first);
    if (!find(kept, last))
        throw notKept(last);
    QList<Contest> between;
    for (const Contest &contest : kept)
        if (contest.number >= first && contest.number <= last)
            between << contest;
    return between;
}

QList<Contest> teimosinha(const QList<Contest> &kept, int first, int count)
{
    if (std::find(TeimosinhaCounts.begin(), TeimosinhaCounts.end(), count)
        == TeimosinhaCounts.end())
        throw CommandError(
                errors::InvalidArgument,
                QStringLiteral("A TEIMOSINHA É DE 2, 3, 4, 6, 8, 9 OU 12 CONCURSOS, NÃO DE %1.")
                        .arg(count));
    QList<Contest> contests;
    for (int number = first; number < first + count; ++number)
        if (const Contest *contest = find(kept, number))
            contests << *contest;
        else
            throw notKept(number);
    return contests;
}

QList<Contest> drawnAfter(const QList<Contest> &kept, const QDateTime &printed)
{
    const QDate firstDay =
            printed.time() < QTime(19, 0) ? printed.date() : printed.date().addDays(1);
    QList<Contest> after;
    for (const Contest &contest : kept)
        if (contest.date >= firstDay)
            after << contest;
    if (after.isEmpty())
        throw CommandError(
                errors::InvalidArgument,
                QStringLiteral("NENHUM CONCURSO GUARDADO FOI SORTEADO DEPOIS DE %1. IMPORTE "
                               "UM ARQUIVO DE RESULTADOS MAIS NOVO.")
                        .arg(printed.toString(QStringLiteral("dd/MM/yyyy HH:mm"))));
    return after;
}

namespace {
// The games with four hits or more in a contest: the loop that every game meets in every contest,
// with the processor's own bit count where it has one (every x86-64 since 2008).
using Hits = std::vector<std::pair<quint32, quint8>>; // a game, and its hits
template<int (*Count)(quint64)>
void scan(const std::vector<quint64> &masks, quint64 drawn, Hits &hits)
{
    for (size_t g = 0; g < masks.size(); ++g)
        if (const int n = Count(masks[g] & drawn); n >= 4)
            hits.emplace_back(quint32(g), quint8(n));
}
int portableCount(quint64 bits)
{
    return std::popcount(bits);
}
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
__attribute__((target("popcnt"))) int popcntCount(quint64 bits)
{
    return __builtin_popcountll(bits);
}
__attribute__((target("popcnt"))) void scanFast(const std::vector<quint64> &masks, quint64 drawn,
                                                Hits &hits)
{
    scan<popcntCount>(masks, drawn, hits);
}
// Asked at start-up, before main: the processor's features are read first.
const bool HasPopcnt = (__builtin_cpu_init(), __builtin_cpu_supports("popcnt"));
#else
void scanFast(const std::vector<quint64> &, quint64, Hits &) {}
const bool HasPopcnt = false;
#endif
} // namespace

AcrossCheck checkAcross(const KeptRun &run, const QList<Contest> &contests)
{
    AcrossCheck check;
    check.contests = contests;
    const QList<CheckedGame> games = checkRun(run, Draw {});
    check.games = int(games.size());
    std::vector<quint64> masks;
    masks.reserve(size_t(games.size()));
    for (const CheckedGame &game : games)
        masks.push_back(maskOf(game.numbers));
    // Both cores, a half of the contests each.
    std::vector<Hits> hits(size_t(contests.size()));
    auto scanFrom = [&](qsizetype first, qsizetype last) {
        for (qsizetype c = first; c < last; ++c)
            HasPopcnt ? scanFast(masks, contests[c].mask(), hits[size_t(c)])
                      : scan<portableCount>(masks, contests[c].mask(), hits[size_t(c)]);
    };
    const qsizetype half = contests.size() / 2;
    std::thread other(scanFrom, half, contests.size());
    scanFrom(0, half);
    other.join();
    for (qsizetype c = 0; c < contests.size(); ++c) {
        ContestTally tally;
        for (const auto &[g, n] : hits[size_t(c)]) {
            PrizedGame prized { c, games[qsizetype(g)], 0, false };
            prized.game.hitMask = masks[g] & contests[c].mask();
            prized.game.hits = n;
            prized.game.prizes = prizesFor(std::popcount(masks[g]), n);
            const qint64 won[] = { prized.game.prizes.senas, prized.game.prizes.quinas,
                                   prized.game.prizes.quadras };
            for (size_t t = 0; t < 3; ++t) {
                if (won[t] > 0 && contests[c].prize[t] < 0)
                    prized.unpaid = true;
                else if (won[t] > 0)
                    prized.centavos += won[t] * contests[c].prize[t];
            }
            tally.prizes += prized.game.prizes;
            tally.centavos += prized.centavos;
            tally.unpaid |= prized.unpaid;
            check.prized << prized;
        }
        check.prizes += tally.prizes;
        check.centavos += tally.centavos;
        check.unpaid |= tally.unpaid;
        check.tallies << tally;
    }
    return check;
}

QString moneyInWords(qint64 centavos, bool unpaid)
{
    return reais(centavos)
            + (unpaid ? QStringLiteral(" MAIS PRÊMIO(S) SEM VALOR NO ARQUIVO") : QString());
}

QString acrossInWords(const AcrossCheck &check, qint64 cost, qsizetype contestsAtMost)
{
    QStringList lines;
    qsizetype left = 0; // contests with a prize, past those told
    for (qsizetype c = 0; c < check.contests.size(); ++c) {
        const ContestTally &tally = check.tallies[c];
        const bool paid = tally.prizes.quadras > 0;
        if (contestsAtMost >= 0 && lines.size() >= contestsAtMost) {
            left += paid;
            continue;
        }
        if (contestsAtMost >= 0 && check.contests.size() > contestsAtMost && !paid)
            continue; // among many, those that paid
        lines << QStringLiteral("CONCURSO %1: %2 SENA(S), %3 QUINA(S), %4 QUADRA(S), %5.")
                         .arg(contestInWords(check.contests[c]))
                         .arg(tally.prizes.senas)
                         .arg(tally.prizes.quinas)
                         .arg(tally.prizes.quadras)
                         .arg(moneyInWords(tally.centavos, tally.unpaid));
    }
    if (left > 0)
        lines << QStringLiteral("E MAIS %1 CONCURSO(S) COM PRÊMIO, NA LISTA ABAIXO E NO QUE "
                                "COPIAR E SALVAR COPIAM.")
                         .arg(left);
    const qint64 spent = cost * check.contests.size();
    lines << QStringLiteral("%1 JOGO(S) EM %2 CONCURSO(S): %3 SENA(S), %4 QUINA(S) E %5 QUADRA(S), "
                            "CONTADAS COMO A LOTERIA PAGA. PRÊMIOS: %6. CUSTO: %7. SALDO: %8%9.")
                     .arg(check.games)
                     .arg(check.contests.size())
                     .arg(check.prizes.senas)
                     .arg(check.prizes.quinas)
                     .arg(check.prizes.quadras)
                     .arg(moneyInWords(check.centavos, check.unpaid), reais(spent),
                          (check.centavos < spent ? QStringLiteral("−") : QString())
                                  + reais(std::abs(check.centavos - spent)),
                          check.unpaid ? QStringLiteral(", SEM OS PRÊMIOS QUE O ARQUIVO NÃO DÁ")
                                       : QString());
    return lines.join(u'\n');
}

QByteArray acrossCsv(const AcrossCheck &check)
{
    QString csv = QStringLiteral(
            "\uFEFFCONCURSO;VOLANTE;JOGO;DEZENAS;ACERTOS;SENAS;QUINAS;QUADRAS;PRÊMIOS (R$)\r\n");
    for (const PrizedGame &prized : check.prized) {
        const CheckedGame &game = prized.game;
        csv += QStringLiteral("%1;%2;%3;%4;%5;%6;%7;%8;%9\r\n")
                       .arg(check.contests[prized.contest].number)
                       .arg(game.slip)
                       .arg(game.game)
                       .arg(csvField(numbersInWords(game)))
                       .arg(game.hits)
                       .arg(game.prizes.senas)
                       .arg(game.prizes.quinas)
                       .arg(game.prizes.quadras)
                       .arg(csvField(moneyInWords(prized.centavos, prized.unpaid)
                                             .remove(QStringLiteral("R$ "))));
    }
    return csv.toUtf8();
}

std::array<NumberCount, 61> countNumbers(const QList<Contest> &contests)
{
    std::array<NumberCount, 61> counts {};
    for (qsizetype c = 0; c < contests.size(); ++c)
        for (const quint8 n : contests[c].numbers) {
            ++counts[n].draws;
            counts[n].since = int(contests.size() - 1 - c);
        }
    return counts;
}

} // namespace dezenario
