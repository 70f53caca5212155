// The window's handlers of the lottery's results: IMPORTAR RESULTADOS and ESTATÍSTICAS.
#include "keptdraws.h"
#include "mainwindow.h"
#include "qtadapters.h"
#include "resultstable.h"
#include "statisticswindow.h"
#include "ui_form1.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>

namespace dezenario {

void MainWindow::importResults()
{
    runCommand([this] {
        const QString name = QFileDialog::getOpenFileName(
                this, QStringLiteral("IMPORTAR OS RESULTADOS DA MEGA-SENA"), QString(),
                QStringLiteral(
                        "RESULTADOS (*.xlsx *.zip *.htm *.html *.csv);;TODOS OS ARQUIVOS (*)"));
        if (name.isEmpty())
            return;
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            throw CommandError(
                    errors::InvalidArgument,
                    QStringLiteral("NÃO FOI POSSÍVEL LER %1: %2.")
                            .arg(QDir::toNativeSeparators(name), file.errorString().toUpper()));
        const QString summary = dezenario::importResults(
                file.read(LargestResultsFile + 1) /* a larger one is refused as such */,
                KeptDraws(), [this](const QString &question) {
                    return QtQuestionBox(this).askYesNo(question, QStringLiteral("DEZENARIO"))
                            == QuestionBox::Yes;
                });
        QMessageBox box(QMessageBox::Information, QStringLiteral("RESULTADOS IMPORTADOS"), summary,
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("Resultados"));
        box.exec();
    });
}

void MainWindow::statistics()
{
    runCommand([this] {
        const QList<Contest> kept = KeptDraws().loadSome();
        // The numbers of the text's games, as IMPRIMIR would mark them.
        KeptRun games;
        RunCollector collector(games);
        quint64 marked = 0;
        if (!m_ui->Text1->document()->isEmpty() && slipsOfText(&collector))
            for (const KeptRun::Slip &slip : games.slips)
                for (const KeptRun::Game &game : slip.games)
                    marked |= maskOf(game.marked);
        StatisticsWindow(kept, marked, this).exec();
    });
}

} // namespace dezenario
