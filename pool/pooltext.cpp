#include "pooltext.h"

#include "wheeltext.h"

namespace dezenario::pool {

QString participantInWords(const Participant &p)
{
    QStringList details;
    if (p.how != PaidHow::Unknown)
        details << QString::fromLatin1(PaidHowWords[int(p.how)]);
    if (p.paidOn.isValid())
        details << p.paidOn.toString(QStringLiteral("dd/MM/yyyy"));
    QString words = QStringLiteral("%1: %2 COTA(S), %3")
                            .arg(p.name.simplified().toUpper())
                            .arg(p.cotas)
                            .arg(p.paid ? QStringLiteral("PAGO") : QStringLiteral("NÃO PAGO"));
    if (p.paid && !details.isEmpty())
        words += QStringLiteral(" (%1)").arg(details.join(QStringLiteral(", ")));
    return words;
}

QString contestsInWords(const Pool &pool)
{
    if (pool.contests <= 1)
        return QStringLiteral("CONCURSO %1").arg(pool.contest);
    return QStringLiteral("CONCURSOS %1 A %2 (TEIMOSINHA DE %3)")
            .arg(pool.contest)
            .arg(pool.contest + pool.contests - 1)
            .arg(pool.contests);
}

namespace {
// "BOLÃO DA FIRMA, ORGANIZADO POR ANA", the word BOLÃO said once.
QString titleOf(const Pool &pool)
{
    const QString name = pool.name.simplified().toUpper();
    return QStringLiteral("%1, ORGANIZADO POR %2")
            .arg(name.startsWith(QStringLiteral("BOLÃO")) ? name : QStringLiteral("BOLÃO ") + name,
                 pool.organizer.simplified().toUpper());
}

QStringList gamesInWords(const Pool &pool)
{
    QStringList lines;
    for (size_t g = 0; g < pool.games.size(); ++g)
        lines << QStringLiteral("%1) %2")
                         .arg(g + 1, 2, 10, QChar(u'0'))
                         .arg(gameInWords(pool.games[g]));
    return lines;
}
} // namespace

QList<Receipt> receiptsOf(const Pool &pool, qint64 priceOfABet)
{
    const QString title = titleOf(pool);
    const qint64 cota = pool.cotaPrice(priceOfABet);
    QList<Receipt> receipts;
    for (const Participant &p : pool.participants)
        receipts << Receipt { { QStringLiteral("COMPROVANTE DE PARTICIPAÇÃO"), title,
                                contestsInWords(pool), participantInWords(p),
                                QStringLiteral("%1 DE %2 COTAS, A %3 CADA: %4")
                                        .arg(p.cotas)
                                        .arg(pool.cotas)
                                        .arg(reais(cota), reais(cota * p.cotas)),
                                QStringLiteral(
                                        "O PRÊMIO É DIVIDIDO PELAS %1 COTAS; AS NÃO VENDIDAS "
                                        "FICAM COM O ORGANIZADOR.")
                                        .arg(pool.cotas),
                                QStringLiteral("%1 JOGOS:").arg(pool.games.size()) },
                              gamesInWords(pool) };
    Receipt group { { QStringLiteral("PARTICIPANTES"), title, contestsInWords(pool),
                      QStringLiteral("%1 COTAS DE %2; %3 VENDIDAS, %4 NÃO VENDIDAS")
                              .arg(pool.cotas)
                              .arg(reais(cota))
                              .arg(pool.cotasHeld())
                              .arg(pool.cotas - pool.cotasHeld()) },
                    {} };
    for (const Participant &p : pool.participants)
        group.head << participantInWords(p);
    return receipts << group;
}

QString groupText(const Pool &pool, qint64 priceOfABet, const PoolCheck *check)
{
    QStringList lines;
    lines << titleOf(pool);
    lines << contestsInWords(pool);
    lines << QStringLiteral("%1 COTAS DE %2 CADA")
                     .arg(pool.cotas)
                     .arg(reais(pool.cotaPrice(priceOfABet)));
    lines << QString() << QStringLiteral("JOGOS:");
    lines << gamesInWords(pool);
    lines << QString() << QStringLiteral("PARTICIPANTES:");
    for (const Participant &p : pool.participants)
        lines << participantInWords(p);
    lines << QStringLiteral("COTAS NÃO VENDIDAS: %1").arg(pool.cotas - pool.cotasHeld());
    if (check) {
        lines << QString() << QStringLiteral("RESULTADO:");
        if (!check->across.contests.isEmpty())
            lines << acrossInWords(check->across, pool.cost(priceOfABet) / pool.contests);
        if (!check->missing.isEmpty())
            lines << missingInWords(check->missing);
        lines << QString()
              << QStringLiteral("PARTES (%1 POR COTA, DE %2 COTAS):")
                         .arg(reais(check->across.centavos / pool.cotas))
                         .arg(pool.cotas);
        for (size_t p = 0; p < pool.participants.size(); ++p)
            lines << QStringLiteral("%1 (%2 COTA(S)): %3")
                             .arg(pool.participants[p].name.simplified().toUpper())
                             .arg(pool.participants[p].cotas)
                             .arg(reais(check->shares.participants[p]));
        lines << QStringLiteral("COTAS NÃO VENDIDAS (%1): %2")
                         .arg(pool.cotas - pool.cotasHeld())
                         .arg(reais(check->shares.unsold));
        lines << QStringLiteral("CENTAVOS QUE NÃO SE DIVIDEM: %1").arg(reais(check->shares.left));
    }
    return lines.join(u'\n');
}

} // namespace dezenario::pool
