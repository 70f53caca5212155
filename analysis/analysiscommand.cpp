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
    c.label1.setCaption(QString::number(c.list1.count()));
    buffer.clear();
    c.speaker.beep();
}

} // namespace dezenario
