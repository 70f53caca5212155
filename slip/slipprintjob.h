#pragma once

#include "controls.h"

#include <QLocale>

namespace dezenario {

struct PrintControls
{
    TextBox &text1;
    ListBox &list1;
    Label &label4;
    PromptBox &prompt;
    QuestionBox &question;
    OptionButtons &options;
    Window &window;
    Printer &printer;
    Speaker &speaker;
};

// The most slips one run may print: far above any real list of bets, and a
// stop to a typing slip ("1e9") that would tie the printer up for days.
inline constexpr int MaxSlips = 100000;

// The numbers a game, 6 to 9, of the option that is selected.
int numbersPerGameOf(const OptionButtons &options);

// IMPRIMIR: prints the bets typed into Text1 onto bet slips, three games a
// slip and one sheet per slip, consuming Text1 and logging into List1.
void runPrintJob(const PrintControls &controls, const QLocale &locale = QLocale());

// The answer of the quantity prompt, read in the user's locale, divided by 3
// and rounded half to even. Throws CommandError for a text that is no number
// or a count out of range.
int slipCountFor(const QString &quantity, const QLocale &locale);

} // namespace dezenario
