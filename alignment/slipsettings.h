#pragma once

#include "alignment.h"

#include <QSettings>

namespace dezenario {

// The printer for slips and each printer's alignment, kept where the system keeps a user's
// settings (the registry on Windows, ~/.config on Linux) under the application's organization and
// name. Nothing saved means the system's default printer and no shift, no stretch.
class SlipSettings
{
public:
    SlipSettings();

    // The printer chosen for slips; empty for the system's default.
    QString chosenPrinter() const;

    struct Saved
    {
        Alignment alignment;
        // A value was there but was no number, or out of range: none of the printer's is used.
        enum Fault { Good, NotANumber, OutOfRange } fault = Good;
    };
    Saved alignmentFor(const QString &printer) const;

    // Saves the printer for slips, and the values of the printer they were set for. The reason in
    // words when nothing could be saved; empty when all was.
    QString save(const QString &chosen, const QString &printer, const Alignment &alignment);

private:
    mutable QSettings m_settings;
};

} // namespace dezenario
