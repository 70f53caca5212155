#include "wheeltext.h"

#include "drawcheck.h"
#include "slipprintjob.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace dezenario {

using wheel::WheelProblem;

namespace {
CommandError refused(const QString &why)
{
    return CommandError(errors::TypeMismatch,
                        QStringLiteral("O FECHAMENTO NÃO FOI GERADO: %1").arg(why));
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const QLocale &brazilian()
{
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

QString whole(std::uint64_t n)
{
    return brazilian().toString(qulonglong(n));
}

// With so many significant digits, in the Brazilian way: 0,00123 or 12,3.
QString significant(double x, int digits)
{
    if (x <= 0)
        return QStringLiteral("0");
    const int decimals = std::max(0, digits - 1 - int(std::floor(std::log10(x))));
    return brazilian().toString(x, 'f', decimals);
}
} // namespace

std::vector<int> readChosen(const QString &text, int perGame)
{
    auto refusedChosen = [perGame](const QString &why) {
        return refused(QStringLiteral("%1 DIGITE DE %2 A %3 DEZENAS DIFERENTES, POR EXEMPLO 01 "
                                      "05 12 18 23 27 31 36 44 50.")
                               .arg(why)
                               .arg(perGame + 1)
                               .arg(wheel::MostChosen));
    };
    const QList<quint8> typed = readNumbers(text, refusedChosen);
    if (const quint8 twice = repeated(typed))
        throw refusedChosen(twiceInWords(twice));
    if (typed.size() <= perGame)
        throw refusedChosen(QStringLiteral("HÁ %1 DEZENA(S); UM JOGO DE %2 PEDE PELO MENOS %3.")
                                    .arg(typed.size())
                                    .arg(perGame)
                                    .arg(perGame + 1));
    if (typed.size() > wheel::MostChosen)
        throw refusedChosen(QStringLiteral("HÁ %1 DEZENAS, MAIS DO QUE %2.")
                                    .arg(typed.size())
                                    .arg(wheel::MostChosen));
    std::vector<int> chosen(typed.begin(), typed.end());
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

void refuseUnprintable(const WheelProblem &problem, qint64 priceInCentavos)
{
    const std::uint64_t bound = wheel::lowerBound(problem);
    const std::uint64_t most = std::uint64_t(MaxSlips) * 3;
    if (bound <= most)
        return;
    throw CommandError(
            errors::Overflow,
            QStringLiteral("O FECHAMENTO NÃO FOI GERADO: QUALQUER FECHAMENTO DESTES TEM PELO MENOS "
                           "%1 JOGOS, QUE CUSTARIAM %2, E UMA IMPRESSÃO LEVA NO MÁXIMO %3 JOGOS. "
                           "ESCOLHA MENOS DEZENAS OU UMA GARANTIA MENOR.")
                    .arg(whole(bound),
                         reais(qint64(bound) * simpleBets(problem.perGame) * priceInCentavos),
                         whole(most)));
}

QString tierName(int hits)
{
    return QStringList { "QUADRA", "QUINA", "SENA" }.value(hits - 4);
}

QString guaranteeInWords(const WheelProblem &problem)
{
    const QString drawn = problem.condition == 6
            ? QStringLiteral("AS 6 DEZENAS SORTEADAS")
            : QStringLiteral("%1 DAS 6 DEZENAS SORTEADAS").arg(problem.condition);
    return QStringLiteral("PELO MENOS UMA %1 (%2 ACERTOS NUM JOGO) SEMPRE QUE %3 ESTIVEREM ENTRE "
                          "AS %4 ESCOLHIDAS")
            .arg(tierName(problem.guarantee))
            .arg(problem.guarantee)
            .arg(drawn)
            .arg(problem.chosen);
}

QString gamesForSlips(const std::vector<std::vector<int>> &games)
{
    QString text;
    for (const std::vector<int> &game : games)
        for (const int n : game)
            text += twoDigits(n) + u'-';
    return text;
}

QString gameInWords(const std::vector<int> &numbers)
{
    QStringList words;
    for (const int n : numbers)
        words << twoDigits(n);
    return words.join(u' ');
}

QString gamesAsLines(const std::vector<std::vector<int>> &games)
{
    QString text;
    for (const std::vector<int> &game : games)
        text += gameInWords(game) + u'\n';
    return text;
}

QByteArray gamesAsCsv(const std::vector<std::vector<int>> &games)
{
    QString csv = QStringLiteral("\uFEFFVOLANTE;JOGO;DEZENAS\r\n");
    for (size_t i = 0; i < games.size(); ++i)
        csv += QStringLiteral("%1;%2;\"%3\"\r\n")
                       .arg(i / 3 + 1)
                       .arg(i % 3 + 1)
                       .arg(gameInWords(games[i]));
    return csv.toUtf8();
}

QString summaryOf(const std::vector<int> &chosen, const WheelProblem &problem,
                  const wheel::WheelResult &result, qint64 priceInCentavos)
{
    const std::uint64_t bound = wheel::lowerBound(problem);
    const qsizetype games = qsizetype(result.games.size());
    return QStringLiteral("DEZENAS ESCOLHIDAS: %1. %2 JOGOS DE %3 DEZENAS: %4. GARANTIA CONFERIDA "
                          "EM TODOS OS %5 CONJUNTOS DE %6 DEZENAS ESCOLHIDAS. NENHUM FECHAMENTO "
                          "DESTES TEM MENOS DE %7 JOGOS%8. CUSTO POR SORTEIO: %9.")
            .arg(gameInWords(chosen), whole(std::uint64_t(games)))
            .arg(problem.perGame)
            .arg(guaranteeInWords(problem), whole(result.check.setsChecked))
            .arg(problem.condition)
            .arg(whole(bound),
                 std::uint64_t(games) == bound ? QStringLiteral(": ESTE É O MENOR POSSÍVEL")
                                               : QString(),
                 reais(costInCentavos(int(games), problem.perGame, priceInCentavos)));
}

QString chancesOf(const WheelProblem &problem, const wheel::WheelResult &result)
{
    QStringList lines;
    lines << QStringLiteral("NUM SORTEIO AO ACASO, CONTADO EXATAMENTE EM TODOS OS %1 SORTEIOS "
                            "POSSÍVEIS:")
                     .arg(whole(wheel::AllDraws));
    for (int tier = 0; tier < 3; ++tier) {
        const std::uint64_t draws = result.odds.draws[size_t(tier)];
        const QString chance = draws == 0
                ? QStringLiteral("NENHUMA")
                : QStringLiteral("1 EM %1 (%2 %)")
                          .arg(whole(std::uint64_t(
                                       std::llround(double(wheel::AllDraws) / double(draws)))),
                               significant(100.0 * double(draws) / double(wheel::AllDraws), 3));
        lines << QStringLiteral("%1 NUM JOGO: %2.")
                         .arg(QStringList { "4 ACERTOS OU MAIS (QUADRA OU MELHOR)",
                                            "5 ACERTOS OU MAIS (QUINA OU MELHOR)",
                                            "6 ACERTOS (SENA)" }[tier],
                              chance);
    }
    const std::uint64_t bets = result.games.size() * std::uint64_t(simpleBets(problem.perGame));
    QStringList expected;
    for (int tier = 0; tier < 3; ++tier)
        expected << QStringLiteral("%1 %2(S)")
                            .arg(significant(double(result.odds.prizes[size_t(tier)])
                                                     / double(wheel::AllDraws),
                                             3),
                                 tierName(4 + tier));
    lines << QStringLiteral("PRÊMIOS POR SORTEIO, EM MÉDIA: %1. É O MESMO QUE DARIAM %2 APOSTAS "
                            "SIMPLES DIFERENTES ESCOLHIDAS AO ACASO: UM FECHAMENTO JUNTA A SORTE "
                            "NOS SORTEIOS EM QUE AS DEZENAS ESCOLHIDAS VÊM, MAS NÃO AUMENTA A "
                            "MÉDIA DO QUE SE GANHA.")
                     .arg(expected.join(QStringLiteral(", ")), whole(bets));
    return lines.join(u'\n');
}

} // namespace dezenario
