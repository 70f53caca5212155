#pragma once

#include "commanderror.h"

#include <QByteArray>
#include <QStringList>

namespace dezenario {

// Why a results file was not read, in the words every refusal of one starts with.
CommandError unreadable(const QString &why);

// A ZIP archive (an XLSX is one) read from memory by minizip. Throws CommandError when it is cut
// short or damaged.
class ZipArchive
{
public:
    explicit ZipArchive(const QByteArray &file);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    QStringList names() const; // every entry's, in the order kept
    bool has(const QString &name) const;
    // The entry whole, its checksum checked; throws when it is missing, damaged or larger than
    // any results file.
    QByteArray entry(const QString &name) const;

private:
    QByteArray m_file;
    void *m_zip = nullptr;
};

} // namespace dezenario
