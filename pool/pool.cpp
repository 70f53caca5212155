#include "pool.h"

#include "acrosscheck.h"
#include "keptrun.h"

#include <algorithm>

namespace dezenario::pool {

namespace {

qint64 upTo(qint64 amount, qint64 parts) // amount over parts, rounded up
{
    return (amount + parts - 1) / parts;
}
} // namespace

int Pool::cotasHeld() const
{
    int held = 0;
    for (const Participant &p : participants)
        held += p.cotas;
    return held;
}

qint64 Pool::cost(qint64 priceOfABet) const
{
    qint64 total = 0;
    for (const std::vector<int> &game : games)
        total += costInCentavos(1, int(game.size()), priceOfABet);
    return total * contests;
}

qint64 Pool::cotaPrice(qint64 priceOfABet) const
{
    if (cotas <= 0)
        return 0;
    const qint64 price = upTo(cost(priceOfABet), cotas);
    return price + upTo(price * fee, 10000);
}

QString faultOf(const Pool &pool)
{
    if (pool.name.trimmed().isEmpty())
        return QStringLiteral("DÊ UM NOME AO BOLÃO.");
    if (pool.games.empty())
        return QStringLiteral("O BOLÃO NÃO TEM JOGOS. TRAGA OS JOGOS DO QUADRO.");
    for (size_t g = 0; g < pool.games.size(); ++g) {
        const std::vector<int> &game = pool.games[g];
        const bool rising = std::adjacent_find(game.begin(), game.end(), std::greater_equal<int>())
                == game.end();
        if (game.size() < 6 || game.size() > 9 || !rising || game.front() < 1 || game.back() > 60)
            return QStringLiteral("O JOGO %1 NÃO É UM JOGO DE 6 A 9 DEZENAS DE 01 A 60.")
                    .arg(g + 1);
    }
    if (pool.contest < 1)
        return QStringLiteral("O CONCURSO %1 NÃO EXISTE: DIGITE O NÚMERO DO CONCURSO, DE 1 EM "
                              "DIANTE.")
                .arg(pool.contest);
    if (pool.contests != 1
        && std::find(TeimosinhaCounts.begin(), TeimosinhaCounts.end(), pool.contests)
                == TeimosinhaCounts.end())
        return QStringLiteral("%1 CONCURSOS NÃO É UMA TEIMOSINHA: ESCOLHA 1, 2, 3, 4, 6, 8, 9 "
                              "OU 12.")
                .arg(pool.contests);
    if (pool.cotas < LeastCotas || pool.cotas > MostCotas)
        return QStringLiteral("UM BOLÃO TEM DE %1 A %2 COTAS, NÃO %3.")
                .arg(LeastCotas)
                .arg(MostCotas)
                .arg(pool.cotas);
    if (pool.fee < 0 || pool.fee > MostFee)
        return QStringLiteral("A TAXA DE SERVIÇO VAI DE 0 A 35 %.");
    Pool growing = pool;
    growing.participants.clear();
    for (const Participant &p : pool.participants) {
        if (const QString fault = participantFault(growing, p); !fault.isEmpty())
            return fault;
        growing.participants.push_back(p);
    }
    return QString();
}

QString participantFault(const Pool &pool, const Participant &participant)
{
    const QString name = participant.name.simplified().toUpper();
    if (name.isEmpty())
        return QStringLiteral("DIGITE O NOME DO PARTICIPANTE.");
    for (const Participant &p : pool.participants)
        if (p.name.simplified().toUpper() == name)
            return QStringLiteral("%1 JÁ ESTÁ NO BOLÃO.").arg(name);
    if (participant.cotas < 1)
        return QStringLiteral("%1 TEM DE TER PELO MENOS UMA COTA.").arg(name);
    const int left = pool.cotas - pool.cotasHeld();
    if (participant.cotas > left)
        return QStringLiteral("%1 COTAS PARA %2 SÃO MAIS DO QUE AS %3 QUE RESTAM DAS %4 DO BOLÃO.")
                .arg(participant.cotas)
                .arg(name)
                .arg(std::max(left, 0))
                .arg(pool.cotas);
    return QString();
}

QStringList caixaRulesBroken(const Pool &pool, qint64 priceOfABet)
{
    QStringList broken;
    if (pool.cotas < caixa::LeastCotas || pool.cotas > caixa::MostCotas)
        broken << QStringLiteral("TEM %1 COTAS (O BOLÃO CAIXA TEM DE %2 A %3)")
                          .arg(pool.cotas)
                          .arg(caixa::LeastCotas)
                          .arg(caixa::MostCotas);
    if (pool.games.size() > size_t(caixa::MostGames))
        broken << QStringLiteral("TEM %1 JOGOS (O BOLÃO CAIXA TEM NO MÁXIMO %2)")
                          .arg(pool.games.size())
                          .arg(caixa::MostGames);
    const auto differs = [&](const std::vector<int> &g) {
        return g.size() != pool.games.front().size();
    };
    if (!pool.games.empty() && std::any_of(pool.games.begin(), pool.games.end(), differs))
        broken << QStringLiteral("OS JOGOS NÃO TÊM TODOS A MESMA QUANTIDADE DE DEZENAS");
    const qint64 cost = pool.cost(priceOfABet);
    if (cost < caixa::LeastPrice)
        broken << QStringLiteral("CUSTA %1 (O BOLÃO CAIXA CUSTA NO MÍNIMO %2)")
                          .arg(reais(cost), reais(caixa::LeastPrice));
    const qint64 cota = pool.cotas > 0 ? (cost + pool.cotas - 1) / pool.cotas : 0;
    if (cota < caixa::LeastCotaPrice)
        broken << QStringLiteral("A COTA CUSTA %1 (NO BOLÃO CAIXA, NO MÍNIMO %2)")
                          .arg(reais(cota), reais(caixa::LeastCotaPrice));
    if (pool.fee > caixa::MostFee)
        broken << QStringLiteral("A TAXA PASSA DE 35 %");
    return broken;
}

Shares sharesOf(const Pool &pool, qint64 won)
{
    Shares shares;
    if (pool.cotas <= 0)
        return shares;
    qint64 given = 0;
    for (const Participant &p : pool.participants) {
        shares.participants.push_back(won * p.cotas / pool.cotas);
        given += shares.participants.back();
    }
    shares.unsold = won * (pool.cotas - pool.cotasHeld()) / pool.cotas;
    shares.left = won - given - shares.unsold;
    return shares;
}

} // namespace dezenario::pool
