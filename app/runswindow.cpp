#include "runswindow.h"

#include "checkwindow.h"
#include "qtadapters.h"
#include "runmodel.h"
#include "slipview.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <climits>

namespace dezenario {

RunsWindow::RunsWindow(QImage mark, QWidget *parent)
    : QDialog(parent),
      m_mark(mark),
      m_model(new RunModel(this)),
      m_list(new QTableView(this)),
      m_view(new SlipView(std::move(mark), this)),
      m_about(new QLabel(this)),
      m_from(new QSpinBox(this)),
      m_to(new QSpinBox(this)),
      m_price(new QLineEdit(reais(priceOfABet()), this)),
      m_reprint(new QPushButton(QStringLiteral("IMPRIMIR DE NOVO"), this)),
      m_delete(new QPushButton(QStringLiteral("EXCLUIR"), this))
{
    setObjectName(QStringLiteral("Impressos"));
    setWindowTitle(QStringLiteral("VOLANTES IMPRESSOS"));
    m_list->setObjectName(QStringLiteral("Impressoes"));
    m_list->setAccessibleName(QStringLiteral("IMPRESSÕES"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_about->setObjectName(QStringLiteral("Resumo"));
    m_about->setWordWrap(true);
    m_from->setObjectName(QStringLiteral("DoVolante"));
    m_to->setObjectName(QStringLiteral("AteVolante"));
    m_reprint->setObjectName(QStringLiteral("ImprimirDeNovo"));
    m_delete->setObjectName(QStringLiteral("Excluir"));
    m_price->setObjectName(QStringLiteral("Preco"));
    m_model->price = priceOfABet();
    auto *paper = new QLabel(m_view->paperInWords(), this);
    paper->setObjectName(QStringLiteral("Papel"));
    paper->setWordWrap(true);

    auto *form = new QFormLayout;
    addRow(form, QStringLiteral("PREÇO DA APOSTA SIMPLES"), m_price);
    addRow(form, QStringLiteral("DO VOLANTE"), m_from);
    addRow(form, QStringLiteral("ATÉ O VOLANTE"), m_to);
    auto *buttons = new QHBoxLayout;
    auto *previous = new QPushButton(QStringLiteral("ANTERIOR"), this);
    auto *next = new QPushButton(QStringLiteral("PRÓXIMO"), this);
    auto *check = new QPushButton(QStringLiteral("CONFERIR"), this);
    check->setObjectName(QStringLiteral("ConferirImpressao"));
    auto *close = new QPushButton(QStringLiteral("FECHAR"), this);
    for (QPushButton *button : { previous, next, m_reprint, m_delete, check })
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *side = new QVBoxLayout;
    side->addWidget(m_about, 1);
    side->addLayout(form);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_view, 3);
    middle->addLayout(side, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 2);
    layout->addWidget(paper);
    layout->addLayout(middle, 3);
    layout->addLayout(buttons);

    connect(m_reprint, &QPushButton::clicked, this, guard(this, [this] { reprint(); }));
    connect(m_delete, &QPushButton::clicked, this, guard(this, [this] { remove(); }));
    connect(previous, &QPushButton::clicked, this, guard(this, [this] { showSlip(m_shown - 1); }));
    connect(next, &QPushButton::clicked, this, guard(this, [this] { showSlip(m_shown + 1); }));
    connect(check, &QPushButton::clicked, this, guard(this, [this] {
                if (!m_run.slips.empty())
                    CheckWindow(
                            m_run,
                            QStringLiteral("A IMPRESSÃO DE %1")
                                    .arg(m_run.when.toString(QStringLiteral("dd/MM/yyyy HH:mm"))),
                            this)
                            .exec();
            }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    // Read when typed, on Enter or on leaving the field; what cannot be read, or lies outside the
    // range, is refused in words and the price stays as it was.
    connect(m_price, &QLineEdit::editingFinished, this, guard(this, [this] {
                const qint64 price = readPrice(m_price->text());
                m_price->setText(reais(price));
                if (price == m_model->price)
                    return;
                m_model->price = price;
                emit m_model->dataChanged(m_model->index(0, 4),
                                          m_model->index(int(m_model->runs.size()) - 1, 4));
                tellAbout(m_list->currentIndex().row());
                if (const QString why = setPriceOfABet(price); !why.isEmpty())
                    throw CommandError(errors::PermissionDenied, why);
            }));
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &row) { guarded(this, [this, row] { choose(row.row()); }); });
    resize(820, 640);
    listRuns(0);
}

void RunsWindow::listRuns(int chosen)
{
    m_model->reset(m_store.list());
    m_list->resizeColumnsToContents();
    if (int(m_model->runs.size()) == 0)
        return choose(-1);
    m_list->setCurrentIndex(
            m_model->index(std::clamp(chosen, 0, int(m_model->runs.size()) - 1), 0));
    m_list->setFocus();
}

QString RunsWindow::chosenFile() const
{
    const int row = m_list->currentIndex().row();
    return row < 0 ? QString() : m_model->runs[row].file;
}

void RunsWindow::choose(int row)
{
    m_run = KeptRun();
    m_pages.discardDocument();
    const bool loaded = row >= 0 && m_store.load(m_model->runs[row].file, m_run);
    if (loaded) {
        paintSlips(m_run, INT_MIN, INT_MAX, m_pages);
    } else if (row >= 0) { // its head read well, its games do not
        m_run = KeptRun();
        m_model->runs[row].readable = false;
        emit m_model->dataChanged(m_model->index(row, 0), m_model->index(row, 4));
    }
    tellAbout(row);
    const int first = loaded ? m_run.slips.front().number : 0;
    const int last = loaded ? m_run.slips.back().number : 0;
    for (QSpinBox *bound : { m_from, m_to })
        bound->setRange(first, last);
    m_reprint->setEnabled(loaded);
    m_delete->setEnabled(row >= 0);
    m_shown = 0;
    showSlip(0);
}

void RunsWindow::tellAbout(int row)
{
    if (row < 0)
        return m_about->setText(
                QStringLiteral("NENHUMA IMPRESSÃO GUARDADA EM %1.").arg(m_store.folder()));
    if (m_run.slips.empty())
        return m_about->setText(QStringLiteral("O ARQUIVO %1 NÃO É UMA IMPRESSÃO QUE O DEZENARIO "
                                               "POSSA LER (EDITADO À MÃO, CORTADO OU DE OUTRO "
                                               "PROGRAMA).")
                                        .arg(m_model->runs[row].file));
    m_about->setText(
            QStringLiteral("%1 VOLANTE(S), %2 JOGO(S) DE %3 DEZENAS COM DEZENAS MARCADAS: %4. "
                           "IMPRESSO EM \"%5\", COM %6.%7")
                    .arg(m_run.slips.size())
                    .arg(m_run.gamesMarked())
                    .arg(m_run.numbersPerGame)
                    .arg(reais(costInCentavos(m_run.gamesMarked(), m_run.numbersPerGame,
                                              m_model->price)),
                         m_run.printer, describe(m_run.alignment),
                         m_run.reprintOf.isEmpty() ? QString()
                                                   : QStringLiteral(" IMPRESSÃO DE NOVO DE %1.")
                                                             .arg(m_run.reprintOf)));
}

void RunsWindow::showSlip(int slip)
{
    const int slips = int(m_run.slips.size());
    m_shown = std::clamp(slip, 0, std::max(slips - 1, 0));
    m_view->showMarks(slips ? m_pages.page(m_shown) : std::span<const MarkPosition>());
    if (slips) {
        m_from->setValue(m_run.slips[size_t(m_shown)].number);
        m_to->setValue(m_run.slips[size_t(m_shown)].number);
    }
    m_view->setAccessibleName(slips ? QStringLiteral("VOLANTE %1").arg(m_from->value())
                                    : QStringLiteral("NENHUM VOLANTE"));
}

void RunsWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageDown)
        return showSlip(m_shown + 1);
    if (event->key() == Qt::Key_PageUp)
        return showSlip(m_shown - 1);
    QDialog::keyPressEvent(event);
}

