#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace dezenario::pool {

// The lottery's rules for a Bolão CAIXA of the Mega-Sena, as they hold since 1 July 2025. They
// change every few years: here alone.
namespace caixa {
inline constexpr const char *RulesSince = "2025-07-01";
inline constexpr int LeastCotas = 2, MostCotas = 100;
inline constexpr int MostGames = 10; // all with the same count of numbers
inline constexpr qint64 LeastPrice = 1800; // of the whole bolão, in centavos
inline constexpr qint64 LeastCotaPrice = 700; // in centavos, before the fee
inline constexpr int MostFee = 3500; // the shop's fee over a cota's price, in hundredths of %
} // namespace caixa

// An informal bolão has none of those limits but these.
inline constexpr int LeastCotas = 2, MostCotas = 1000;
inline constexpr int MostFee = 3500; // hundredths of a percent: 35 %

enum class PaidHow { Unknown, Pix, Cash, Other };
// Each way in words, in the order above: as the window offers them, the group reads them and the
// file keeps them.
inline constexpr const char *PaidHowWords[] = { "", "PIX", "DINHEIRO", "OUTRO" };

struct Participant
{
    QString name;
    int cotas = 1;
    bool paid = false;
    QDate paidOn; // none when not paid, or not told
    PaidHow how = PaidHow::Unknown;
    QString note;
    friend bool operator==(const Participant &, const Participant &) = default;
};

// A bolão: a group's games for one contest or a Teimosinha, its cotas and who holds them.
struct Pool
{
    QString name, organizer;
    std::vector<std::vector<int>> games; // each of 6 to 9 numbers from 1 to 60, rising
    int contest = 0; // the first contest it plays
    int contests = 1; // 1, or a Teimosinha's count
    int cotas = 0; // in all, sold or not
    int fee = 0; // over a cota's price, in hundredths of a percent
    std::vector<Participant> participants;
    QString run; // the file of the kept run printed from it; none when not printed
    qint64 won = -1; // in centavos, once checked against every contest it plays; -1 before
    friend bool operator==(const Pool &, const Pool &) = default;

    int cotasHeld() const;
    // What the games cost for all its contests: C(k, 6) simple bets a game, at the price given.
    qint64 cost(qint64 priceOfABet) const;
    // A cota's price: the cost over the cotas, rounded up to the centavo, and the fee over that,
    // rounded up too.
    qint64 cotaPrice(qint64 priceOfABet) const;
};

// What is wrong with a bolão, in the window's words, the first fault found; empty when nothing is.
// Nothing of a bolão with a fault is kept.
QString faultOf(const Pool &pool);

// What is wrong with one more participant: no name, one already in, no cota, or more cotas than
// are left; empty when nothing is.
QString participantFault(const Pool &pool, const Participant &participant);

// Each rule of the Bolão CAIXA the bolão breaks, in words; none when it fits them.
QStringList caixaRulesBroken(const Pool &pool, qint64 priceOfABet);

// The money won split by cotas, in whole centavos: each participant's share is the money times
// their cotas over all the cotas, rounded down, and so is the share of the cotas not sold; the
// centavos that do not divide are left, named. All of them add up to the money exactly.
struct Shares
{
    std::vector<qint64> participants; // in the bolão's order
    qint64 unsold = 0;
    qint64 left = 0;
};
Shares sharesOf(const Pool &pool, qint64 won);

} // namespace dezenario::pool
