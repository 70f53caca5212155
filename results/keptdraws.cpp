#include "keptdraws.h"

#include "commanderror.h"
#include "resultsfile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <map>

namespace dezenario {

namespace {
const QByteArray Head = "DEZENARIO RESULTADOS 1";

QString amount(qint64 value)
{
    return value < 0 ? QString() : QString::number(value);
}
} // namespace

KeptDraws::KeptDraws(QString file) : m_file(std::move(file))
{
    if (m_file.isEmpty())
        m_file = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                + QStringLiteral("/resultados.txt");
}

QList<Contest> KeptDraws::load() const
{
    QFile in(m_file);
    if (!in.exists())
        return {};
    const QList<QByteArray> lines =
            in.open(QIODevice::ReadOnly) ? in.readAll().split('\n') : QList<QByteArray>();
    auto damaged = [this] {
        return CommandError(errors::InvalidArgument,
                            QStringLiteral("OS RESULTADOS GUARDADOS EM %1 NÃO SE LEEM. IMPORTE O "
                                           "ARQUIVO DE RESULTADOS DE NOVO.")
                                    .arg(QDir::toNativeSeparators(m_file)));
    };
    if (lines.size() < 2 || lines.first() != Head || !lines.contains("FIM"))
        throw damaged();
    QList<Contest> contests;
    for (qsizetype i = 1; i < lines.size() && lines[i] != "FIM"; ++i) {
        const QList<QByteArray> fields = lines[i].split(';');
        const QList<QByteArray> numbers = fields.value(2).split(' ');
        Contest contest;
        bool ok = fields.size() == 9 && numbers.size() == 6;
        auto whole = [&ok](const QByteArray &field) {
            bool read = false;
            const qint64 value = field.toLongLong(&read);
            ok &= read;
            return value;
        };
        contest.number = int(whole(fields.value(0)));
        contest.date = QDate::fromString(QString::fromLatin1(fields.value(1)), Qt::ISODate);
        for (size_t n = 0; ok && n < 6; ++n) {
            contest.numbers[n] = quint8(whole(numbers[qsizetype(n)]));
            ok &= contest.numbers[n] >= 1 && contest.numbers[n] <= 60;
        }
        for (size_t t = 0; ok && t < 3; ++t) {
            if (!fields[qsizetype(3 + 2 * t)].isEmpty())
                contest.winners[t] = whole(fields[qsizetype(3 + 2 * t)]);
            if (!fields[qsizetype(4 + 2 * t)].isEmpty())
                contest.prize[t] = whole(fields[qsizetype(4 + 2 * t)]);
        }
        if (!ok || contest.number <= 0 || !contest.date.isValid()
            || (!contests.isEmpty() && contests.last().number >= contest.number))
            throw damaged();
        contests << contest;
    }
    return contests;
}

QList<Contest> KeptDraws::loadSome() const
{
    const QList<Contest> contests = load();
    if (contests.isEmpty())
        throw CommandError(errors::InvalidArgument, keptInWords(contests));
    return contests;
}

QString KeptDraws::keep(const QList<Contest> &contests) const
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QSaveFile out(m_file);
    QByteArray text = Head + '\n';
    for (const Contest &c : contests) {
        QStringList numbers;
        for (const quint8 n : c.numbers)
            numbers << QString::number(n);
        text += QStringLiteral("%1;%2;%3;%4;%5;%6;%7;%8;%9\n")
                        .arg(c.number)
                        .arg(c.date.toString(Qt::ISODate), numbers.join(u' '), amount(c.winners[0]),
                             amount(c.prize[0]), amount(c.winners[1]), amount(c.prize[1]),
                             amount(c.winners[2]), amount(c.prize[2]))
                        .toLatin1();
    }
    text += "FIM\n";
    if (out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.commit())
        return {};
    return QStringLiteral("OS RESULTADOS NÃO FORAM GUARDADOS EM %1: %2.")
            .arg(QDir::toNativeSeparators(m_file), out.errorString().toUpper());
}

