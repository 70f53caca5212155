// How far the resident memory peaked above where it stood at start() (Linux).
#pragma once

#include <QByteArray>
#include <QFile>

namespace dezenario::test {

class PeakMemory
{
public:
    // Starts a new measure of the peak (clear_refs 5); false where the system cannot.
    bool start()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        const bool reset = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
        m_before = statusKilobytes("VmRSS");
        return reset;
    }
    long grownKilobytes() const { return statusKilobytes("VmHWM") - m_before; }

private:
    static long statusKilobytes(const QByteArray &field)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith(field + ':'))
                return line.mid(field.size() + 1).trimmed().split(' ').first().toLong();
        }
        return -1;
    }

    long m_before = 0;
};

} // namespace dezenario::test
