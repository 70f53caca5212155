#pragma once

#include "combinationbuffer.h"
#include "controls.h"

namespace dezenario {

QString askSeparator(PromptBox &prompt);

// Cuts the line indexes from the front of the buffer and gives the analysis
// text: the rest of every line, each followed by "/", then whatever the
// passes left in the buffer. startSnapshot is the buffer as the command found
// it; separator is not empty.
QString removeSeparators(CombinationBuffer &buffer, QStringView startSnapshot,
                         const QString &separator);

} // namespace dezenario
