#include "drawcheck.h"

#include <QRegularExpression>
#include <algorithm>

namespace dezenario {

namespace {
qint64 choose(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    qint64 result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

CommandError refused(const QString &why)
{
    return CommandError(errors::TypeMismatch,
                        QStringLiteral("O SORTEIO NÃO FOI CONFERIDO: %1 DIGITE AS SEIS DEZENAS "
                                       "SORTEADAS, POR EXEMPLO 05 17 23 38 44 60.")
                                .arg(why));
}
} // namespace

QList<quint8> readNumbers(const QString &text,
                          const std::function<CommandError(const QString &)> &refused)
{
    QList<quint8> numbers;
    const QStringList words = text.trimmed().split(
            QRegularExpression(QStringLiteral("[\\s,;./-]+")), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        bool ok = false;
        const int n = word.toInt(&ok);
        if (!ok || word.size() > 2)
            throw refused(QStringLiteral("\"%1\" NÃO É UMA DEZENA.").arg(word.toUpper()));
        if (n < 1 || n > 60)
            throw refused(QStringLiteral("%1 NÃO ESTÁ ENTRE 01 E 60.").arg(word));
        numbers << quint8(n);
    }
    return numbers;
}

quint8 repeated(const QList<quint8> &numbers)
{
    for (qsizetype i = 0; i < numbers.size(); ++i)
        if (numbers.indexOf(numbers[i]) < i)
            return numbers[i];
    return 0;
}

QString twiceInWords(quint8 number)
{
    return QStringLiteral("A DEZENA %1 ESTÁ DUAS VEZES.").arg(number, 2, 10, QLatin1Char('0'));
}

Draw readDraw(const QString &numbers, const QString &contest)
{
    Draw draw;
    const QList<quint8> typed = readNumbers(numbers, refused);
    if (typed.size() != 6)
        throw refused(QStringLiteral("HÁ %1 DEZENA(S), E NÃO SEIS.").arg(typed.size()));
    if (const quint8 twice = repeated(typed))
        throw refused(twiceInWords(twice));
    for (size_t i = 0; i < draw.numbers.size(); ++i)
        draw.numbers[i] = typed[qsizetype(i)];
    std::sort(draw.numbers.begin(), draw.numbers.end());
    bool ok = true;
    draw.contest = contest.trimmed().isEmpty() ? 0 : contest.trimmed().toInt(&ok);
    if (!ok || draw.contest < 0)
        throw refused(QStringLiteral("O CONCURSO \"%1\" NÃO É UM NÚMERO.").arg(contest.trimmed()));
    return draw;
}

Prizes &Prizes::operator+=(const Prizes &other)
{
    senas += other.senas, quinas += other.quinas, quadras += other.quadras;
    return *this;
}

Prizes prizesFor(int numbersPerGame, int hits)
{
    auto bets = [&](int j) { return choose(hits, j) * choose(numbersPerGame - hits, 6 - j); };
    return { bets(6), bets(5), bets(4) };
}

QList<CheckedGame> checkRun(const KeptRun &run, const Draw &draw)
{
    const quint64 drawn = maskOf(draw.numbers);
    QList<CheckedGame> checked;
    for (const KeptRun::Slip &slip : run.slips) {
        for (int g = 0; g < 3; ++g) {
            const KeptRun::Game &game = slip.games[size_t(g)];
            if (game.marked.isEmpty() && game.unmarked.isEmpty())
                continue;
            CheckedGame result { slip.number, g + 1, game.marked, game.unmarked, 0, 0, {} };
            // A number marked twice is one box, one bet.
            const quint64 marked = maskOf(game.marked);
            result.hitMask = marked & drawn;
            result.hits = std::popcount(result.hitMask);
            result.prizes = prizesFor(std::popcount(marked), result.hits);
            checked << result;
        }
    }
    return checked;
}

QString numbersInWords(const CheckedGame &game)
{
    QStringList words;
    for (const quint8 n : game.numbers)
        words << QString::asprintf(game.hitMask >> n & 1 ? "[%02d]" : "%02d", n);
    for (const QString &text : game.unmarked)
        words << QStringLiteral("\"%1\" (NÃO MARCADO)").arg(text.simplified());
    return words.join(u' ');
}

QString csvField(const QString &text)
{
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QByteArray toCsv(const QList<CheckedGame> &games)
{
    QString csv = QStringLiteral("\uFEFFVOLANTE;JOGO;DEZENAS;ACERTOS;SENAS;QUINAS;QUADRAS\r\n");
    for (const CheckedGame &game : games)
        csv += QStringLiteral("%1;%2;%3;%4;%5;%6;%7\r\n")
                       .arg(game.slip)
                       .arg(game.game)
                       .arg(csvField(numbersInWords(game)))
                       .arg(game.hits)
                       .arg(game.prizes.senas)
                       .arg(game.prizes.quinas)
                       .arg(game.prizes.quadras);
    return csv.toUtf8();
}

} // namespace dezenario
