#include "slippreview.h"

#include "sliplayout.h"
#include "slipprintjob.h"

#include <QSet>

namespace dezenario {

namespace {
// The copies that the print job runs against.
struct Copies : TextBox, ListBox, Label, PromptBox, QuestionBox, Window, Speaker, Printer
{
    QString all;
    qsizetype front = 0; // what the job has cut
    QStringList log;
    QString quantity;
    std::vector<std::vector<MarkPosition>> pages { {} };

    QString text() override { return all.mid(front); }
    void setText(const QString &text) override { all = text, front = 0; }
    void deleteFront(qsizetype count) override { front += count; }
    void refresh() override {}
    void clear() override { log.clear(); }
    void addItem(const QString &item) override { log << item; }
    int count() const override { return int(log.size()); }
    void setCaption(const QString &) override {}
    QString inputBox(const QString &, const QString &, const QString &) override
    {
        return quantity;
    }
    Answer askYesNo(const QString &, const QString &) override { return Yes; }
    void announce(const QString &) override {}
    void beep() override {}
    void ensureAvailable() override {}
    void paintPicture(MarkPosition at) override { pages.back().push_back(at); }
    void endPage() override { pages.emplace_back(); }
    void endDocument() override {}
    void discardDocument() override { pages = { {} }; }
};
} // namespace

QString visible(QStringView text)
{
    QString shown = text.toString();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("↵"));
    shown.replace(u'\r', u'↵').replace(u'\n', u'↵').replace(QChar(0x2028), u'↵');
    shown.replace(u'\t', u'→').replace(u' ', u'·');
    return shown;
}

SlipPreview SlipPreview::of(const QString &text, OptionButtons &options)
{
    SlipPreview preview;
    preview.numbersPerGame = numbersPerGameOf(options);
    // Every dash ends a number that a position takes.
    const qsizetype numbers = text.count(u'-');
    const qsizetype games = (numbers + preview.numbersPerGame - 1) / preview.numbersPerGame;
    preview.quantity = int(3 * ((games + 2) / 3));

    Copies c;
    c.all = text;
    c.quantity = QString::number(preview.quantity);
    runPrintJob({ c, c, c, c, c, options, c, c, c }, QLocale::c());
    c.pages.pop_back(); // the page that the last end opened

    // The log: every text taken, "* " after each game, "* N* " after each slip. A text taken
    // never ends with a blank, so "*" typed as a number is no end of anything.
    int slip = 0, game = 1;
    preview.slips.resize(c.pages.size());
    for (const QString &entry : std::as_const(c.log)) {
        if (entry == QLatin1String("* ")) {
            ++game;
        } else if (entry.startsWith(u'*') && entry.endsWith(QLatin1String("* "))) {
            ++slip, game = 1;
        } else if (slip < int(preview.slips.size()) && game <= 3) {
            preview.slips[slip].games[game - 1] << entry;
        }
    }
    for (size_t s = 0; s < preview.slips.size(); ++s) {
        preview.slips[s].marks = std::move(c.pages[s]);
        for (int g = 1; g <= 3; ++g) {
            const QStringList &taken = preview.slips[s].games[g - 1];
            auto tell = [&](const QString &words) {
                preview.problems.append({ int(s) + 1, g, words });
            };
            QSet<QString> seen;
            for (const QString &dezena : taken) {
                if (!SlipLayout::numberMarkPosition(g, dezena))
                    tell(QStringLiteral("\"%1\" NÃO É UMA DEZENA DE 01 A 60: NÃO SERÁ MARCADO.")
                                 .arg(visible(dezena)));
                else if (seen.contains(dezena))
                    tell(QStringLiteral("A DEZENA %1 ESTÁ MAIS DE UMA VEZ NO JOGO.").arg(dezena));
                seen.insert(dezena);
            }
            if (taken.isEmpty())
                tell(QStringLiteral("JOGO EM BRANCO: O TEXTO ACABOU ANTES DELE."));
            else if (taken.size() < preview.numbersPerGame)
                tell(QStringLiteral("O TEXTO ACABOU NESTE JOGO: %1 DE %2 DEZENAS.")
                             .arg(taken.size())
                             .arg(preview.numbersPerGame));
        }
    }
    // What is left, its start only: it may be a whole pasted list that no dash ever ends.
    if (const QString left = c.text(); !left.isEmpty())
        preview.problems.append(
                { 0, 0,
                  QStringLiteral("FICA NO QUADRO, SEM IR PARA NENHUM VOLANTE: \"%1%2\" (UMA "
                                 "DEZENA SÓ É LEVADA COM UM TRAÇO DEPOIS DELA).")
                          .arg(visible(QStringView(left).left(40)),
                               left.size() > 40 ? QStringLiteral("…") : QString()) });
    return preview;
}

} // namespace dezenario
