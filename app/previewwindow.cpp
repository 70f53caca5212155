#include "previewwindow.h"

#include "qtadapters.h"
#include "runstore.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QAbstractListModel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace dezenario {

namespace {
// The problems as plain data, put in words only as the view shows them.
class ProblemModel : public QAbstractListModel
{
public:
    ProblemModel(const SlipPreview &preview, QObject *parent)
        : QAbstractListModel(parent), m_preview(preview)
    {
    }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : std::max(int(m_preview.problems.size()), 1);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return QVariant();
        if (m_preview.problems.empty())
            return QStringLiteral("NENHUM PROBLEMA: CADA DEZENA TEM O SEU QUADRINHO.");
        return inWords(m_preview.problems[size_t(index.row())], m_preview.numbersPerGame);
    }

private:
    const SlipPreview &m_preview;
};
} // namespace

PreviewWindow::PreviewWindow(SlipPreview preview, QImage mark, QWidget *parent)
    : QDialog(parent),
      m_preview(std::move(preview)),
      m_view(new SlipView(std::move(mark), this)),
      m_slip(new QLabel(this)),
      m_games(new QLabel(this)),
      m_previous(new QPushButton(QStringLiteral("ANTERIOR"), this)),
      m_next(new QPushButton(QStringLiteral("PRÓXIMO"), this))
{
    setObjectName(QStringLiteral("Visualizar"));
    setWindowTitle(QStringLiteral("VISUALIZAR VOLANTES"));
    const int slips = int(m_preview.slipCount());
    const bool more = !m_preview.problems.empty()
            && m_preview.problems.back().trouble == SlipPreview::Trouble::NextRun;
    auto *summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("Resumo"));
    summary->setWordWrap(true);
    const QString cost =
            reais(costInCentavos(m_preview.gamesMarked, m_preview.numbersPerGame, priceOfABet()));
    summary->setText(
            slips == 0
                    ? QStringLiteral("O TEXTO NÃO ENCHE NENHUM VOLANTE: NENHUMA DEZENA "
                                     "TEM UM TRAÇO DEPOIS DELA.")
                    : QStringLiteral("%1 VOLANTE(S) DE %2 DEZENAS POR JOGO. PARA "
                                     "IMPRIMIR %4, DIGITE %3 NA QUANTIDADE. CUSTO: %5 "
                                     "(%6 JOGO(S) COM DEZENAS MARCADAS).")
                              .arg(slips)
                              .arg(m_preview.numbersPerGame)
                              .arg(m_preview.quantity)
                              .arg(more ? QStringLiteral("ESTES") : QStringLiteral("TODOS"), cost)
                              .arg(m_preview.gamesMarked));
    auto *paper = new QLabel(m_view->paperInWords(), this);
    paper->setObjectName(QStringLiteral("Papel"));
    paper->setWordWrap(true);

    auto *problems = new QListView(this);
    problems->setObjectName(QStringLiteral("Problemas"));
    problems->setAccessibleName(QStringLiteral("PROBLEMAS"));
    problems->setUniformItemSizes(true); // a hundred thousand rows cost what is shown
    problems->setModel(new ProblemModel(m_preview, problems));
    problems->setAccessibleDescription(
            QStringLiteral("%1 PROBLEMA(S)").arg(m_preview.problems.size()));

    m_slip->setObjectName(QStringLiteral("Numero"));
    m_games->setObjectName(QStringLiteral("Jogos"));
    m_games->setWordWrap(true);
    m_games->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_previous->setObjectName(QStringLiteral("Anterior"));
    m_next->setObjectName(QStringLiteral("Proximo"));
    auto *close = new QPushButton(QStringLiteral("FECHAR"), this);
    close->setObjectName(QStringLiteral("Fechar"));
    connect(m_previous, &QPushButton::clicked, this,
            guard(this, [this] { showSlip(m_shown - 1); }));
    connect(m_next, &QPushButton::clicked, this, guard(this, [this] { showSlip(m_shown + 1); }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *side = new QVBoxLayout;
    side->addWidget(m_slip);
    side->addWidget(m_games, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_view, 3);
    middle->addLayout(side, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(paper);
    layout->addLayout(middle, 3);
    layout->addWidget(problems, 1);
    layout->addLayout(buttons);
    resize(760, 640);
    m_view->setFocus();
    showSlip(0);
}

void PreviewWindow::showSlip(int slip)
{
    const int slips = int(m_preview.slipCount());
    m_shown = std::clamp(slip, 0, std::max(slips - 1, 0));
    m_previous->setEnabled(m_shown > 0);
    m_next->setEnabled(m_shown + 1 < slips);
    m_slip->setText(slips ? QStringLiteral("VOLANTE %1 DE %2").arg(m_shown + 1).arg(slips)
                          : QStringLiteral("NENHUM VOLANTE"));
    QStringList games;
    for (int game = 1; game <= 3 && slips; ++game) {
        QStringList shown;
        for (const QString &dezena : m_preview.game(m_shown, game))
            shown << visible(dezena);
        games << QStringLiteral("JOGO %1: %2")
                         .arg(game)
                         .arg(shown.isEmpty() ? QStringLiteral("EM BRANCO") : shown.join(u' '));
    }
    m_games->setText(games.join(u'\n'));
    m_view->setAccessibleName(m_slip->text());
    m_view->setAccessibleDescription(m_games->text());
    m_view->showMarks(slips ? m_preview.pages.page(m_shown) : std::span<const MarkPosition>());
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        return showSlip(m_shown + 1);
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        return showSlip(m_shown - 1);
    case Qt::Key_Home:
        return showSlip(0);
    case Qt::Key_End:
        return showSlip(int(m_preview.slipCount()) - 1);
    default:
        QDialog::keyPressEvent(event);
    }
}

void PreviewWindow::wheelEvent(QWheelEvent *event)
{
    if (event->angleDelta().y() != 0)
        showSlip(m_shown + (event->angleDelta().y() < 0 ? 1 : -1));
}

} // namespace dezenario
