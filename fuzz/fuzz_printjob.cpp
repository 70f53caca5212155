// IMPRIMIR, fast against literal. Input: numbers per game (6 + byte % 4),
// the slip count (byte % 16), then the text in UTF-8.
#include "differential.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 || size > 8192)
        return 0;
    const int numbersPerGame = 6 + data[0] % 4;
    const int slipCount = data[1] % 16;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const QString difference = dezenario::test::comparePrint(text, numbersPerGame, slipCount);
    if (!difference.isEmpty()) {
        std::fprintf(stderr, "DIFFERENCE: %s\n", qPrintable(difference));
        std::abort();
    }
    return 0;
}
