#include "analysiscommand.h"

#include "combinationbuffer.h"
#include "numbercensus.h"
#include "separatorremoval.h"

namespace dezenario {

void runAnalysis(const AnalysisControls &c)
{
    CombinationBuffer buffer(c.text1);
    const QStringView startSnapshot = buffer.text();
    c.list1.clear();
    c.label4.setCaption(QStringLiteral("ENCONTRADAS"));

    const QString separator = askSeparator(c.prompt);
    const QString analysisText = separator.isEmpty()
            ? buffer.text().toString()
            : removeSeparators(buffer, startSnapshot, separator);

    for (const QString &entry : findDezenas(analysisText))
        c.list1.addItem(entry);
    const QString count = QString::number(c.list1.count());
    c.label1.setCaption(count);
    buffer.clear();
    c.speaker.announce(QStringLiteral("DEZENAS ENCONTRADAS: %1").arg(count));
    c.speaker.beep();
}

} // namespace dezenario
