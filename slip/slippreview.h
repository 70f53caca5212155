#pragma once

#include "controls.h"

#include <QStringList>
#include <array>
#include <vector>

namespace dezenario {

// What IMPRIMIR would print from a text with an option selected, found by running the very print
// job against copies: a copy of the text, a log of its own, answers of its own (the quantity that
// covers every game, and Yes) and a printer that only records. Nothing of the window is touched,
// nothing reaches a printer and nothing beeps.
struct SlipPreview
{
    struct Slip
    {
        std::vector<MarkPosition> marks; // in painting order, the count box last
        std::array<QStringList, 3> games; // the texts each game took, as the log shows them
    };
    struct Problem
    {
        int slip; // 1-based; 0 for text that no slip takes
        int game; // 1 to 3; 0 for the whole slip or none
        QString words;
    };

    std::vector<Slip> slips;
    QList<Problem> problems; // in the order of the slips and games
    int quantity = 0; // what to type at the quantity prompt: the least multiple of 3 that covers
                      // every game
    int numbersPerGame = 6;

    // options: the option buttons as the window has them.
    static SlipPreview of(const QString &text, OptionButtons &options);
};

// A text with its invisible characters shown: a line break as ↵, a tab as →, a blank as ·.
QString visible(QStringView text);

} // namespace dezenario
