#include "slippreview.h"

#include "sliplayout.h"
#include "slipprintjob.h"

#include <bitset>

namespace dezenario {

namespace {
struct Cancelled
{
};

// The copies that the print job runs against. Its log is kept by nobody: the listener below hears
// the slips and games.
struct Copies : TextBox, ListBox, Label, PromptBox, QuestionBox, Window, Speaker
{
    QString all;
    qsizetype front = 0; // what the job has cut
    QString quantity;
    const SlipPreview::Progress &progress;
    int positions = 0;

    explicit Copies(const SlipPreview::Progress &progress) : progress(progress) {}
    QString text() override { return all.mid(front); }
    void setText(const QString &text) override { all = text, front = 0; }
    void deleteFront(qsizetype count) override { front += count; }
    void refresh() override // after every position: now and then, tell how far it is
    {
        if ((++positions & 0x3fff) == 0 && progress && !progress(front, all.size()))
            throw Cancelled();
    }
    void clear() override {}
    void addItem(const QString &) override {}
    int count() const override { return 0; }
    void setCaption(const QString &) override {}
    QString inputBox(const QString &, const QString &, const QString &) override
    {
        return quantity;
    }
    Answer askYesNo(const QString &, const QString &) override { return Yes; }
    void announce(const QString &) override {}
    void beep() override {}
};

// Gathers the texts each game takes and what is wrong with them.
struct Listener : PrintObserver
{
    SlipPreview &preview;
    PrintObserver &also;
    int slip = 0, game = 0;
    std::bitset<61> seen; // the numbers of the game so far

    Listener(SlipPreview &preview, PrintObserver &also) : preview(preview), also(also) {}
    void runBegins(const QString &quantity, int numbersPerGame) override
    {
        also.runBegins(quantity, numbersPerGame);
    }
    void slipBegins(int number) override
    {
        slip = number;
        also.slipBegins(number);
    }
    void gameBegins(int number) override
    {
        also.gameBegins(number);
        game = number;
        seen.reset();
        preview.gameStarts.push_back(qsizetype(preview.taken.size()));
    }
    void taken(const QString &text, std::optional<MarkPosition> mark) override
    {
        also.taken(text, mark);
        // A text with a box is exactly "01" to "60"; the sixty are shared, not copied.
        static const std::vector<QString> dezenas = [] {
            std::vector<QString> all(61);
            for (int n = 1; n <= 60; ++n)
                all[n] = QString::asprintf("%02d", n);
            return all;
        }();
        if (!mark) {
            preview.problems.push_back({ slip, game, SlipPreview::Trouble::NotADezena, text });
            preview.taken.push_back(text);
            return;
        }
        const int n = SlipLayout::numberOf(text);
        preview.gamesMarked += seen.none();
        if (seen[n])
            preview.problems.push_back({ slip, game, SlipPreview::Trouble::Repeated, text });
        seen.set(n);
        preview.taken.push_back(dezenas[n]);
    }
    void gameEnds() override
    {
        also.gameEnds();
        const qsizetype took = qsizetype(preview.taken.size()) - preview.gameStarts.back();
        if (took == 0)
            preview.problems.push_back({ slip, game, SlipPreview::Trouble::BlankGame });
        else if (took < preview.numbersPerGame)
            preview.problems.push_back(
                    { slip, game, SlipPreview::Trouble::ShortGame, QString(), took });
    }
    void slipEnds(int number) override { also.slipEnds(number); }
};
} // namespace

std::span<const QString> SlipPreview::game(qsizetype slip, int game) const
{
    const size_t at = size_t(slip * 3 + game - 1);
    const size_t end = at + 1 < gameStarts.size() ? size_t(gameStarts[at + 1]) : taken.size();
    return std::span<const QString>(taken).subspan(size_t(gameStarts[at]),
                                                   end - size_t(gameStarts[at]));
}

QString visible(QStringView text)
{
    QString shown = text.toString();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("↵"));
    shown.replace(u'\r', u'↵').replace(u'\n', u'↵').replace(QChar(0x2028), u'↵');
    shown.replace(u'\t', u'→').replace(u' ', u'·');
    return shown;
}

std::optional<SlipPreview> SlipPreview::of(const QString &text, OptionButtons &options,
                                           const Progress &progress, PrintObserver *also)
{
    SlipPreview preview;
    preview.numbersPerGame = numbersPerGameOf(options);
    // Every dash ends a number that a position takes. One print takes so many games at most;
    // the rest wait for a second run.
    const qsizetype numbers = text.count(u'-');
    const qsizetype games = (numbers + preview.numbersPerGame - 1) / preview.numbersPerGame;
    const qsizetype covered = std::min<qsizetype>(3 * ((games + 2) / 3), 3 * MaxSlips);
    preview.quantity = int(covered);

    Copies c(progress);
    c.all = text;
    c.quantity = QString::number(preview.quantity);
    PrintObserver nobody;
    Listener listener(preview, also ? *also : nobody);
    try {
        runPrintJob({ c, c, c, c, c, options, c, preview.pages, c, &listener }, QLocale::c());
    } catch (const Cancelled &) {
        return std::nullopt;
    }

    if (games > covered) {
        preview.problems.push_back({ 0, 0, Trouble::NextRun, QString(), games - covered });
    } else if (const QString left = c.text(); !left.isEmpty()) {
        // Its start only: it may be a whole pasted list that no dash ever ends.
        preview.problems.push_back(
                { 0, 0, Trouble::LeftOver,
                  visible(QStringView(left).left(40))
                          + (left.size() > 40 ? QStringLiteral("…") : QString()) });
    }
    return preview;
}

QString inWords(const SlipPreview::Problem &problem, int numbersPerGame)
{
    QString words;
    switch (problem.trouble) {
    case SlipPreview::Trouble::NotADezena:
        words = QStringLiteral("\"%1\" NÃO É UMA DEZENA DE 01 A 60: NÃO SERÁ MARCADO.")
                        .arg(visible(problem.text));
        break;
    case SlipPreview::Trouble::Repeated:
        words = QStringLiteral("A DEZENA %1 ESTÁ MAIS DE UMA VEZ NO JOGO.").arg(problem.text);
        break;
    case SlipPreview::Trouble::ShortGame:
        words = QStringLiteral("O TEXTO ACABOU NESTE JOGO: %1 DE %2 DEZENAS.")
                        .arg(problem.count)
                        .arg(numbersPerGame);
        break;
    case SlipPreview::Trouble::BlankGame:
        words = QStringLiteral("JOGO EM BRANCO: O TEXTO ACABOU ANTES DELE.");
        break;
    case SlipPreview::Trouble::LeftOver:
        return QStringLiteral("FICA NO QUADRO, SEM IR PARA NENHUM VOLANTE: \"%1\" (UMA DEZENA SÓ É "
                              "LEVADA COM UM TRAÇO DEPOIS DELA).")
                .arg(problem.text);
    case SlipPreview::Trouble::NextRun:
        return QStringLiteral("MAIS %1 JOGO(S) FICAM NO QUADRO: UMA IMPRESSÃO LEVA NO MÁXIMO %2 "
                              "JOGOS (%3 VOLANTES). IMPRIMA ESTES PRIMEIRO E OS OUTROS NUMA "
                              "SEGUNDA VEZ.")
                .arg(problem.count)
                .arg(3 * MaxSlips)
                .arg(MaxSlips);
    }
    return QStringLiteral("VOLANTE %1, JOGO %2: %3").arg(problem.slip).arg(problem.game).arg(words);
}

} // namespace dezenario
