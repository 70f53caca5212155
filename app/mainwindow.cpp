#include "mainwindow.h"

#include "adjustdialog.h"
#include "analysiscommand.h"
#include "checkwindow.h"
#include "clearcommand.h"
#include "combinationedit.h"
#include "commanderror.h"
#include "previewwindow.h"
#include "qtadapters.h"
#include "runstore.h"
#include "runswindow.h"
#include "systemprinter.h"
#include "siteconfig.h"
#include "slipprintjob.h"
#include "ui_form1.h"
#include "visitcommand.h"
#include "wheelwindow.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

// The mark image lives in a static library, whose resources are not registered by themselves.
static void registerResources()
{
    Q_INIT_RESOURCE(dezenario);
}

namespace dezenario {

MainWindow::MainWindow(QWidget *parent) : QWidget(parent), m_ui(std::make_unique<Ui::Form1>())
{
    registerResources();
    m_ui->setupUi(this);
    m_speaker = new QtSpeaker(m_ui->List1, this);
    // The count reads inside the heading's blank line; the mark sits over the how-to text.
    m_ui->Label1->raise();
    m_ui->INKPicture1->raise();
    m_ui->Text1->setFocus();
    addMenuBar();

    connect(m_ui->ANALIZAR, &QPushButton::clicked, this, &MainWindow::analyse);
    connect(m_ui->IMPRIMIR, &QPushButton::clicked, this, &MainWindow::print);
    connect(m_ui->LIMPA, &QPushButton::clicked, this, &MainWindow::clear);
    connect(m_ui->VISITE, &QPushButton::clicked, this, &MainWindow::visit);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // The frame, title bar included, is centred; Windows tells its size once the window exists.
        winId();
        QRect frame(QPoint(), frameGeometry().size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::addMenuBar()
{
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu *games = bar->addMenu(QStringLiteral("&JOGOS"));
    games->setObjectName(QStringLiteral("menuJogos"));
    games->addAction(QStringLiteral("&FECHAMENTO…"), this, &MainWindow::wheel)
            ->setObjectName(QStringLiteral("actionFechamento"));
    games->addAction(QStringLiteral("&BOLÕES…"), this, &MainWindow::pools)
            ->setObjectName(QStringLiteral("actionBoloes"));
    QMenu *printing = bar->addMenu(QStringLiteral("&IMPRESSÃO"));
    printing->setObjectName(QStringLiteral("menuImpressao"));
    QAction *adjust =
            printing->addAction(QStringLiteral("&AJUSTAR VOLANTES…"), this, &MainWindow::adjust);
    adjust->setObjectName(QStringLiteral("actionAjustar"));
    QAction *preview = printing->addAction(QStringLiteral("&VISUALIZAR VOLANTES…"), this,
                                           &MainWindow::preview);
    preview->setObjectName(QStringLiteral("actionVisualizar"));
    QAction *printed = printing->addAction(QStringLiteral("VOLANTES &IMPRESSOS…"), this,
                                           &MainWindow::printedRuns);
    printed->setObjectName(QStringLiteral("actionImpressos"));
    QMenu *checking = bar->addMenu(QStringLiteral("&CONFERÊNCIA"));
    checking->setObjectName(QStringLiteral("menuConferencia"));
    checking->addAction(QStringLiteral("&CONFERIR APOSTAS…"), this, &MainWindow::check)
            ->setObjectName(QStringLiteral("actionConferir"));
    checking->addAction(QStringLiteral("&IMPORTAR RESULTADOS…"), this, &MainWindow::importResults)
            ->setObjectName(QStringLiteral("actionImportarResultados"));
    checking->addAction(QStringLiteral("&ESTATÍSTICAS…"), this, &MainWindow::statistics)
            ->setObjectName(QStringLiteral("actionEstatisticas"));
    QMenu *help = bar->addMenu(QStringLiteral("&AJUDA"));
    help->setObjectName(QStringLiteral("menuAjuda"));
    QAction *about =
            help->addAction(QStringLiteral("&SOBRE O DEZENARIO…"), this, &MainWindow::about);
    about->setObjectName(QStringLiteral("actionSobre"));
    // F10 opens the first menu, as on Windows; Alt with a menu's letter opens that menu.
    connect(new QShortcut(Qt::Key_F10, this), &QShortcut::activated, bar,
            [bar, games] { bar->setActiveAction(games->menuAction()); });

    // The bar runs across the top; the form keeps its client area below it, every control at its
    // place from the form's corner, so the window grows by the bar's height alone.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins());
    layout->setMenuBar(bar);
    const int height = bar->sizeHint().height();
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (control != bar)
            control->move(control->pos() + QPoint(0, height));
    resize(width(), this->height() + height);
}

void MainWindow::runCommand(const std::function<void()> &command)
{
    guarded(this, command);
}

void MainWindow::analyse()
{
    runCommand([this] {
        QtTextBox text1(m_ui->Text1);
        QtListBox list1(m_ui->List1);
        QtLabel label1(m_ui->Label1), label4(m_ui->Label4);
        QtPromptBox prompt(this);
        runAnalysis({ text1, list1, label1, label4, prompt, *m_speaker });
    });
}

void MainWindow::print()
{
    runCommand([this] {
        QtTextBox text1(m_ui->Text1);
        QtListBox list1(m_ui->List1);
        QtLabel label4(m_ui->Label4);
        QtPromptBox prompt(this);
        QtQuestionBox question(this);
        QtOptionButtons options({ m_ui->Option1, m_ui->Option2, m_ui->Option3, m_ui->Option4 });
        QtWindow window(this, text1, list1);
        SystemPrinter printer = slipPrinter(m_ui->INKPicture1->pixmap().toImage());
        KeptRun run;
        RunCollector collector(run);
        runPrintJob({ text1, list1, label4, prompt, question, options, window, printer, *m_speaker,
                      &collector });
        // Kept once its pages reached the printer, to be printed again if a slip is spoiled.
        if (!run.slips.empty())
            linkToPool(run, keepPrinted(run, printer, RunStore()));
    });
}

void MainWindow::clear()
{
    runCommand([this] {
        QtTextBox text1(m_ui->Text1);
        runClear(text1);
    });
}

void MainWindow::visit()
{
    runCommand([] {
        QtBrowser browser;
        runVisit(browser, QStringLiteral(DEZENARIO_SITE_URL));
    });
}

void MainWindow::adjust()
{
    runCommand([this] { AdjustDialog(m_ui->INKPicture1->pixmap().toImage(), this).exec(); });
}

std::optional<SlipPreview> MainWindow::slipsOfText(PrintObserver *also)
{
    QtOptionButtons options({ m_ui->Option1, m_ui->Option2, m_ui->Option3, m_ui->Option4 });
    // The text as IMPRIMIR reads it, without the adapter that would take the box's undo history.
    const QString text = CombinationEdit::fromDocument(m_ui->Text1->document()->toRawText());
    // A long text shows how far it is, and may be given up.
    QProgressDialog progress(QStringLiteral("PREPARANDO OS VOLANTES…"), QStringLiteral("CANCELAR"),
                             0, 1000, this);
    progress.setObjectName(QStringLiteral("Progresso"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    return SlipPreview::of(
            text, options,
            [&progress](qsizetype done, qsizetype total) {
                progress.setValue(int(done * 1000 / std::max<qsizetype>(total, 1)));
                return !progress.wasCanceled();
            },
            also);
}

void MainWindow::preview()
{
    runCommand([this] {
        if (std::optional<SlipPreview> preview = slipsOfText())
            PreviewWindow(std::move(*preview), m_ui->INKPicture1->pixmap().toImage(), this).exec();
    });
}

void MainWindow::check()
{
    runCommand([this] {
        KeptRun games;
        RunCollector collector(games);
        const std::optional<SlipPreview> slips = slipsOfText(&collector);
        if (!slips)
            return;
        QString source = QStringLiteral("OS JOGOS DO QUADRO COMO IMPRIMIR OS MARCARIA, %1 DEZENAS "
                                        "POR JOGO")
                                 .arg(slips->numbersPerGame);
        // The games past one print are not read; the user is not left to think them checked.
        if (!slips->problems.empty()
            && slips->problems.back().trouble == SlipPreview::Trouble::NextRun)
            source += QStringLiteral(", OS DE UMA IMPRESSÃO (%1 VOLANTES). MAIS %2 JOGO(S) DO "
                                     "QUADRO NÃO SÃO CONFERIDOS AQUI: CONFIRA-OS DEPOIS DE "
                                     "IMPRIMIR ESTES")
                              .arg(MaxSlips)
                              .arg(slips->problems.back().count);
        CheckWindow(std::move(games), source, this).exec();
    });
}

void MainWindow::wheel()
{
    runCommand([this] {
        const QtOptionButtons options(
                { m_ui->Option1, m_ui->Option2, m_ui->Option3, m_ui->Option4 });
        WheelWindow(
                numbersPerGameOf(options),
                [this](QWidget *asker, const QString &games, int k) {
                    if (!mayReplaceText(asker, QStringLiteral("JOGOS DO FECHAMENTO")))
                        return false;
                    m_ui->Text1->setPlainText(games);
                    (std::array { m_ui->Option1, m_ui->Option2, m_ui->Option3,
                                  m_ui->Option4 })[k - 6]
                            ->setChecked(true);
                    m_poolToLink.clear();
                    return true;
                },
                [this](QWidget *asker, const std::vector<std::vector<int>> &games) {
                    pool::Pool pool;
                    pool.games = games;
                    return PoolWindow(pool, QString(), poolBoard(), asker).exec()
                            == PoolWindow::PutOnBoard;
                },
                this)
                .exec();
    });
}

void MainWindow::printedRuns()
{
    runCommand([this] { RunsWindow(m_ui->INKPicture1->pixmap().toImage(), this).exec(); });
}

void MainWindow::about()
{
    runCommand([this] {
        QMessageBox box(
                QMessageBox::NoIcon, QStringLiteral("SOBRE O DEZENARIO"),
                QStringLiteral("DEZENARIO %1\n\nANÁLISE DE COMBINAÇÕES E IMPRESSÃO DE VOLANTES "
                               "DA MEGA-SENA.\n\nCOPYRIGHT (C) 2026 DEZENARIO. TODOS OS DIREITOS "
                               "RESERVADOS: O PROGRAMA NÃO PODE SER REDISTRIBUÍDO SEM A "
                               "AUTORIZAÇÃO DO DEZENARIO.\n\n%2")
                        .arg(QStringLiteral(DEZENARIO_VERSION), QStringLiteral(DEZENARIO_SITE_URL)),
                QMessageBox::NoButton, this);
        box.setObjectName(QStringLiteral("Sobre"));
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
    });
}

} // namespace dezenario
