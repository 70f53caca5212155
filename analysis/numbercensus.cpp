#include "numbercensus.h"

#include <array>

namespace dezenario {

namespace {
bool isDigit(char16_t c)
{
    return char16_t(c - u'0') < 10;
}
} // namespace

QStringList findDezenas(QStringView text)
{
    // One pass notes every pair of neighbouring digits, instead of searching
    // the text once per number.
    std::array<bool, 101> found {};
    const char16_t *t = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i + 1 < n) {
        if (!isDigit(t[i + 1])) {
            i += 2; // no pair starts at i or at i + 1
            continue;
        }
        if (isDigit(t[i])) {
            const int value = (t[i] - u'0') * 10 + (t[i + 1] - u'0');
            found[value] = true;
            if (value == 10 && i + 2 < n && t[i + 2] == u'0')
                found[100] = true;
        }
        ++i;
    }
    QStringList entries;
    for (int value = 1; value <= 100; ++value) {
        if (found[value])
            entries << QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    }
    return entries;
}

} // namespace dezenario
