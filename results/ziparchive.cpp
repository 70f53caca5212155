#include "ziparchive.h"

#include <cstring>
#include <unzip.h>

namespace dezenario {

CommandError unreadable(const QString &why)
{
    return CommandError(errors::InvalidArgument, QStringLiteral("O ARQUIVO NÃO FOI LIDO: ") + why);
}

namespace {

constexpr quint64 LargestEntry = 256 << 20; // none comes near, but a ZIP made to swell does

// The ZIP read from memory: minizip is given these instead of a file name, so that a path with
// accents opens on Windows as on Linux, and the file is read once.
struct Memory
{
    const QByteArray *data;
    quint64 at = 0;
};
voidpf openMemory(voidpf data, const void *, int)
{
    return new Memory { static_cast<QByteArray *>(data) };
}
uLong readMemory(voidpf, voidpf stream, void *into, uLong size)
{
    auto *memory = static_cast<Memory *>(stream);
    const quint64 left =
            quint64(memory->data->size()) - std::min<quint64>(memory->at, memory->data->size());
    const uLong taken = uLong(std::min<quint64>(size, left));
    std::memcpy(into, memory->data->constData() + memory->at, taken);
    memory->at += taken;
    return taken;
}
uLong writeMemory(voidpf, voidpf, const void *, uLong)
{
    return 0;
}
ZPOS64_T tellMemory(voidpf, voidpf stream)
{
    return static_cast<Memory *>(stream)->at;
}
long seekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *memory = static_cast<Memory *>(stream);
    const quint64 base = origin == ZLIB_FILEFUNC_SEEK_CUR ? memory->at
            : origin == ZLIB_FILEFUNC_SEEK_END            ? quint64(memory->data->size())
                                                          : 0;
    if (base + offset > quint64(memory->data->size()))
        return -1;
    memory->at = base + offset;
    return 0;
}
int closeMemory(voidpf, voidpf stream)
{
    delete static_cast<Memory *>(stream);
    return 0;
}
int noError(voidpf, voidpf)
{
    return 0;
}

} // namespace

ZipArchive::ZipArchive(const QByteArray &file) : m_file(file)
{
    zlib_filefunc64_def io { openMemory, readMemory,  writeMemory, tellMemory,
                             seekMemory, closeMemory, noError,     &m_file };
    m_zip = unzOpen2_64("", &io);
    if (!m_zip)
        throw unreadable(
                QStringLiteral("É UM ZIP (OU XLSX) CORTADO OU DANIFICADO. BAIXE-O DE NOVO."));
}

ZipArchive::~ZipArchive()
{
    unzClose(m_zip);
}

QStringList ZipArchive::names() const
{
    QStringList names;
    for (int at = unzGoToFirstFile(m_zip); at == UNZ_OK; at = unzGoToNextFile(m_zip)) {
        char name[512];
        if (unzGetCurrentFileInfo64(m_zip, nullptr, name, sizeof name, nullptr, 0, nullptr, 0)
            == UNZ_OK)
            names << QString::fromUtf8(name);
    }
    return names;
}

bool ZipArchive::has(const QString &name) const
{
    return unzLocateFile(m_zip, name.toUtf8().constData(), 2) == UNZ_OK;
}

QByteArray ZipArchive::entry(const QString &name) const
{
    unz_file_info64 info;
    if (!has(name)
        || unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        throw unreadable(QStringLiteral("FALTA %1 DENTRO DO ZIP.").arg(name));
    if (info.uncompressed_size > LargestEntry)
        throw unreadable(
                QStringLiteral("%1 É GRANDE DEMAIS PARA UM ARQUIVO DE RESULTADOS.").arg(name));
    QByteArray data(qsizetype(info.uncompressed_size), Qt::Uninitialized);
    int read = -1;
    if (unzOpenCurrentFile(m_zip) == UNZ_OK) {
        read = unzReadCurrentFile(m_zip, data.data(), unsigned(data.size()));
        char more;
        if (read == data.size() && unzReadCurrentFile(m_zip, &more, 1) != 0)
            read = -1;
        if (unzCloseCurrentFile(m_zip) != UNZ_OK)
            read = -1; // the checksum does not match
    }
    if (read != data.size())
        throw unreadable(
                QStringLiteral("%1 ESTÁ CORTADO OU DANIFICADO DENTRO DO ZIP. BAIXE-O DE NOVO.")
                        .arg(name));
    return data;
}

} // namespace dezenario
