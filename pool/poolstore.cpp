#include "poolstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

namespace dezenario::pool {

namespace {
const QByteArray Head = "DEZENARIO BOLAO 1", End = "FIM";

QByteArray encoded(const QString &text)
{
    return QUrl::toPercentEncoding(text, " ");
}
QString decoded(const QByteArray &field)
{
    return QUrl::fromPercentEncoding(field);
}
int number(const QByteArray &field, bool &ok)
{
    bool read = false;
    const int value = field.toInt(&read);
    ok = ok && read;
    return value;
}
} // namespace

QByteArray toText(const Pool &pool)
{
    QByteArray text = Head + '\n';
    text += "NOME=" + encoded(pool.name) + '\n';
    text += "ORGANIZADOR=" + encoded(pool.organizer) + '\n';
    text += "CONCURSO=" + QByteArray::number(pool.contest) + ';' + QByteArray::number(pool.contests)
            + '\n';
    text += "COTAS=" + QByteArray::number(pool.cotas) + ';' + QByteArray::number(pool.fee) + '\n';
    text += "IMPRESSAO=" + encoded(pool.run) + '\n';
    text += "PREMIO=" + QByteArray::number(pool.won) + '\n';
    for (const std::vector<int> &game : pool.games) {
        QByteArrayList numbers;
        for (const int n : game)
            numbers << QByteArray::number(n).rightJustified(2, '0');
        text += "JOGO=" + numbers.join(' ') + '\n';
    }
    for (const Participant &p : pool.participants)
        text += "PARTICIPANTE=" + encoded(p.name) + ';' + QByteArray::number(p.cotas) + ';'
                + (p.paid ? "PAGO" : "NAO") + ';' + p.paidOn.toString(Qt::ISODate).toLatin1() + ';'
                + PaidHowWords[int(p.how)] + ';' + encoded(p.note) + '\n';
    return text + End + '\n';
}

bool fromText(const QByteArray &text, Pool &pool)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 3 || lines.first() != Head || lines[lines.size() - 2] != End
        || !lines.last().isEmpty())
        return false;
    Pool read;
    bool ok = true;
    for (qsizetype i = 1; ok && i < lines.size() - 2; ++i) {
        const qsizetype eq = lines[i].indexOf('=');
        const QByteArray key = lines[i].left(eq), value = lines[i].mid(eq + 1);
        const QList<QByteArray> fields = value.split(';');
        if (eq < 0)
            ok = false;
        else if (key == "NOME")
            read.name = decoded(value);
        else if (key == "ORGANIZADOR")
            read.organizer = decoded(value);
        else if (key == "IMPRESSAO")
            read.run = decoded(value);
        else if (key == "PREMIO")
            read.won = value.toLongLong(&ok);
        else if (key == "CONCURSO" && fields.size() == 2) {
            read.contest = number(fields[0], ok);
            read.contests = number(fields[1], ok);
        } else if (key == "COTAS" && fields.size() == 2) {
            read.cotas = number(fields[0], ok);
            read.fee = number(fields[1], ok);
        } else if (key == "JOGO") {
            std::vector<int> &game = read.games.emplace_back();
            for (const QByteArray &n : value.split(' '))
                game.push_back(number(n, ok));
        } else if (key == "PARTICIPANTE" && fields.size() == 6) {
            Participant p;
            p.name = decoded(fields[0]);
            p.cotas = number(fields[1], ok);
            ok = ok && (fields[2] == "PAGO" || fields[2] == "NAO");
            p.paid = fields[2] == "PAGO";
            p.paidOn = QDate::fromString(QString::fromLatin1(fields[3]), Qt::ISODate);
            ok = ok && (fields[3].isEmpty() || p.paidOn.isValid());
            const auto how = std::find(std::begin(PaidHowWords), std::end(PaidHowWords), fields[4]);
            ok = ok && how != std::end(PaidHowWords);
            p.how = PaidHow(how - std::begin(PaidHowWords));
            p.note = decoded(fields[5]);
            read.participants.push_back(p);
        } else {
            ok = false;
        }
    }
    if (!ok || !faultOf(read).isEmpty())
        return false;
    pool = read;
    return true;
}

PoolStore::PoolStore(QString folder) : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                           .filePath(QStringLiteral("boloes"));
}

QList<PoolStore::Listed> PoolStore::list() const
{
    QList<Listed> listed;
    for (const QString &file : QDir(m_folder).entryList({ QStringLiteral("*.txt") }, QDir::Files)) {
        Listed entry { file, false, {} };
        entry.readable = load(file, entry.pool);
        listed << entry;
    }
    // By name, those that cannot be read after them.
    std::stable_sort(listed.begin(), listed.end(), [](const Listed &a, const Listed &b) {
        return a.readable != b.readable ? a.readable
                                        : a.pool.name.compare(b.pool.name, Qt::CaseInsensitive) < 0;
    });
    return listed;
}

bool PoolStore::load(const QString &file, Pool &pool) const
{
    QFile in(QDir(m_folder).filePath(file));
    return in.open(QIODevice::ReadOnly) && fromText(in.readAll(), pool);
}

QString PoolStore::keep(const Pool &pool, QString &file) const
{
    if (const QString fault = faultOf(pool); !fault.isEmpty())
        return fault;
    // A new bolão never takes the file of another, even one kept in the same millisecond.
    QString name = file;
    const QString stamp =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    for (int n = 1; name.isEmpty() || (file.isEmpty() && QDir(m_folder).exists(name)); ++n)
        name = QStringLiteral("bolao-%1-%2.txt").arg(stamp).arg(n);
    QSaveFile out(QDir(m_folder).filePath(name));
    const QByteArray text = toText(pool);
    if (!QDir().mkpath(m_folder) || !out.open(QIODevice::WriteOnly)
        || out.write(text) != text.size() || !out.commit())
        return QStringLiteral("O BOLÃO NÃO FOI GUARDADO: NÃO É POSSÍVEL GRAVAR EM %1.")
                .arg(QDir::toNativeSeparators(m_folder));
    file = name;
    return QString();
}

bool PoolStore::remove(const QString &file) const
{
    return QFile::remove(QDir(m_folder).filePath(file));
}

} // namespace dezenario::pool
