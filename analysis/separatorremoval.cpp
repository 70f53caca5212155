#include "separatorremoval.h"

namespace dezenario {

namespace {
// An index cut only when the separator lies within this many characters.
constexpr qsizetype IndexCutReach = 13;
} // namespace

QString askSeparator(PromptBox &prompt)
{
    static const QString text = QStringLiteral(
            "DIGITE O SEPARADOR .EX:\n"
            "02) 01-05-35-51-38-07   O SEPARADOR É  )\n"
            "02-  01 05 35 51 38 07  O SEPARADOR É  -\n"
            "CASO NÃO AJA SEPARADORES ,DELETE O SEPARADOR ABAIXO ,OU CLIQUE EM CANCELAR");
    return prompt.inputBox(text, QStringLiteral("ELIMINAR SEPARADORES"), QStringLiteral(")"));
}

QString removeSeparators(CombinationBuffer &buffer, QStringView startSnapshot,
                         const QString &separator)
{
    Q_ASSERT(!separator.isEmpty());
    const qsizetype first = startSnapshot.indexOf(separator) + 1;
    if (first == 0)
        return buffer.text().toString();

    buffer.cutFront(first); // the first index, and any heading before it

    QString analysis;
    analysis.reserve(buffer.size() + buffer.size() / 8);
    FrontSearch nextSeparator(buffer, separator);
    FrontSearch nextLineEnd(buffer, QStringLiteral("\r"));
    for (;;) {
        const qsizetype sizeBefore = buffer.size();
        const qsizetype p = nextSeparator.position();
        if (p < 2)
            break;
        // Measured on the text as it stands before this pass's index cut.
        const qsizetype r = nextLineEnd.position();
        if (r == 0)
            break; // no line end to size a take by: leave the rest as it is
        if (p <= IndexCutReach) {
            buffer.cutFront(p);
            buffer.refresh();
        }
        // The whole line up to its CR, so that its last number stays whole.
        const QStringView take = buffer.selectFront(r - 1);
        analysis += take;
        analysis += u'/';
        buffer.cutFront(take.size());
        buffer.refresh();
        if (buffer.size() == sizeBefore)
            break; // this pass changed nothing, and neither would the next
    }
    analysis += buffer.text();
    return analysis;
}

} // namespace dezenario
