// The fast commands against the literal model, on any input. Byte 0: bit 0
// picks ANALIZAR (0) or IMPRIMIR (1); bits 1-2 give the separator's length (0
// is Cancel) or the numbers a game (6 + n). For IMPRIMIR, byte 1 gives the slip
// count (low 4 bits) and what goes wrong (the next 3). The rest is the text, in
// UTF-8. The test suite runs it over the committed corpus, for any compiler.
#include "analysiscommand.h"
#include "slipprintjob.h"
#include "support.h"

#include <cstdio>
#include <cstdlib>

using namespace dezenario;

static void agree(bool same, const char *what, const QString &text)
{
    if (same)
        return;
    std::fprintf(stderr, "DIFFERENCE in the %s for %s\n", what, qPrintable(text.toHtmlEscaped()));
    std::abort();
}

static void analyse(const QString &text, const QString &separator)
{
    const QStringList want = model::analyse(text, separator);
    test::Desk d;
    d.content = text;
    d.answers = { separator };
    runAnalysis({ d, d, d, d, d, d });
    agree(d.items == want && d.caption == QString::number(want.size()) && d.content.isEmpty(),
          "entries", text);
    agree(d.asked == QStringList { "ELIMINAR SEPARADORES", ")" } && d.beeps == 1
                  && d.announced
                          == QStringList { QStringLiteral("DEZENAS ENCONTRADAS: %1")
                                                   .arg(want.size()) },
          "end", text);
}

// failure: a Desk::Failure; 5 is "Não" at the confirmation, 6 Cancel at the quantity.
static void print(const QString &text, int numbersPerGame, int slips, int failure)
{
    const model::PrintRun want = model::print(text, numbersPerGame, slips);
    test::Desk d;
    d.content = text;
    d.answers = { failure == 6 ? QString() : QString::number(slips * 3) };
    d.answer = failure == 5 ? MessageBox::No : MessageBox::Yes;
    d.selected = numbersPerGame - 5;
    d.failure = test::Desk::Failure(
            failure < 5 && (slips > 1 || failure < 2 || failure > 3) ? failure : 0);
    int error = 0;
    try {
        runPrintJob({ d, d, d, d, d, d, d, d, d }, QLocale::c());
    } catch (const CommandError &e) {
        error = e.number();
        agree(e.description().endsWith(
                      QStringLiteral("\nNADA FOI IMPRESSO: AS APOSTAS FORAM MANTIDAS NO QUADRO."))
                      == (error == 482),
              "message", text);
    } catch (const std::bad_alloc &) {
        error = 7;
    }
    agree(d.caption == QStringLiteral("IMPRESSOS")
                  && error == QList<int> { 0, 484, 482, 7, 482 }.at(d.failure),
          "error", text);
    const bool stopped = failure == 5 || failure == 6;
    if (d.failure
        || stopped) { // all or nothing: a run that stops prints nothing and keeps every bet
        agree(d.content == text && d.printed.isEmpty() && d.beeps == 0
                      && d.asked.isEmpty() == (failure == 1)
                      && (d.items == QStringList { "old entry" }) == (failure == 1 || stopped),
              "run that printed nothing", text);
        return;
    }
    agree(d.items == want.log && d.printed == want.pages && d.content == want.left, "print run",
          text);
    agree(d.asked == QStringList { "DEZENARIO", "3" } && d.beeps == 1
                  && d.announced
                          == QStringList { QStringLiteral("VOLANTES IMPRESSOS: %1").arg(slips) },
          "end", text);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int n = size > 0 ? (data[0] >> 1) % 4 : 0;
    auto text = [&](size_t from) {
        return QString::fromUtf8(reinterpret_cast<const char *>(data) + from,
                                 qsizetype(size - from));
    };
    if (size >= 2 && size <= 8192 && data[0] % 2)
        print(text(2), 6 + n, data[1] % 16, (data[1] >> 4) % 8);
    else if (size >= size_t(1 + n) && size <= 8192 && data[0] % 2 == 0)
        analyse(text(1 + n), QString::fromLatin1(reinterpret_cast<const char *>(data) + 1, n));
    return 0;
}
