// Slow, literal versions of the commands' rules, step by step on a plain
// string: a snapshot is a copy, a cut really removes. The fast code must give
// exactly the same results.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace dezenario::model {

struct Analysis
{
    QString analysisText;
    QStringList entries;
};

// Separator removal (an empty separator removes nothing) and census.
Analysis analyse(QString buffer, const QString &separator);
QString removeSeparators(QString &buffer, const QString &separator);
QStringList census(const QString &analysisText);

struct PrintRun
{
    QStringList log;
    QList<QList<QPoint>> pages; // the marks of each slip, in painting order
    QString textLeft;
};

PrintRun print(QString buffer, int numbersPerGame, int slipCount);

} // namespace dezenario::model