Merge compare(const QList<Contest> &kept, const QList<Contest> &read)
{
    std::map<int, const Contest *> byNumber;
    for (const Contest &contest : kept)
        byNumber[contest.number] = &contest;
    Merge merge;
    for (const Contest &contest : read) {
        const auto found = byNumber.find(contest.number);
        if (found == byNumber.end())
            merge.added << contest;
        else if (found->second->numbers != contest.numbers)
            merge.differing << std::pair { *found->second, contest };
        else
            ++merge.same;
    }
    return merge;
}

QList<Contest> merged(const QList<Contest> &kept, const Merge &merge, bool replaceDiffering)
{
    std::map<int, Contest> byNumber;
    for (const Contest &contest : kept)
        byNumber[contest.number] = contest;
    for (const Contest &contest : merge.added)
        byNumber[contest.number] = contest;
    for (const auto &[was, read] : merge.differing)
        if (replaceDiffering)
            byNumber[read.number] = read;
    QList<Contest> contests;
    for (const auto &[number, contest] : byNumber)
        contests << contest;
    return contests;
}

QString importResults(const QByteArray &file, const KeptDraws &store,
                      const std::function<bool(const QString &)> &replace)
{
    const QList<Contest> read = readResults(file);
    // Kept contests that no longer read are the lottery's, not the user's own: the file read
    // takes their place, and the summary says so.
    QList<Contest> kept;
    QString damaged;
    try {
        kept = store.load();
    } catch (const CommandError &) {
        damaged =
                QStringLiteral(" OS RESULTADOS GUARDADOS ANTES NÃO SE LIAM E FORAM TROCADOS PELOS "
                               "DESTE ARQUIVO.");
    }
    const Merge merge = compare(kept, read);
    bool replacing = false;
    if (!merge.differing.isEmpty()) {
        QStringList differing;
        for (const auto &[was, now] : merge.differing)
            differing << QStringLiteral("%1, GUARDADO COMO %2")
                                 .arg(contestInWords(now), contestInWords(was));
        replacing = replace(QStringLiteral("O ARQUIVO TRAZ OUTRAS DEZENAS PARA %1 CONCURSO(S) JÁ "
                                           "GUARDADO(S):\n%2\nSUBSTITUIR OS GUARDADOS PELOS DO "
                                           "ARQUIVO?")
                                    .arg(merge.differing.size())
                                    .arg(differing.mid(0, 10).join(u'\n')));
    }
    const QList<Contest> all = merged(kept, merge, replacing);
    if (all != kept || !damaged.isEmpty())
        if (const QString why = store.keep(all); !why.isEmpty())
            throw CommandError(errors::PermissionDenied, why);
    QString summary = QStringLiteral("%1 CONCURSO(S) LIDO(S): %2 NOVO(S), %3 JÁ GUARDADO(S).")
                              .arg(read.size())
                              .arg(merge.added.size())
                              .arg(merge.same);
    if (!merge.differing.isEmpty())
        summary += QStringLiteral(" %1 COM OUTRAS DEZENAS: %2.")
                           .arg(merge.differing.size())
                           .arg(replacing ? QStringLiteral("SUBSTITUÍDO(S)")
                                          : QStringLiteral("MANTIDO(S) COMO ESTAVAM"));
    return summary + damaged + u' ' + keptInWords(all);
}

QString contestInWords(const Contest &contest)
{
    QStringList numbers;
    for (const quint8 n : contest.numbers)
        numbers << QString::asprintf("%02d", n);
    return QStringLiteral("%1 (%2): %3")
            .arg(contest.number)
            .arg(contest.date.toString(QStringLiteral("dd/MM/yyyy")), numbers.join(u' '));
}

QString keptInWords(const QList<Contest> &contests)
{
    if (contests.isEmpty())
        return QStringLiteral(
                "NENHUM RESULTADO GUARDADO. IMPORTE O ARQUIVO DE RESULTADOS DA LOTERIA "
                "(CONFERÊNCIA > IMPORTAR RESULTADOS…).");
    auto one = [](const Contest &c) {
        return QStringLiteral("%1 (%2)").arg(c.number).arg(
                c.date.toString(QStringLiteral("dd/MM/yyyy")));
    };
    return QStringLiteral("%1 CONCURSO(S) GUARDADO(S), DO %2 AO %3.")
            .arg(contests.size())
            .arg(one(contests.first()), one(contests.last()));
}

} // namespace dezenario
