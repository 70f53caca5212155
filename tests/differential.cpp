#include "differential.h"

#include "analysiscommand.h"
#include "combinationbuffer.h"
#include "fakes.h"
#include "literalmodel.h"
#include "separatorremoval.h"
#include "slipprintjob.h"

#include <QDebug>

namespace dezenario::test {

namespace {
template<typename T> QString differ(const char *what, const T &fast, const T &literal)
{
    if (fast == literal)
        return QString();
    QString text;
    QDebug(&text) << what << "fast:" << fast << "literal:" << literal;
    return text;
}
} // namespace

QString compareAnalysis(const QString &text, const QString &separator)
{
    const model::Analysis expected = model::analyse(text, separator);

    if (!separator.isEmpty()) {
        FakeTextBox box;
        box.content = text;
        CombinationBuffer buffer(box);
        const QString analysis = removeSeparators(buffer, buffer.text(), separator);
        QString literalBuffer = text;
        model::removeSeparators(literalBuffer, separator);
        if (QString d = differ("analysis text", analysis, expected.analysisText); !d.isEmpty())
            return d;
        if (QString d = differ("text box left", box.content, literalBuffer); !d.isEmpty())
            return d;
        if (QString d = differ("buffer left", buffer.text().toString(), literalBuffer); !d.isEmpty())
            return d;
    }

    FakeTextBox text1;
    text1.content = text;
    FakeListBox list1;
    FakeLabel label1, label4;
    FakePromptBox prompt;
    if (!separator.isEmpty())
        prompt.answers = {separator};
    FakeSpeaker speaker;
    runAnalysis({text1, list1, label1, label4, prompt, speaker});
    if (QString d = differ("entries", list1.items, expected.entries); !d.isEmpty())
        return d;
    if (QString d = differ("count", label1.caption, QString::number(expected.entries.size())); !d.isEmpty())
        return d;
    if (!text1.content.isEmpty() || speaker.beeps != 1)
        return QStringLiteral("text box not emptied or no beep");
    return QString();
}

QString comparePrint(const QString &text, int numbersPerGame, int slipCount)
{
    const model::PrintRun expected = model::print(text, numbersPerGame, slipCount);

    FakeTextBox text1;
    text1.content = text;
    FakeListBox list1;
    FakeLabel label4;
    FakePromptBox prompt;
    prompt.answers = {QString::number(slipCount * 3)};
    FakeMessageBox messages;
    FakeOptions options;
    options.selected = numbersPerGame - 5;
    FakeWindow window;
    FakePrinter printer;
    FakeSpeaker speaker;
    runPrintJob({text1, list1, label4, prompt, messages, options, window, printer, speaker}, QLocale::c());

    if (QString d = differ("log", list1.items, expected.log); !d.isEmpty())
        return d;
    if (QString d = differ("pages", printer.printed, expected.pages); !d.isEmpty())
        return d;
    if (QString d = differ("text left", text1.content, expected.textLeft); !d.isEmpty())
        return d;
    if (printer.pageOpen || speaker.beeps != 1)
        return QStringLiteral("a page left open or no beep");
    return QString();
}

} // namespace dezenario::test
