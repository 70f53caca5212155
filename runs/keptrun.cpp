#include "keptrun.h"

#include "sliplayout.h"

#include <QLocale>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <optional>

namespace dezenario {

namespace {
const QByteArray Magic = "DEZENARIO VOLANTES IMPRESSOS 1";
const QByteArray End = "FIM";
const QString Unmarked = QStringLiteral(" NÃO MARCADOS: ");
const QString ReprintOf = QStringLiteral("REIMPRESSÃO DE: ");

QByteArray number(double value)
{
    return QByteArray::number(value, 'f', 1);
}
} // namespace

int KeptRun::gamesMarked() const
{
    int games = 0;
    for (const Slip &slip : slips)
        for (const Game &game : slip.games)
            games += !game.marked.isEmpty();
    return games;
}

QByteArray KeptRun::toText() const
{
    QByteArray text;
    text.reserve(qsizetype(slips.size()) * 3 * (24 + 3 * numbersPerGame) + 512);
    text += Magic + '\n';
    text += "QUANDO: " + when.toString(Qt::ISODateWithMs).toUtf8() + '\n';
    text += "IMPRESSORA: " + QUrl::toPercentEncoding(printer, " \\/()") + '\n';
    text += "AJUSTE: " + number(alignment.right) + ' ' + number(alignment.down) + ' '
            + number(alignment.width) + ' ' + number(alignment.height) + '\n';
    text += "DEZENAS POR JOGO: " + QByteArray::number(numbersPerGame) + '\n';
    text += "QUANTIDADE: " + QUrl::toPercentEncoding(quantity, " ,.") + '\n';
    if (!reprintOf.isEmpty())
        text += ReprintOf.toUtf8() + QUrl::toPercentEncoding(reprintOf) + '\n';
    text += "VOLANTES: " + QByteArray::number(qsizetype(slips.size())) + '\n';
    text += "JOGOS: " + QByteArray::number(gamesMarked()) + '\n';
    for (const Slip &slip : slips) {
        for (int g = 0; g < 3; ++g) {
            text += "VOLANTE " + QByteArray::number(slip.number) + " JOGO "
                    + QByteArray::number(g + 1) + ':';
            const Game &game = slip.games[size_t(g)];
            if (!game.marked.isEmpty())
                text += ' ';
            for (const quint8 dezena : game.marked)
                text += char('0' + dezena / 10) + QByteArray(1, char('0' + dezena % 10)) + '-';
            if (!game.unmarked.isEmpty()) {
                text += Unmarked.toUtf8();
                QByteArrayList texts;
                for (const QString &taken : game.unmarked)
                    texts << QUrl::toPercentEncoding(taken);
                text += texts.join(' ');
            }
            text += '\n';
        }
    }
    return text + End + '\n';
}

bool KeptRun::fromText(const QByteArray &text, Counts *head)
{
    const QList<QByteArray> lines = text.split('\n');
    // The first line, the header, the games, FIM, and the nothing after the last line break.
    if (lines.size() < 10 || lines.first() != Magic || lines.constLast() != QByteArray()
        || lines[lines.size() - 2] != End)
        return false;
    qsizetype at = 1;
    auto field = [&](const QByteArray &key) -> std::optional<QByteArray> {
        if (!lines[at].startsWith(key))
            return std::nullopt;
        return lines[at++].mid(key.size());
    };
    const auto whenField = field("QUANDO: "), printerField = field("IMPRESSORA: "),
               values = field("AJUSTE: "), perGame = field("DEZENAS POR JOGO: "),
               typed = field("QUANTIDADE: "), reprint = field(ReprintOf.toUtf8()),
               slipCount = field("VOLANTES: "), games = field("JOGOS: ");
    if (!whenField || !printerField || !values || !perGame || !typed || !slipCount || !games)
        return false;
    KeptRun run;
    run.when = QDateTime::fromString(QString::fromUtf8(*whenField), Qt::ISODateWithMs);
    run.printer = QUrl::fromPercentEncoding(*printerField);
    const QList<QByteArray> four = values->split(' ');
    bool good[6] = {};
    run.alignment = { four.value(0).toDouble(&good[0]), four.value(1).toDouble(&good[1]),
                      four.value(2).toDouble(&good[2]), four.value(3).toDouble(&good[3]) };
    run.numbersPerGame = perGame->toInt(&good[4]);
    run.quantity = QUrl::fromPercentEncoding(*typed);
    run.reprintOf = reprint ? QUrl::fromPercentEncoding(*reprint) : QString();
    const Counts counts { slipCount->toLongLong(&good[5]), games->toInt() };
    if (!run.when.isValid() || four.size() != 4 || !std::all_of(good, good + 6, std::identity())
        || !run.alignment.inRange() || run.numbersPerGame < 6 || run.numbersPerGame > 9
        || (!head && lines.size() - 2 - at != 3 * counts.slips))
        return false;
    if (head) {
        *head = counts;
        *this = std::move(run);
        return true;
    }
    // "VOLANTE n JOGO g:", its numbers marked and what it took that no box has.
    for (qsizetype line = at; line < lines.size() - 2; ++line) {
        const int g = int((line - at) % 3) + 1;
        const QString game = QString::fromUtf8(lines[line]);
        const qsizetype colon = game.indexOf(u':');
        const QStringList words = game.left(colon).split(u' ');
        bool numbered = false;
        const int slip = words.value(1).toInt(&numbered);
        if (colon < 0 || words.size() != 4 || words[0] != u"VOLANTE" || words[2] != u"JOGO"
            || words[3] != QString::number(g) || !numbered
            || (g > 1 && slip != run.slips.back().number))
            return false;
        if (g == 1)
            run.slips.push_back({ slip, {} });
        Game &taken = run.slips.back().games[size_t(g - 1)];
        QString rest = game.mid(colon + 1);
        if (const qsizetype at = rest.indexOf(Unmarked); at >= 0) {
            for (const QString &text : rest.mid(at + Unmarked.size()).split(u' '))
                taken.unmarked << QUrl::fromPercentEncoding(text.toUtf8());
            rest.truncate(at);
        }
        if (!rest.isEmpty() && !(rest.startsWith(u' ') && rest.endsWith(u'-')))
            return false;
        for (const QString &dezena : rest.mid(1).split(u'-', Qt::SkipEmptyParts)) {
            const int n = SlipLayout::numberOf(dezena);
            if (!n)
                return false;
            taken.marked << quint8(n);
        }
    }
    *this = std::move(run);
    return true;
}

int simpleBets(int numbersPerGame)
{
    // C(k, 6) for k from 6 to 9
    int bets = 1;
    for (int k = 7; k <= numbersPerGame; ++k)
        bets = bets * k / (k - 6);
    return bets;
}

qint64 costInCentavos(int games, int numbersPerGame, qint64 priceInCentavos)
{
    return qint64(games) * simpleBets(numbersPerGame) * priceInCentavos;
}

QString reais(qint64 centavos)
{
    return QStringLiteral("R$ ")
            + QLocale(QLocale::Portuguese, QLocale::Brazil)
                      .toString(double(centavos) / 100, 'f', 2);
}

void RunCollector::runBegins(const QString &quantity, int numbersPerGame)
{
    m_run.quantity = quantity;
    m_run.numbersPerGame = numbersPerGame;
}

void RunCollector::slipBegins(int slip)
{
    m_run.slips.push_back({ slip, {} });
}

void RunCollector::gameBegins(int game)
{
    m_game = game;
}

void RunCollector::taken(const QString &text, std::optional<MarkPosition> mark)
{
    KeptRun::Game &game = m_run.slips.back().games[size_t(m_game - 1)];
    if (mark)
        game.marked << quint8(SlipLayout::numberOf(text));
    else
        game.unmarked << text;
}

void paintSlips(const KeptRun &run, int from, int to, Printer &printer)
{
    for (const KeptRun::Slip &slip : run.slips) {
        if (slip.number < from || slip.number > to)
            continue;
        for (int g = 1; g <= 3; ++g)
            for (const quint8 dezena : slip.games[size_t(g - 1)].marked)
                SlipLayout::paintMark(printer, SlipLayout::numberMarkPosition(g, dezena));
        SlipLayout::paintMark(printer, SlipLayout::countMarkPosition(run.numbersPerGame));
        printer.endPage();
    }
}

} // namespace dezenario
