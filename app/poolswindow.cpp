#include "poolswindow.h"

#include "commanderror.h"
#include "poolstore.h"
#include "pooltext.h"
#include "qtadapters.h"
#include "rowsmodel.h"

#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace dezenario {

using namespace pool;

PoolsWindow::PoolsWindow(PoolWindow::Board board, QWidget *parent)
    : QDialog(parent),
      m_board(std::move(board)),
      m_model(new RowsModel({ QStringLiteral("BOLÃO"), QStringLiteral("CONCURSOS"),
                              QStringLiteral("COTAS VENDIDAS"), QStringLiteral("PAGAS"),
                              QStringLiteral("PRÊMIO") },
                            this)),
      m_list(tableView(QStringLiteral("ListaBoloes"), QStringLiteral("BOLÕES GUARDADOS"), m_model,
                       this))
{
    setObjectName(QStringLiteral("Boloes"));
    setWindowTitle(QStringLiteral("BOLÕES"));
    auto *buttons = new QHBoxLayout;
    const std::tuple<const char *, const char *, std::function<void()>> actions[] = {
        { "&NOVO", "NovoBolao", [this] { open(true); } },
        { "&ABRIR", "AbrirBolao", [this] { open(false); } },
        { "&EXCLUIR", "ExcluirBolao", [this] { remove(); } },
    };
    for (const auto &[caption, name, action] : actions) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, guard(this, action));
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto *close = new QPushButton(QStringLiteral("FECHAR"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(m_list, &QTableView::activated, this, guard(this, [this] { open(false); }));
    listPools();
    resize(760, 420);
}

void PoolsWindow::listPools()
{
    QList<QStringList> rows;
    m_files.clear();
    m_readable.clear();
    for (const PoolStore::Listed &listed : PoolStore().list()) {
        m_files << listed.file;
        m_readable << listed.readable;
        const Pool &p = listed.pool;
        int paid = 0;
        for (const Participant &participant : p.participants)
            paid += participant.paid ? participant.cotas : 0;
        rows << (listed.readable
                         ? QStringList { p.name.toUpper(), contestsInWords(p),
                                         QStringLiteral("%1 DE %2").arg(p.cotasHeld()).arg(p.cotas),
                                         QStringLiteral("%1 DE %2").arg(paid).arg(p.cotasHeld()),
                                         p.won < 0 ? QStringLiteral("NÃO CONFERIDO")
                                                   : reais(p.won) }
                         : QStringList { QStringLiteral("ILEGÍVEL: %1 (CORTADO, ALTERADO À MÃO OU "
                                                        "DE OUTRO PROGRAMA)")
                                                 .arg(listed.file) });
    }
    m_model->setRows(rows);
    if (!rows.isEmpty())
        m_list->setCurrentIndex(m_model->index(0, 0));
}

void PoolsWindow::open(bool fresh)
{
    const int row = m_list->currentIndex().row();
    Pool pool;
    QString file;
    if (!fresh) {
        if (row < 0)
            throw CommandError(errors::InvalidArgument,
                               QStringLiteral("ESCOLHA NA LISTA O BOLÃO A ABRIR."));
        file = m_files[row];
        if (!m_readable[row] || !PoolStore().load(file, pool))
            throw CommandError(errors::InvalidArgument,
                               QStringLiteral("O BOLÃO GUARDADO EM %1 NÃO SE LÊ: ESTÁ CORTADO, "
                                              "FOI ALTERADO À MÃO OU É DE OUTRO PROGRAMA.")
                                       .arg(file));
    }
    if (PoolWindow(pool, file, m_board, this).exec() == PoolWindow::PutOnBoard)
        return accept(); // on to IMPRIMIR, in the main window
    listPools();
}

void PoolsWindow::remove()
{
    const int row = m_list->currentIndex().row();
    if (row < 0)
        throw CommandError(errors::InvalidArgument,
                           QStringLiteral("ESCOLHA NA LISTA O BOLÃO A EXCLUIR."));
    if (QtQuestionBox(this).askYesNo(QStringLiteral("EXCLUIR O BOLÃO \"%1\"? ELE NÃO PODERÁ SER "
                                                    "RECUPERADO.")
                                             .arg(m_model->rows()[row].value(0)),
                                     QStringLiteral("BOLÕES"))
        != QuestionBox::Yes)
        return;
    if (!PoolStore().remove(m_files[row]))
        throw CommandError(errors::PermissionDenied,
                           QStringLiteral("NÃO FOI POSSÍVEL EXCLUIR %1.").arg(m_files[row]));
    listPools();
}

} // namespace dezenario
