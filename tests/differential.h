// Runs the fast commands and the literal model on the same input and says how
// they differ: an empty text when they agree.
#pragma once

#include <QString>

namespace dezenario::test {

QString compareAnalysis(const QString &text, const QString &separator);
QString comparePrint(const QString &text, int numbersPerGame, int slipCount);

} // namespace dezenario::test
