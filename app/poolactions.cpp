// What the bolão's window does beyond its fields: the games of a run kept, the games put into the
// text box to be printed, the receipts, and the check after the draw.
#include "poolwindow.h"

#include "commanderror.h"
#include "keptdraws.h"
#include "poolcheck.h"
#include "pooltext.h"
#include "qtadapters.h"
#include "rowsmodel.h"
#include "runstore.h"
#include "textpages.h"
#include "wheeltext.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>

namespace dezenario {

using namespace pool;

void PoolWindow::fromRun()
{
    const RunStore store;
    QStringList items, files;
    for (const RunStore::Listed &listed : store.list())
        if (listed.readable && listed.games > 0) {
            items << QStringLiteral("%1: %2 VOLANTE(S), %3 JOGO(S) DE %4 DEZENAS, NA IMPRESSORA %5")
                             .arg(listed.header.when.toString(
                                     QStringLiteral("dd/MM/yyyy HH:mm:ss")))
                             .arg(listed.slips)
                             .arg(listed.games)
                             .arg(listed.header.numbersPerGame)
                             .arg(listed.header.printer);
            files << listed.file;
        }
    if (items.isEmpty())
        throw CommandError(errors::InvalidArgument,
                           QStringLiteral("NÃO HÁ VOLANTES IMPRESSOS GUARDADOS COM JOGOS."));
    QInputDialog choose(this);
    choose.setObjectName(QStringLiteral("EscolherImpressao"));
    choose.setWindowTitle(QStringLiteral("TRAZER DE VOLANTES IMPRESSOS"));
    choose.setLabelText(QStringLiteral("IMPRESSÃO CUJOS JOGOS SÃO OS DO BOLÃO:"));
    choose.setComboBoxItems(items);
    choose.setOkButtonText(QStringLiteral("TRAZER"));
    choose.setCancelButtonText(QStringLiteral("CANCELAR"));
    if (choose.exec() != QDialog::Accepted)
        return;
    const QString file = files.value(items.indexOf(choose.textValue()));
    KeptRun run;
    if (!store.load(file, run))
        throw CommandError(errors::InvalidArgument,
                           QStringLiteral("A IMPRESSÃO GUARDADA EM %1 NÃO SE LÊ.").arg(file));
    m_pool.games = gamesOf(run);
    m_pool.run = file; // these are the bolão's printed slips
    m_pool.won = -1;
    showPool();
    showPrinted();
}

void PoolWindow::toBoard()
{
    save(); // as typed: refused whole when anything is wrong, as SALVAR is
    if (m_pool.games.empty())
        throw CommandError(errors::InvalidArgument, QStringLiteral("O BOLÃO NÃO TEM JOGOS."));
    if (m_board.put(this, gamesForSlips(m_pool.games), int(m_pool.games.front().size()), m_file))
        done(PutOnBoard);
}

void PoolWindow::showPrinted()
{
    KeptRun run;
    if (m_pool.run.isEmpty())
        m_printed->setText(QStringLiteral("OS JOGOS DESTE BOLÃO AINDA NÃO FORAM IMPRESSOS."));
    else if (RunStore().load(m_pool.run, run))
        m_printed->setText(QStringLiteral("JOGOS IMPRESSOS EM %1, NA IMPRESSORA %2: VEJA EM "
                                          "VOLANTES IMPRESSOS.")
                                   .arg(run.when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                                        run.printer));
    else
        m_printed->setText(QStringLiteral("A IMPRESSÃO DOS JOGOS DESTE BOLÃO NÃO ESTÁ MAIS EM "
                                          "VOLANTES IMPRESSOS."));
    m_printed->setAccessibleName(m_printed->text());
}

void PoolWindow::receipts(bool onPrinter)
{
    const Pool pool = typed();
    if (const QString fault = faultOf(pool); !fault.isEmpty())
        throw CommandError(errors::InvalidArgument, fault);
    QList<TextPage> pages;
    for (const Receipt &receipt : receiptsOf(pool, priceOfABet()))
        pages << TextPage { receipt.head, receipt.games };
    if (onPrinter) {
        // On paper for people, not on slips: the system's own printer, named before it prints.
        const QString printer = defaultPrinterName();
        if (printer.isEmpty())
            throw CommandError(errors::PrinterError,
                               QStringLiteral("O SISTEMA NÃO TEM IMPRESSORA PADRÃO: ESCOLHA UMA "
                                              "NAS CONFIGURAÇÕES DO SISTEMA, OU SALVE OS "
                                              "COMPROVANTES EM PDF."));
        if (QtQuestionBox(this).askYesNo(
                    QStringLiteral("IMPRIMIR OS COMPROVANTES DE %1 PARTICIPANTE(S) E A LISTA DO "
                                   "GRUPO NA IMPRESSORA \"%2\"?")
                            .arg(pool.participants.size())
                            .arg(printer),
                    QStringLiteral("DEZENARIO"))
            != QuestionBox::Yes)
            return;
        const QString title = QStringLiteral("DEZENARIO - COMPROVANTES - %1").arg(pool.name);
        if (const QString fault = printTextPages(printer, title, pages); !fault.isEmpty())
            throw CommandError(errors::PrinterError, fault);
        return;
    }
    const QString name = QFileDialog::getSaveFileName(
            this, QStringLiteral("SALVAR OS COMPROVANTES"), QStringLiteral("comprovantes.pdf"),
            QStringLiteral("PDF (*.pdf)"));
    if (name.isEmpty())
        return;
    if (const QString fault = saveTextPagesAsPdf(name, pages); !fault.isEmpty())
        throw CommandError(errors::PermissionDenied, fault);
}

void PoolWindow::check()
{
    Pool pool = typed();
    if (const QString fault = faultOf(pool); !fault.isEmpty())
        throw CommandError(errors::InvalidArgument, fault);
    const PoolCheck checked = checkPool(pool, KeptDraws().load());
    QStringList said;
    if (!checked.across.contests.isEmpty())
        said << acrossInWords(checked.across, pool.cost(priceOfABet()) / pool.contests, 12);
    if (!checked.missing.isEmpty())
        said << missingInWords(checked.missing);
    m_result->setText(said.join(u'\n'));
    m_result->setAccessibleName(m_result->text());
    QList<QStringList> rows;
    for (size_t p = 0; p < pool.participants.size(); ++p)
        rows << QStringList { pool.participants[p].name.toUpper(),
                              QString::number(pool.participants[p].cotas),
                              reais(checked.shares.participants[p]) };
    rows << QStringList { QStringLiteral("COTAS NÃO VENDIDAS"),
                          QString::number(pool.cotas - pool.cotasHeld()),
                          reais(checked.shares.unsold) }
         << QStringList { QStringLiteral("CENTAVOS QUE NÃO SE DIVIDEM"), QString(),
                          reais(checked.shares.left) };
    m_shares->setRows(rows);
    // What it won, for the list of bolões, kept by SALVAR, once every contest it plays is checked.
    m_pool.won = checked.missing.isEmpty() ? checked.across.centavos : -1;
    m_pool.contest = pool.contest;
    m_pool.contests = pool.contests;
}

} // namespace dezenario
