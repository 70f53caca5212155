// ANALIZAR, fast against literal. Input: one byte giving the separator's
// length (0 to 3; 0 is Cancel), the separator, then the text in UTF-8.
#include "differential.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 8192)
        return 0;
    const size_t length = data[0] % 4;
    if (size < 1 + length)
        return 0;
    const QString separator = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(length));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1 + length), qsizetype(size - 1 - length));
    const QString difference = dezenario::test::compareAnalysis(text, separator);
    if (!difference.isEmpty()) {
        std::fprintf(stderr, "DIFFERENCE: %s\n", qPrintable(difference));
        std::abort();
    }
    return 0;
}
