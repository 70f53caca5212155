#include "literalmodel.h"

#include "sliplayout.h"

namespace dezenario::model {

QString removeSeparators(QString &buffer, const QString &separator)
{
    const QString startSnapshot = buffer;
    const qsizetype first = startSnapshot.indexOf(separator) + 1;
    if (first == 0)
        return buffer;
    buffer.remove(0, first);
    QString analysis;
    for (;;) {
        const QString snapshot = buffer;
        const qsizetype p = snapshot.indexOf(separator) + 1;
        if (p < 2)
            break;
        const qsizetype r = snapshot.indexOf(QLatin1Char('\r')) + 1;
        if (r == 0)
            break;
        const qsizetype before = buffer.size();
        if (p < 14)
            buffer.remove(0, p);
        const QString take = buffer.left(r - 1);
        analysis += take + QLatin1Char('/');
        buffer.remove(0, take.size());
        if (buffer.size() == before)
            break;
    }
    return analysis + buffer;
}

QStringList census(const QString &analysisText)
{
    QStringList entries;
    for (int n = 1; n <= 100; ++n) {
        const QString key = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        const qsizetype p = analysisText.indexOf(key);
        if (p >= 0)
            entries << (n == 100 ? key : analysisText.mid(p, 2));
    }
    return entries;
}

Analysis analyse(QString buffer, const QString &separator)
{
    Analysis result;
    result.analysisText = separator.isEmpty() ? buffer : removeSeparators(buffer, separator);
    result.entries = census(result.analysisText);
    return result;
}

namespace {
QList<QPoint> lookUp(int game, const QString &dezena)
{
    for (int n = 1; n <= 60; ++n) {
        if (dezena == QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')))
            return {QPoint(SlipLayout::GameColumnX[game - 1][(n - 1) / 10], SlipLayout::RowY[(n - 1) % 10])};
    }
    return {};
}
} // namespace

PrintRun print(QString buffer, int numbersPerGame, int slipCount)
{
    PrintRun run;
    for (int slip = 1; slip <= slipCount; ++slip) {
        QList<QPoint> page;
        for (int game = 1; game <= 3; ++game) {
            for (int position = 0; position < numbersPerGame; ++position) {
                const qsizetype p = buffer.indexOf(QLatin1Char('-')) + 1;
                if (p == 0)
                    continue;
                QString dezena = buffer.left(p - 1);
                while (dezena.startsWith(QLatin1Char(' ')))
                    dezena.remove(0, 1);
                while (dezena.endsWith(QLatin1Char(' ')))
                    dezena.chop(1);
                run.log << dezena;
                buffer.remove(0, p);
                page += lookUp(game, dezena);
            }
            run.log << QStringLiteral("* ");
        }
        page << QPoint(SlipLayout::CountBoxX, SlipLayout::RowY[numbersPerGame - 6]);
        run.pages << page;
        run.log << QStringLiteral("* %1* ").arg(slip);
    }
    run.textLeft = buffer;
    return run;
}

} // namespace dezenario::model
