#include "slipprintjob.h"

#include "combinationbuffer.h"
#include "commanderror.h"
#include "sliplayout.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace dezenario {

namespace {

constexpr int GamesPerSlip = 3;
const QString GameEnd = QStringLiteral("* ");

QString quantityPrompt()
{
    return QStringLiteral(
            "DIGITE A QUANTIDADE DE VOLANTES VOCE QUER IMPRIMIR\nSÓ VALEM MULTIPLOS DE 3");
}

QString confirmationPrompt()
{
    return QStringList {
        QStringLiteral("COPIE E COLE OU DIGITE SOMENTE OS NUMEROS A SEREM IMPRESSOS , NÃO USE "
                       "INDICE EX: "),
        QStringLiteral("01) 12-22-35-44-49-54  "),
        QStringLiteral(" DIGITE APENAS 12-22-35-44-49-54 SEM LINHAS DE SEPARAÇÃO E SEM ESPAÇOS"),
        QStringLiteral("18-23-52-58-28-20-18-23-36-58-28-20-18-23-36-54-28-20-07-23-36-54-28-20-07-"
                       "23-46-54-"
                       "28-20-07-23-43-46-28-20-23-43-46-57-28-20-22-23-43-57-28-20-22-23-35-57-28-"
                       "20-11-22-"
                       "23-35-28-20-"),
        QStringLiteral("DESEJA CONTINUAR ? "),
    }
            .join(u'\n');
}

// Cuts the next number and its dash from the front of the buffer and logs it;
// nothing when no dash is left.
class DezenaTaker
{
public:
    DezenaTaker(CombinationBuffer &buffer, ListBox &log)
        : m_buffer(buffer), m_dash(buffer, QStringLiteral("-")), m_log(log)
    {
    }

    std::optional<QString> takeNextDezena()
    {
        const qsizetype p = m_dash.position();
        if (p == 0)
            return std::nullopt;
        QString dezena = trimBlanks(m_buffer.selectFront(p - 1)).toString();
        m_log.addItem(dezena);
        m_buffer.cutFront(p);
        return dezena;
    }

private:
    // Blanks only: a tab or a line break stays and keeps the number off the slip.
    static QStringView trimBlanks(QStringView text)
    {
        while (!text.isEmpty() && text.front() == u' ')
            text = text.mid(1);
        while (!text.isEmpty() && text.back() == u' ')
            text.chop(1);
        return text;
    }

    CombinationBuffer &m_buffer;
    FrontSearch m_dash;
    ListBox &m_log;
};

void printSlips(const PrintControls &c, CombinationBuffer &buffer, int numbersPerGame,
                int slipCount)
{
    DezenaTaker taker(buffer, c.list1);
    PrintObserver nobody;
    PrintObserver &observer = c.observer ? *c.observer : nobody;
    for (int slipNumber = 1; slipNumber <= slipCount; ++slipNumber) {
        observer.slipBegins(slipNumber);
        for (int game = 1; game <= GamesPerSlip; ++game) {
            observer.gameBegins(game);
            for (int position = 1; position <= numbersPerGame; ++position) {
                const std::optional<QString> dezena = taker.takeNextDezena();
                c.window.refresh();
                // A position that took nothing stays blank: repeating the last
                // number would mark a bet nobody asked for.
                if (!dezena)
                    continue;
                const auto at = SlipLayout::numberMarkPosition(game, *dezena);
                observer.taken(*dezena, at);
                if (at)
                    SlipLayout::paintMark(c.printer, *at);
            }
            c.list1.addItem(GameEnd);
            observer.gameEnds();
        }
        SlipLayout::paintMark(c.printer,
                              SlipLayout::countMarkPosition(numbersPerGameOf(c.options)));
        c.printer.endPage();
        c.list1.addItem(QStringLiteral("* %1* ").arg(slipNumber));
        observer.slipEnds(slipNumber);
    }
}

} // namespace

// The four options form one group: exactly one of them is selected.
int numbersPerGameOf(const OptionButtons &options)
{
    int index = 1;
    while (index < 4 && !options.value(index))
        ++index;
    return 5 + index;
}

int slipCountFor(const QString &quantity, const QLocale &locale)
{
    const QString typed = quantity.trimmed();
    const QString shown = typed.toUpper();
    bool ok = false;
    const double value = locale.toDouble(typed, &ok);
    if (!ok || std::isnan(value)) {
        throw CommandError(
                errors::TypeMismatch,
                QStringLiteral("A QUANTIDADE \"%1\" NÃO É UM NÚMERO. DIGITE, POR EXEMPLO, 3.")
                        .arg(shown));
    }
    // nearbyint rounds in the default mode, to nearest with a half to even.
    const double slips = std::nearbyint(value / 3.0);
    if (!(slips >= std::numeric_limits<qint32>::min()
          && slips <= std::numeric_limits<qint32>::max()))
        throw CommandError(errors::Overflow,
                           QStringLiteral("A QUANTIDADE \"%1\" É GRANDE DEMAIS.").arg(shown));
    if (slips > MaxSlips) {
        throw CommandError(
                errors::Overflow,
                QStringLiteral(
                        "A QUANTIDADE \"%1\" É GRANDE DEMAIS: NO MÁXIMO %2 VOLANTES POR VEZ.")
                        .arg(shown)
                        .arg(MaxSlips * GamesPerSlip));
    }
    return int(slips);
}

void runPrintJob(const PrintControls &c, const QLocale &locale)
{
    CombinationBuffer buffer(c.text1);
    c.label4.setCaption(QStringLiteral("IMPRESSOS"));
    // Said before anything is asked, so nobody types a quantity for a print that cannot happen.
    c.printer.ensureAvailable();

    const QString quantity =
            c.prompt.inputBox(quantityPrompt(), QStringLiteral("DEZENARIO"), QStringLiteral("3"));
    if (quantity.isEmpty())
        return;
    if (c.question.askYesNo(confirmationPrompt(), QStringLiteral("DEZENARIO")) == QuestionBox::No)
        return;
    c.list1.clear();
    const int numbersPerGame = numbersPerGameOf(c.options);
    const int slipCount = slipCountFor(quantity, locale);
    if (c.observer)
        c.observer->runBegins(quantity, numbersPerGame);

    // All or nothing: the pages reach the printer together at the end, so a
    // run that stops on the way has printed nothing, and its bets go back
    // into Text1 as they were.
    auto keepTheBets = [&] {
        c.printer.discardDocument();
        if (buffer.size() != buffer.original().size())
            c.text1.setText(buffer.original());
    };
    try {
        printSlips(c, buffer, numbersPerGame, slipCount);
        c.printer.endDocument();
    } catch (const CommandError &error) {
        keepTheBets();
        throw CommandError(
                error.number(),
                error.description()
                        + QStringLiteral(
                                "\nNADA FOI IMPRESSO: AS APOSTAS FORAM MANTIDAS NO QUADRO."));
    } catch (...) {
        keepTheBets();
        throw;
    }
    c.window.refresh();
    c.speaker.announce(QStringLiteral("VOLANTES IMPRESSOS: %1").arg(std::max(slipCount, 0)));
    c.speaker.beep();
}

} // namespace dezenario
