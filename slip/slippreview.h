#pragma once

#include "controls.h"
#include "pagerecorder.h"
#include "slipprintjob.h"

#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace dezenario {

// What IMPRIMIR would print from a text with an option selected, found by running the very print
// job against copies: a copy of the text, answers of its own (the quantity that covers every game,
// and Yes), a printer that only records, and a listener for its slips and games. Nothing of the
// window is touched, nothing reaches a printer and nothing beeps.
struct SlipPreview
{
    enum class Trouble {
        NotADezena, // a text taken that no box of the slip has
        Repeated, // a number a second time in its game
        ShortGame, // the text ran out in this game
        BlankGame, // the text ran out before this game
        LeftOver, // text that no dash ends stays in the box
        NextRun, // more games than one print takes
    };
    struct Problem
    {
        int slip; // from 1; 0 for text that no slip takes
        int game; // 1 to 3; 0 for none
        Trouble trouble;
        QString text = {}; // the text taken, or the start of what is left
        qsizetype count = 0; // the numbers a short game took; the games left for another run
    };

    PageRecorder pages; // a page a slip, each with its marks, the count box last
    std::vector<QString> taken; // every text taken, in order
    std::vector<qsizetype> gameStarts; // where each game's texts start in taken, three a slip
    std::vector<Problem> problems; // in the order of the slips and games
    int quantity = 0; // what to type at the quantity prompt: the least multiple of 3 that covers
                      // every game, or the most one print takes
    int numbersPerGame = 6;
    int gamesMarked = 0; // with a number marked: what the lottery charges for

    qsizetype slipCount() const { return pages.pageCount(); }
    // The texts that a game took, as the log shows them; slip from 0, game 1 to 3.
    std::span<const QString> game(qsizetype slip, int game) const;

    // Told now and then how much of the text the run has taken; false cancels it.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;
    // options: the option buttons as the window has them; also: told all that the preview is.
    // None when cancelled.
    static std::optional<SlipPreview> of(const QString &text, OptionButtons &options,
                                         const Progress &progress = {},
                                         PrintObserver *also = nullptr);
};

// A problem in words, its slip and game named.
QString inWords(const SlipPreview::Problem &problem, int numbersPerGame);

// A text with its invisible characters shown: a line break as ↵, a tab as →, a blank as ·.
QString visible(QStringView text);

} // namespace dezenario
