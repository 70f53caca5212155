#pragma once

#include "keptrun.h"

#include <QList>
#include <QString>

namespace dezenario {

// The runs kept, a plain-text file each in the user's data folder, named by when it was written and
// by which program: two windows printing at once never write the same file. A file is written whole
// or not at all (QSaveFile), so a program killed while writing leaves the last whole record or
// none.
class RunStore
{
public:
    // The folder "impressos" in the application's data folder, or the one given.
    explicit RunStore(QString folder = QString());
    const QString &folder() const { return m_folder; }

    struct Listed
    {
        QString file; // the file name, in the folder
        bool readable = false; // false: not a whole record of ours, and nothing below is known
        KeptRun header; // the run without its slips
        qsizetype slips = 0;
        int games = 0; // with a number marked
    };
    // Newest first, from the head of each file and its last line alone.
    QList<Listed> list() const;
    // False when the file cannot be read or is not a whole record of ours.
    bool load(const QString &file, KeptRun &run) const;
    // The reason in words when the run could not be kept; empty when it was. The file name in file.
    QString keep(const KeptRun &run, QString *file = nullptr) const;
    bool remove(const QString &file) const;

private:
    QString m_folder;
};

// The price of a simple bet, in centavos, kept in the user's settings: R$ 6,00 until another is
// set (the lottery's since July 2025).
qint64 priceOfABet();
// The reason in words when it could not be kept; empty when it was.
QString setPriceOfABet(qint64 centavos);
// A price as a user types it, "6", "6,00", "6.5", "R$ 1.000,00", in centavos. Throws CommandError
// giving the range, R$ 0,01 to R$ 999,99, for one outside it or unreadable: never another value.
qint64 readPrice(const QString &typed);

} // namespace dezenario