void RunsWindow::reprint()
{
    KeptRun again = m_run;
    again.slips.clear();
    for (const KeptRun::Slip &slip : m_run.slips)
        if (slip.number >= m_from->value() && slip.number <= m_to->value())
            again.slips.push_back(slip);
    if (again.slips.empty())
        throw CommandError(errors::InvalidArgument,
                           QStringLiteral("NENHUM VOLANTE DE %1 ATÉ %2.")
                                   .arg(m_from->value())
                                   .arg(m_to->value()));
    SystemPrinter printer = slipPrinter(m_mark);
    printer.ensureAvailable();
    const QString cost =
            reais(costInCentavos(again.gamesMarked(), again.numbersPerGame, m_model->price));
    if (QtQuestionBox(this).askYesNo(
                QStringLiteral(
                        "IMPRIMIR DE NOVO %1 VOLANTE(S), DO %2 ATÉ O %3 (%4 JOGO(S), %5), NA "
                        "IMPRESSORA \"%6\"?")
                        .arg(again.slips.size())
                        .arg(m_from->value())
                        .arg(m_to->value())
                        .arg(again.gamesMarked())
                        .arg(cost, printer.name()),
                QStringLiteral("DEZENARIO"))
        == QuestionBox::No)
        return;
    paintSlips(again, INT_MIN, INT_MAX, printer);
    printer.endDocument();
    again.reprintOf = chosenFile();
    again.quantity.clear();
    keepPrinted(again, printer, m_store); // the list stays as it was when it cannot
    listRuns(0);
}

void RunsWindow::remove()
{
    const int row = m_list->currentIndex().row();
    if (QtQuestionBox(this).askYesNo(
                QStringLiteral("EXCLUIR A IMPRESSÃO %1?")
                        .arg(m_model->data(m_model->index(row, 0), Qt::DisplayRole).toString()),
                QStringLiteral("DEZENARIO"))
        == QuestionBox::No)
        return;
    if (!m_store.remove(chosenFile()))
        throw CommandError(errors::PermissionDenied,
                           QStringLiteral("NÃO FOI POSSÍVEL EXCLUIR %1.").arg(chosenFile()));
    listRuns(row);
}

} // namespace dezenario
