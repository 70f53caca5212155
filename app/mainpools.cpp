// The main window's side of the bolões: the text box's games for a bolão, the bolão's games put
// into it for IMPRIMIR, and the run printed from them linked to the bolão.
#include "mainwindow.h"

#include "commanderror.h"
#include "poolcheck.h"
#include "poolstore.h"
#include "poolswindow.h"
#include "qtadapters.h"
#include "slipprintjob.h"
#include "ui_form1.h"

#include <array>

namespace dezenario {

bool MainWindow::mayReplaceText(QWidget *asker, const QString &what)
{
    return m_ui->Text1->document()->isEmpty()
            || QtQuestionBox(asker).askYesNo(
                       QStringLiteral("O QUADRO NÃO ESTÁ VAZIO. TROCAR O TEXTO DELE PELOS %1?")
                               .arg(what),
                       QStringLiteral("DEZENARIO"))
            == QuestionBox::Yes;
}

PoolWindow::Board MainWindow::poolBoard()
{
    PoolWindow::Board board;
    board.games = [this]() -> std::optional<std::vector<std::vector<int>>> {
        KeptRun run; // the text's games as IMPRIMIR would mark them
        RunCollector collector(run);
        const std::optional<SlipPreview> slips = slipsOfText(&collector);
        // Never the games of one print alone, the others dropped without a word.
        if (slips && !slips->problems.empty()
            && slips->problems.back().trouble == SlipPreview::Trouble::NextRun)
            throw CommandError(errors::InvalidArgument,
                               QStringLiteral("O QUADRO TEM MAIS JOGOS DO QUE UMA IMPRESSÃO (%1 "
                                              "VOLANTES) LEVA.")
                                       .arg(MaxSlips));
        return slips ? std::optional(pool::gamesOf(run)) : std::nullopt;
    };
    board.put = [this](QWidget *asker, const QString &games, int perGame, const QString &file) {
        if (!mayReplaceText(asker, QStringLiteral("JOGOS DO BOLÃO")))
            return false;
        m_ui->Text1->setPlainText(games);
        (std::array { m_ui->Option1, m_ui->Option2, m_ui->Option3, m_ui->Option4 })[perGame - 6]
                ->setChecked(true);
        m_poolToLink = file;
        return true;
    };
    return board;
}

void MainWindow::linkToPool(const KeptRun &run, const QString &runFile)
{
    if (m_poolToLink.isEmpty())
        return;
    const pool::PoolStore store;
    pool::Pool pool;
    QString file = m_poolToLink;
    // Printed from other games, the text changed since: not the bolão's print.
    if (!store.load(file, pool) || !pool::linkPrinted(pool, run, runFile))
        return;
    m_poolToLink.clear();
    if (const QString why = store.keep(pool, file); !why.isEmpty())
        throw CommandError(errors::PermissionDenied,
                           QStringLiteral("OS VOLANTES FORAM IMPRESSOS E GUARDADOS, MAS O BOLÃO "
                                          "NÃO GUARDOU QUE FORAM OS DELE: %1")
                                   .arg(why));
}

void MainWindow::pools()
{
    runCommand([this] { PoolsWindow(poolBoard(), this).exec(); });
}

} // namespace dezenario
