#include "checkwindow.h"

#include "qtadapters.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace dezenario {

// A row a game checked, as plain data, every game or those with a prize alone.
class GameModel : public QAbstractTableModel
{
public:
    GameModel(const QList<CheckedGame> &games, QObject *parent)
        : QAbstractTableModel(parent), m_games(games)
    {
    }
    void reset(bool prizedOnly)
    {
        beginResetModel();
        m_rows.clear();
        for (qsizetype i = 0; i < m_games.size() && prizedOnly; ++i)
            if (m_games[i].prizes.quadras > 0)
                m_rows << i;
        m_prizedOnly = prizedOnly;
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_prizedOnly ? m_rows.size() : m_games.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 7; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        return QStringList { "VOLANTE", "JOGO", "DEZENAS", "ACERTOS", "SENAS", "QUINAS", "QUADRAS" }
                .value(section);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return QVariant();
        const CheckedGame &game = m_games[m_prizedOnly ? m_rows[index.row()] : index.row()];
        const qint64 values[] = { game.slip,          game.game,         0,
                                  game.hits,          game.prizes.senas, game.prizes.quinas,
                                  game.prizes.quadras };
        return index.column() == 2 ? numbersInWords(game) : QString::number(values[index.column()]);
    }

private:
    const QList<CheckedGame> &m_games;
    QList<qsizetype> m_rows; // of the games with a prize
    bool m_prizedOnly = false;
};

CheckWindow::CheckWindow(KeptRun games, const QString &source, QWidget *parent)
    : QDialog(parent),
      m_games(std::move(games)),
      m_model(new GameModel(m_checked, this)),
      m_draw(new QLineEdit(this)),
      m_contest(new QLineEdit(this)),
      m_summary(new QLabel(this)),
      m_prizedOnly(new QCheckBox(QStringLiteral("SÓ OS JOGOS &PREMIADOS"), this)),
      m_list(new QTableView(this))
{
    setObjectName(QStringLiteral("Conferir"));
    setWindowTitle(QStringLiteral("CONFERIR APOSTAS"));
    m_draw->setObjectName(QStringLiteral("Sorteio"));
    m_contest->setObjectName(QStringLiteral("Concurso"));
    m_summary->setObjectName(QStringLiteral("Resumo"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_summary->setFocusPolicy(Qt::StrongFocus); // a screen reader reaches it with Tab
    m_prizedOnly->setObjectName(QStringLiteral("SoPremiados"));
    m_list->setObjectName(QStringLiteral("Jogos"));
    m_list->setAccessibleName(QStringLiteral("JOGOS"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    // The numbers take the room the counts leave, and nothing is cut.
    for (int column = 0; column < 7; ++column)
        m_list->horizontalHeader()->setSectionResizeMode(
                column, column == 2 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);

    auto *form = new QFormLayout;
    addRow(form, QStringLiteral("&DEZENAS SORTEADAS"), m_draw);
    addRow(form, QStringLiteral("CON&CURSO (SE QUISER)"), m_contest);
    auto *check = new QPushButton(QStringLiteral("CONFERIR"), this);
    check->setObjectName(QStringLiteral("ConferirJogos"));
    check->setDefault(true);
    auto *copy = new QPushButton(QStringLiteral("COPIAR"), this);
    copy->setObjectName(QStringLiteral("Copiar"));
    auto *save = new QPushButton(QStringLiteral("SALVAR"), this);
    save->setObjectName(QStringLiteral("Salvar"));
    auto *close = new QPushButton(QStringLiteral("FECHAR"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : { check, copy, save })
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("CONFERIR %1.").arg(source), this);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(m_summary);
    layout->addWidget(m_prizedOnly);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(check, &QPushButton::clicked, this, guard(this, [this] { checkGames(); }));
    connect(m_prizedOnly, &QCheckBox::toggled, this,
            guard(this, [this] { m_model->reset(m_prizedOnly->isChecked()); }));
    connect(copy, &QPushButton::clicked, this, guard(this, [this] {
                QString text = m_summary->text() + u'\n';
                for (const CheckedGame &game : std::as_const(m_checked))
                    text += QStringLiteral("VOLANTE %1 JOGO %2: %3 — %4 ACERTO(S): %5 SENA(S), %6 "
                                           "QUINA(S), %7 QUADRA(S)\n")
                                    .arg(game.slip)
                                    .arg(game.game)
                                    .arg(numbersInWords(game))
                                    .arg(game.hits)
                                    .arg(game.prizes.senas)
                                    .arg(game.prizes.quinas)
                                    .arg(game.prizes.quadras);
                QApplication::clipboard()->setText(text);
            }));
    connect(save, &QPushButton::clicked, this, guard(this, [this] {
                saveFile(this, QStringLiteral("SALVAR A CONFERÊNCIA"),
                         QStringLiteral("conferencia.csv"), toCsv(m_checked));
            }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    m_summary->setText(QStringLiteral("DIGITE AS SEIS DEZENAS SORTEADAS E CLIQUE EM CONFERIR."));
    resize(860, 600);
}

void CheckWindow::checkGames()
{
    const Draw draw = readDraw(m_draw->text(), m_contest->text());
    m_checked = checkRun(m_games, draw);
    Prizes all;
    int flagged = 0;
    for (const CheckedGame &game : std::as_const(m_checked)) {
        all += game.prizes;
        flagged += !game.unmarked.isEmpty();
    }
    QStringList drawn;
    for (const quint8 n : draw.numbers)
        drawn << QString::asprintf("%02d", n);
    m_summary->setText(
            QStringLiteral("%1SORTEIO %2: %3 JOGO(S) CONFERIDO(S), %4 SENA(S), %5 QUINA(S) E %6 "
                           "QUADRA(S), CONTADAS COMO A LOTERIA PAGA.%7")
                    .arg(draw.contest ? QStringLiteral("CONCURSO %1, ").arg(draw.contest)
                                      : QString(),
                         drawn.join(u' '))
                    .arg(m_checked.size())
                    .arg(all.senas)
                    .arg(all.quinas)
                    .arg(all.quadras)
                    .arg(flagged ? QStringLiteral(
                                           " %1 JOGO(S) TÊM TEXTOS SEM QUADRINHO NO VOLANTE, "
                                           "QUE NÃO SÃO APOSTAS.")
                                           .arg(flagged)
                                 : QString()));
    m_summary->setAccessibleName(m_summary->text());
    m_model->reset(m_prizedOnly->isChecked());
}

} // namespace dezenario
