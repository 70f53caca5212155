#include "resultsfile.h"

#include "drawcheck.h"
#include "ziparchive.h"

#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace dezenario {

namespace {

// The columns read, by the keys of their names in today's file and in the older one.
enum Column {
    Number,
    Date,
    Ball1,
    Winners6 = Ball1 + 6,
    Winners5,
    Winners4,
    Prize6,
    Prize5,
    Prize4,
    Columns
};
const QList<QStringList> &namesOfColumns()
{
    static const QList<QStringList> names = [] {
        QList<QStringList> names(Columns);
        names[Number] = { "concurso" };
        names[Date] = { "datadosorteio", "datasorteio", "data" };
        for (int i = 1; i <= 6; ++i)
            names[Ball1 + i - 1] = { QStringLiteral("bola%1").arg(i),
                                     QStringLiteral("%1dezena").arg(i),
                                     QStringLiteral("dezena%1").arg(i) };
        const char *tiers[] = { "sena", "quina", "quadra" };
        for (int t = 0; t < 3; ++t) {
            names[Winners6 + t] = { QStringLiteral("ganhadores%1acertos").arg(6 - t),
                                    QStringLiteral("ganhadores") + tiers[t] };
            names[Prize6 + t] = { QStringLiteral("rateio%1acertos").arg(6 - t),
                                  QStringLiteral("rateio") + tiers[t] };
        }
        return names;
    }();
    return names;
}

CommandError faultAt(int line, const QString &column, const QString &why)
{
    return unreadable(QStringLiteral("LINHA %1, COLUNA \"%2\": %3").arg(line).arg(column, why));
}

// Digits with one decimal point at most, and an exponent, as exact centavos rounded half up.
std::optional<qint64> decimalCentavos(const QString &text)
{
    static const QRegularExpression form(
            QStringLiteral("^(\\d*)(?:\\.(\\d*))?(?:[eE]([+-]?\\d{1,3}))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    QString digits = match.captured(1) + match.captured(2);
    int point =
            int(match.captured(1).size()) + match.captured(3).toInt(); // digits before the point
    while (point < 0)
        digits.prepend(u'0'), ++point;
    while (digits.size() < point + 3)
        digits += u'0';
    const QString whole = digits.left(point + 2);
    if (whole.size() > 16)
        return std::nullopt; // more money than the lottery ever held
    return whole.toLongLong() + (digits[point + 2] >= u'5');
}

} // namespace

QString columnKey(const QString &name)
{
    QString key;
    for (const QChar c : name.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber() && c != QChar(0xAA) && c != QChar(0xBA))
            key += c.toLower();
    return key;
}

std::optional<qint64> centavosOf(const ResultsCell &cell)
{
    QString text = cell.text;
    if (cell.number)
        return decimalCentavos(text);
    text.remove(QStringLiteral("R$")).remove(u' ').remove(QChar(0xA0));
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(\\.\\d{3})+(,\\d*)?$"));
    if (text.contains(u',') || grouped.match(text).hasMatch()) {
        if (text.count(u',') > 1 || (text.contains(u'.') && !grouped.match(text).hasMatch()))
            return std::nullopt;
        text.remove(u'.').replace(u',', u'.');
    }
    // An exponent is a spreadsheet's number, never a text typed.
    return text.contains(u'e', Qt::CaseInsensitive) ? std::nullopt : decimalCentavos(text);
}

std::optional<qint64> countOf(const ResultsCell &cell)
{
    const std::optional<qint64> centavos = centavosOf(cell);
    if (!centavos || *centavos % 100 != 0 || (!cell.number && cell.text.contains(u',')))
        return std::nullopt;
    return *centavos / 100;
}

QDate dateOf(const ResultsCell &cell)
{
    if (cell.number) { // days since 30 December 1899, as spreadsheets count them
        bool ok = false;
        const double day = cell.text.toDouble(&ok);
        return ok && day >= 1 && day < 200000 ? QDate(1899, 12, 30).addDays(qint64(day)) : QDate();
    }
    const QString text = cell.text.left(10);
    const QDate date = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    return date.isValid() ? date : QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

QList<Contest> contestsOf(const ResultsTable &table)
{
    // The header: the first row, among the first, that names the contest's column.
    qsizetype header = 0;
    auto names = [&](qsizetype row) {
        QStringList keys;
        for (const ResultsCell &cell : table[row].cells)
            keys << columnKey(cell.text);
        return keys;
    };
    while (header < std::min<qsizetype>(table.size(), 20) && !names(header).contains(u"concurso"))
        ++header;
    if (header >= std::min<qsizetype>(table.size(), 20))
        throw unreadable(QStringLiteral("NÃO É UM ARQUIVO DE RESULTADOS DA MEGA-SENA (NENHUMA "
                                        "COLUNA \"CONCURSO\")."));
    const QStringList keys = names(header);
    std::array<qsizetype, Columns> at;
    for (int column = 0; column < Columns; ++column) {
        at[size_t(column)] = -1;
        for (const QString &name : namesOfColumns()[column])
            if (at[size_t(column)] < 0)
                at[size_t(column)] = keys.indexOf(name);
        if (column <= Ball1 + 5 && at[size_t(column)] < 0)
            throw unreadable(QStringLiteral("NÃO É UM ARQUIVO DE RESULTADOS DA MEGA-SENA (FALTA A "
                                            "COLUNA \"%1\").")
                                     .arg(column == Date ? QStringLiteral("DATA DO SORTEIO")
                                                         : QStringLiteral("BOLA%1").arg(
                                                                 column - Ball1 + 1)));
    }
    std::map<int, std::pair<Contest, int>> read; // by number, with the line it came from
    for (qsizetype r = header + 1; r < table.size(); ++r) {
        const ResultsRow &row = table[r];
        auto cell = [&](int column) { return row.cells.value(at[size_t(column)]); };
        auto name = [&](int column) { return table[header].cells[at[size_t(column)]].text; };
        int filled = 0;
        for (const ResultsCell &c : row.cells)
            filled += !c.text.isEmpty();
        bool anyBall = false;
        for (int b = 0; b < 6; ++b)
            anyBall |= !cell(Ball1 + b).text.isEmpty();
        // An empty row, or one that carries only a city or a state for the contest above.
        if (filled == 0
            || (filled <= 2 && !anyBall && row.cells.size() < table[header].cells.size()))
            continue;
        Contest contest;
        const std::optional<qint64> number = countOf(cell(Number));
        if (!number || *number <= 0 || *number > 1'000'000)
            throw faultAt(
                    row.line, name(Number),
                    QStringLiteral("\"%1\" NÃO É UM NÚMERO DE CONCURSO.").arg(cell(Number).text));
        contest.number = int(*number);
        contest.date = dateOf(cell(Date));
        if (!contest.date.isValid())
            throw faultAt(
                    row.line, name(Date),
                    QStringLiteral("\"%1\" NÃO É UMA DATA (DD/MM/AAAA).").arg(cell(Date).text));
        for (int b = 0; b < 6; ++b) {
            const ResultsCell ball = cell(Ball1 + b);
            const std::optional<qint64> n = countOf(ball);
            if (ball.text.isEmpty())
                throw faultAt(row.line, name(Ball1 + b),
                              QStringLiteral("VAZIA: O CONCURSO %1 NÃO TEM SEIS DEZENAS.")
                                      .arg(contest.number));
            if (!n || *n < 1 || *n > 60)
                throw faultAt(row.line, name(Ball1 + b),
                              QStringLiteral("\"%1\" NÃO É UMA DEZENA DE 01 A 60.").arg(ball.text));
            if (std::find(contest.numbers.begin(), contest.numbers.begin() + b, quint8(*n))
                != contest.numbers.begin() + b)
                throw faultAt(row.line, name(Ball1 + b),
                              QStringLiteral("A DEZENA %1 APARECE DUAS VEZES NO CONCURSO %2.")
                                      .arg(*n, 2, 10, QChar(u'0'))
                                      .arg(contest.number));
            contest.numbers[size_t(b)] = quint8(*n);
        }
        std::sort(contest.numbers.begin(), contest.numbers.end());
        for (int t = 0; t < 3; ++t) {
            for (const int column : { Winners6 + t, Prize6 + t }) {
                if (at[size_t(column)] < 0 || cell(column).text.isEmpty())
                    continue; // no winners, or a file that does not say
                const std::optional<qint64> value =
                        column < Prize6 ? countOf(cell(column)) : centavosOf(cell(column));
                if (!value || *value < 0)
                    throw faultAt(row.line, name(column),
                                  QStringLiteral("\"%1\" NÃO É %2.")
                                          .arg(cell(column).text,
                                               column < Prize6
                                                       ? QStringLiteral("UM NÚMERO DE GANHADORES")
                                                       : QStringLiteral("UM VALOR EM REAIS")));
                (column < Prize6 ? contest.winners : contest.prize)[size_t(t)] = *value;
            }
            if (contest.winners[size_t(t)] == 0 || contest.prize[size_t(t)] == 0)
                contest.prize[size_t(t)] = -1; // nobody was paid: no amount to count
        }
        const auto [kept, added] = read.try_emplace(contest.number, contest, row.line);
        if (!added && kept->second.first.numbers != contest.numbers)
            throw faultAt(
                    row.line, name(Number),
                    QStringLiteral("O CONCURSO %1 APARECE TAMBÉM NA LINHA %2, COM OUTRAS DEZENAS.")
                            .arg(contest.number)
                            .arg(kept->second.second));
    }
    QList<Contest> contests;
    for (const auto &[number, contest] : read)
        contests << contest.first;
    return contests;
}

QList<Contest> readResults(const QByteArray &file)
{
    return contestsOf(readResultsTable(file));
}

quint64 Contest::mask() const
{
    return maskOf(numbers);
}

} // namespace dezenario
