#include "numbercensus.h"

#include <array>

namespace dezenario {

namespace {
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
} // namespace

QStringList findDezenas(QStringView text)
{
    // One pass notes every pair of digits instead of searching once per number.
    std::array<bool, 101> found{};
    const qsizetype n = text.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (!isDigit(text[i]) || !isDigit(text[i + 1]))
            continue;
        const int value = (text[i].unicode() - u'0') * 10 + (text[i + 1].unicode() - u'0');
        found[value] = true;
        if (value == 10 && i + 2 < n && text[i + 2] == u'0')
            found[100] = true;
    }
    QStringList entries;
    for (int value = 1; value <= 100; ++value) {
        if (found[value])
            entries << QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    }
    return entries;
}

} // namespace dezenario
