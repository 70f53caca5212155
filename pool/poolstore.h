#pragma once

#include "pool.h"

#include <QList>

namespace dezenario::pool {

// A bolão as plain text: a head, one field a line, the texts percent-encoded so that no name or
// note can break a line, and a last line that says it is whole.
QByteArray toText(const Pool &pool);
// False when the text is not a whole bolão of ours, or its bolão has a fault: nothing is read
// then.
bool fromText(const QByteArray &text, Pool &pool);

// The bolões kept, a file each in the folder "boloes" of the user's data folder, written whole or
// not at all (QSaveFile).
class PoolStore
{
public:
    explicit PoolStore(QString folder = QString());
    const QString &folder() const { return m_folder; }

    struct Listed
    {
        QString file; // in the folder
        bool readable = false; // false: cut short, changed by hand, or not ours
        Pool pool;
    };
    // By name, those that cannot be read last.
    QList<Listed> list() const;
    bool load(const QString &file, Pool &pool) const;
    // Keeps the bolão in file, or in a new file named in file when it is empty. The reason in
    // words when nothing was kept, its fault first; empty when it was.
    QString keep(const Pool &pool, QString &file) const;
    bool remove(const QString &file) const;

private:
    QString m_folder;
};

} // namespace dezenario::pool
