#include "runstore.h"

#include "commanderror.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace dezenario {

namespace {
const QString Suffix = QStringLiteral(".txt");
constexpr int HeadLines = 11; // the first line and the header, at the most
} // namespace

RunStore::RunStore(QString folder) : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                + QStringLiteral("/impressos");
}

QList<RunStore::Listed> RunStore::list() const
{
    QStringList files = QDir(m_folder).entryList({ u'*' + Suffix }, QDir::Files, QDir::Name);
    std::reverse(files.begin(), files.end()); // the names begin with when they were written
    QList<Listed> listed;
    for (const QString &name : files) {
        Listed run;
        run.file = name;
        QFile file(QDir(m_folder).filePath(name));
        if (file.open(QIODevice::ReadOnly)) {
            // The head as a record without games, its end as written: a file cut short has none.
            QByteArray head;
            for (int i = 0; i < HeadLines && !file.atEnd() && !head.contains("\nJOGOS: "); ++i)
                head += file.readLine(4096);
            file.seek(std::max<qint64>(0, file.size() - 4));
            KeptRun::Counts counts;
            run.readable = file.read(4) == "FIM\n" && run.header.fromText(head + "FIM\n", &counts);
            run.slips = counts.slips;
            run.games = counts.games;
        }
        listed << run;
    }
    return listed;
}

bool RunStore::load(const QString &name, KeptRun &run) const
{
    QFile file(QDir(m_folder).filePath(name));
    return file.open(QIODevice::ReadOnly) && run.fromText(file.readAll());
}

QString RunStore::keep(const KeptRun &run, QString *name) const
{
    static QAtomicInt written;
    const QString file = run.when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))
            + QStringLiteral("-%1-%2").arg(QCoreApplication::applicationPid()).arg(written++)
            + Suffix;
    QSaveFile out(QDir(m_folder).filePath(file));
    if (!QDir().mkpath(m_folder) || !out.open(QIODevice::WriteOnly) || out.write(run.toText()) < 0
        || !out.commit())
        return QStringLiteral("NÃO FOI POSSÍVEL GRAVAR EM %1 (%2).")
                .arg(QDir::toNativeSeparators(m_folder),
                     out.errorString().isEmpty() ? QStringLiteral("PASTA SEM PERMISSÃO")
                                                 : out.errorString().toUpper());
    if (name)
        *name = file;
    return QString();
}

bool RunStore::remove(const QString &file) const
{
    return QFile::remove(QDir(m_folder).filePath(file));
}

namespace {
const QString Price = QStringLiteral("custo/aposta_simples_centavos");
QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QCoreApplication::organizationName(), QCoreApplication::applicationName());
}
} // namespace

qint64 priceOfABet()
{
    bool ok = false;
    const qint64 price = settings().value(Price).toString().toLongLong(&ok);
    return ok && price > 0 && price < 100000 ? price : 600;
}

qint64 readPrice(const QString &typed)
{
    QString text = typed.simplified().remove(QStringLiteral("R$")).remove(u' ');
    static const QRegularExpression form(
            QStringLiteral("^(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:[.,](\\d{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(text);
    bool ok = match.hasMatch();
    const qint64 whole = QString(match.captured(1)).remove(u'.').toLongLong(&ok) * ok;
    const qint64 centavos = whole * 100 + match.captured(2).leftJustified(2, u'0').toInt();
    if (!ok || whole > 999 || centavos < 1)
        throw CommandError(errors::Overflow,
                           QStringLiteral("O PREÇO \"%1\" NÃO VALE: DIGITE DE R$ 0,01 A R$ 999,99, "
                                          "COMO 6,00.")
                                   .arg(typed.trimmed()));
    return centavos;
}

QString setPriceOfABet(qint64 centavos)
{
    QSettings kept = settings();
    kept.setValue(Price, QString::number(centavos));
    kept.sync();
    return kept.status() == QSettings::NoError
            ? QString()
            : QStringLiteral("NÃO FOI POSSÍVEL GRAVAR O PREÇO EM %1.").arg(kept.fileName());
}

} // namespace dezenario
