#pragma once

#include "alignment.h"
#include "slipprintjob.h"

#include <QDateTime>
#include <QStringList>
#include <array>
#include <vector>

namespace dezenario {

// A print run as it reached the printer, kept so that a spoiled slip can be printed again and the
// run's cost told. Kept as plain text that a user can read, and paste games back from:
//
//   DEZENARIO VOLANTES IMPRESSOS 1
//   QUANDO: 2026-12-08T19:30:05.120
//   IMPRESSORA: DEZENARIO-PDF
//   AJUSTE: 1.5 0.0 100.0 100.0          (right, down, width, height)
//   DEZENAS POR JOGO: 6
//   QUANTIDADE: 3
//   REIMPRESSÃO DE: 20261208-192801-120-4711.txt   (only in a reprint)
//   VOLANTES: 1
//   JOGOS: 2                              (those with a number marked)
//   VOLANTE 1 JOGO 1: 01-02-03-04-05-06-
//   VOLANTE 1 JOGO 2: 07-08-09-10-11- NÃO MARCADOS: 61 %0D%0A35
//   VOLANTE 1 JOGO 3:
//   FIM
//
// A game's numbers are those marked, in order, each followed by a dash; a text taken that got no
// mark follows, percent-encoded. A record cut short has no FIM.
struct KeptRun
{
    struct Game
    {
        QList<quint8> marked; // 1 to 60, in the order taken
        QStringList unmarked; // texts taken that no box has, as taken
    };
    struct Slip
    {
        int number = 0; // in the run that first printed it
        std::array<Game, 3> games;
    };

    QDateTime when;
    QString printer;
    Alignment alignment;
    int numbersPerGame = 6;
    QString quantity; // as typed
    QString reprintOf; // the file name of the run reprinted; empty for a first print
    std::vector<Slip> slips;

    // Games with at least one number marked: what the lottery charges for.
    int gamesMarked() const;

    QByteArray toText() const;
    // False when the text is not a whole record of ours. Given counts, the text is the head of a
    // record alone, with FIM after it, and the counts that it gives are told.
    struct Counts
    {
        qsizetype slips = 0;
        int games = 0; // with a number marked
    };
    bool fromText(const QByteArray &text, Counts *head = nullptr);
};

// What a game of k numbers counts as: C(k, 6) simple bets.
int simpleBets(int numbersPerGame);
// The cost of so many games of k numbers at a price a simple bet, in centavos.
qint64 costInCentavos(int games, int numbersPerGame, qint64 priceInCentavos);
// An amount the Brazilian way, whatever the system's locale: "R$ 1.260,00".
QString reais(qint64 centavos);

// Listens to a print run and keeps what each slip's games took.
class RunCollector : public PrintObserver
{
public:
    explicit RunCollector(KeptRun &run) : m_run(run) {}
    void runBegins(const QString &quantity, int numbersPerGame) override;
    void slipBegins(int slip) override;
    void gameBegins(int game) override;
    void taken(const QString &text, std::optional<MarkPosition> mark) override;
    void gameEnds() override {}
    void slipEnds(int) override {}

private:
    KeptRun &m_run;
    int m_game = 0;
};

// Paints the slips of a kept run, from one number to another (as the run numbers them), as the
// print job painted them: each game's marks, then the count box, a page a slip.
void paintSlips(const KeptRun &run, int from, int to, Printer &printer);

} // namespace dezenario
