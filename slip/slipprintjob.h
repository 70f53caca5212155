#pragma once

#include "controls.h"

#include <QLocale>
#include <optional>

namespace dezenario {

// What a run does, told as it happens, for those who need the slips, games and marks as data (the
// preview, a kept run) rather than the log's words, which are for people.
class PrintObserver
{
public:
    virtual ~PrintObserver() = default;
    // The quantity as typed, once confirmed, and the numbers a game.
    virtual void runBegins(const QString & /*quantity*/, int /*numbersPerGame*/) {}
    virtual void slipBegins(int /*slip, from 1*/) {}
    virtual void gameBegins(int /*game, 1 to 3*/) {}
    // A text cut for a position of the game, and where its mark goes; none when the slip has no
    // box for it, and it is taken all the same.
    virtual void taken(const QString & /*text*/, std::optional<MarkPosition> /*mark*/) {}
    virtual void gameEnds() {}
    // The count box marked and the page ended.
    virtual void slipEnds(int /*slip*/) {}
};

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
    PrintObserver *observer = nullptr; // none: nobody listens
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
