#pragma once

#include "controls.h"

namespace dezenario {

struct AnalysisControls
{
    TextBox &text1;
    ListBox &list1;
    Label &label1; // the count
    Label &label4; // the list's heading
    PromptBox &prompt;
    Speaker &speaker;
};

// ANALIZAR: strips the line indexes from Text1, lists the numbers the
// combinations use with their count, empties Text1 and beeps.
void runAnalysis(const AnalysisControls &controls);

} // namespace dezenario
