// How far the resident memory peaks above where it stood at start() (Linux).
#pragma once

#include <QFile>

namespace dezenario::test {
struct PeakMemory
{
    long before = 0;
    // Starts a new measure of the peak (clear_refs 5); false where the system cannot.
    bool start()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        before = kilobytes("VmRSS:");
        return clear.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && clear.write("5") == 1;
    }
    long grownKilobytes() const { return kilobytes("VmHWM:") - before; }
    static long kilobytes(const QByteArray &field)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        const QByteArray all = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
        return all.mid(all.indexOf(field) + field.size()).trimmed().split(' ').first().toLong();
    }
};
} // namespace dezenario::test
