#pragma once

#include "contest.h"

#include <QString>
#include <functional>

namespace dezenario {

// The contests read so far, kept as plain text in the user's data folder and written whole or not
// at all (QSaveFile):
//
//   DEZENARIO RESULTADOS 1
//   2291;2020-08-01;12 26 31 36 37 49;0;;37;7908435;3269;127873
//   FIM
//
// a line a contest: its number, date, numbers, then the winners and the prize in centavos of the
// sena, the quina and the quadra, empty where the file gave none.
class KeptDraws
{
public:
    // "resultados.txt" in the application's data folder, or the file given.
    explicit KeptDraws(QString file = QString());
    const QString &file() const { return m_file; }

    // In the order of their numbers; none when nothing was kept. Throws CommandError when the file
    // is not a whole record of ours.
    QList<Contest> load() const;
    // The same, and throws CommandError, telling how to import them, when none is kept.
    QList<Contest> loadSome() const;
    // The reason in words when they could not be kept; empty when they were.
    QString keep(const QList<Contest> &contests) const;

private:
    QString m_file;
};

// What a file read brings to the contests kept.
struct Merge
{
    QList<Contest> added; // contests not kept before
    QList<std::pair<Contest, Contest>> differing; // kept, and read with other numbers
    int same = 0; // kept already, with the same numbers
};
Merge compare(const QList<Contest> &kept, const QList<Contest> &read);
// The contests kept with those read added, and those differing replaced if the user said so.
QList<Contest> merged(const QList<Contest> &kept, const Merge &merge, bool replaceDiffering);

// Reads a results file and keeps the contests it adds; a contest kept with other numbers is
// replaced only if replace, asked with the question in words, says so. The import's summary in
// words. Throws CommandError on a file that cannot be read, and nothing kept changes.
QString importResults(const QByteArray &file, const KeptDraws &store,
                      const std::function<bool(const QString &question)> &replace);

// In words: "2 950 CONCURSOS GUARDADOS, DO 1 (11/03/1996) AO 2950 (...)", or that none is.
QString keptInWords(const QList<Contest> &contests);
// "2291 (01/08/2020): 12 26 31 36 37 49".
QString contestInWords(const Contest &contest);

} // namespace dezenario
