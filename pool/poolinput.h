#pragma once

#include <QString>

namespace dezenario::pool {

// What the organizer types, read as elsewhere in the program; each throws CommandError with the
// range for what it cannot read or what is outside it, never another value.
// The service fee in percent, "10", "1,5" or "1.5", as hundredths of a percent, 0 to 35 %.
int readFee(const QString &typed);
// A count, "30" or "1.000", from least to most; what names it in the error ("COTAS").
int readCount(const QString &typed, int least, int most, const QString &what);

} // namespace dezenario::pool
