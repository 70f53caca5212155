#pragma once

#include <QStringList>
#include <QStringView>

namespace dezenario {

// The numbers 1 to 100 that occur in the text as "01" to "99" and "100",
// in ascending order. Plain substring matching: every pair of neighbouring
// digits counts, whatever stands around it.
QStringList findDezenas(QStringView analysisText);

} // namespace dezenario
