#include "checkwindow.h"

#include "acrossmodel.h"
#include "qtadapters.h"
#include "runstore.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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

// The numbers take the room the counts leave, and nothing is cut.
static void fitColumns(QTableView *list, int numbers)
{
    for (int column = 0; column < list->model()->columnCount(); ++column)
        list->horizontalHeader()->setSectionResizeMode(
                column, column == numbers ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
}

CheckWindow::CheckWindow(KeptRun games, const QString &source, QWidget *parent)
    : QDialog(parent),
      m_games(std::move(games)),
      m_model(new GameModel(m_checked, this)),
      m_across(new AcrossModel(this)),
      m_way(new QComboBox(this)),
      m_count(new QComboBox(this)),
      m_draw(new QLineEdit(this)),
      m_contest(new QLineEdit(this)),
      m_first(new QLineEdit(this)),
      m_last(new QLineEdit(this)),
      m_summary(new QLabel(this)),
      m_prizedOnly(new QCheckBox(QStringLiteral("SÓ OS JOGOS &PREMIADOS"), this)),
      m_list(new QTableView(this))
{
    setObjectName(QStringLiteral("Conferir"));
    setWindowTitle(QStringLiteral("CONFERIR APOSTAS"));
    m_draw->setObjectName(QStringLiteral("Sorteio"));
    m_contest->setObjectName(QStringLiteral("Concurso"));
    m_way->setObjectName(QStringLiteral("Concursos"));
    m_first->setObjectName(QStringLiteral("ConcursoInicial"));
    m_last->setObjectName(QStringLiteral("ConcursoFinal"));
    m_count->setObjectName(QStringLiteral("QuantosConcursos"));
    for (const int count : TeimosinhaCounts)
        m_count->addItem(QString::number(count), count);
    m_way->addItem(QStringLiteral("O SORTEIO DIGITADO"), 0);
    m_way->addItem(QStringLiteral("UM CONCURSO GUARDADO"), 1);
    m_way->addItem(QStringLiteral("OS CONCURSOS GUARDADOS DE UM A OUTRO"), 2);
    m_way->addItem(QStringLiteral("TEIMOSINHA"), 3);
    if (m_games.when.isValid())
        m_way->addItem(QStringLiteral("OS CONCURSOS SORTEADOS DEPOIS DA IMPRESSÃO"), 4);
    m_way->addItem(QStringLiteral("TODOS OS CONCURSOS GUARDADOS"), 5);
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
    fitColumns(m_list, 2);

    auto *form = new QFormLayout;
    // The draw typed first, as before; the contests kept below it, for those who import them.
    addRow(form, QStringLiteral("&DEZENAS SORTEADAS"), m_draw);
    addRow(form, QStringLiteral("CON&CURSO (SE QUISER)"), m_contest);
    addRow(form, QStringLiteral("CONFERIR CON&TRA"), m_way);
    addRow(form, QStringLiteral("CONCURSO &INICIAL"), m_first);
    addRow(form, QStringLiteral("CONCURSO FI&NAL"), m_last);
    addRow(form, QStringLiteral("&QUANTOS CONCURSOS"), m_count);
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

    connect(check, &QPushButton::clicked, this, guard(this, [this] {
                if (m_way->currentData().toInt() == 0)
                    return checkGames();
                checkContests();
            }));
    connect(m_way, &QComboBox::currentIndexChanged, this,
            guard(this, [this] { chooseContests(m_way->currentData().toInt()); }));
    connect(m_prizedOnly, &QCheckBox::toggled, this,
            guard(this, [this] { m_model->reset(m_prizedOnly->isChecked()); }));
    connect(copy, &QPushButton::clicked, this, guard(this, [this] {
                if (m_list->model() == m_across) { // every contest, every game with a prize
                    QString text = acrossInWords(m_across->check(), costOfGames()) + u'\n';
                    for (const PrizedGame &prized : m_across->check().prized)
                        text += QStringLiteral("CONCURSO %1 VOLANTE %2 JOGO %3: %4 — %5\n")
                                        .arg(m_across->check().contests[prized.contest].number)
                                        .arg(prized.game.slip)
                                        .arg(prized.game.game)
                                        .arg(numbersInWords(prized.game),
                                             moneyInWords(prized.centavos, prized.unpaid));
                    return QApplication::clipboard()->setText(text);
                }
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
                         QStringLiteral("conferencia.csv"),
                         m_list->model() == m_across ? acrossCsv(m_across->check())
                                                     : toCsv(m_checked));
            }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    m_summary->setText(QStringLiteral("DIGITE AS SEIS DEZENAS SORTEADAS E CLIQUE EM CONFERIR."));
    chooseContests(0);
    // Tab and the first focus follow the form: the draw typed first, as before.
    QWidget *order[] = { m_draw, m_contest, m_way, m_first, m_last, m_count };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_draw->setFocus();
    resize(860, 660);
}

qint64 CheckWindow::costOfGames() const
{
    return costInCentavos(m_games.gamesMarked(), m_games.numbersPerGame, priceOfABet());
}

void CheckWindow::chooseContests(int way)
{
    m_draw->setEnabled(way == 0);
    m_contest->setEnabled(way == 0);
    m_first->setEnabled(way >= 1 && way <= 3);
    m_last->setEnabled(way == 2);
    m_count->setEnabled(way == 3);
}

void CheckWindow::checkContests()
{
    const QList<Contest> kept = KeptDraws().loadSome();
    QList<Contest> contests = kept;
    switch (m_way->currentData().toInt()) {
    case 1:
        contests =
                contestsBetween(kept, readContest(m_first->text()), readContest(m_first->text()));
        break;
    case 2:
        contests = contestsBetween(kept, readContest(m_first->text()), readContest(m_last->text()));
        break;
    case 3:
        contests = teimosinha(kept, readContest(m_first->text()), m_count->currentData().toInt());
        break;
    case 4:
        contests = drawnAfter(kept, m_games.when);
        break;
    }
    m_across->reset(checkAcross(m_games, contests));
    m_summary->setText(acrossInWords(m_across->check(), costOfGames(), 12)
                       + QStringLiteral("\nA LISTA MOSTRA OS JOGOS PREMIADOS."));
    m_summary->setAccessibleName(m_summary->text());
    m_prizedOnly->setEnabled(false);
    m_list->setModel(m_across);
    fitColumns(m_list, 3);
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
    if (m_list->model() != m_model) { // back from the contests kept
        m_prizedOnly->setEnabled(true);
        m_list->setModel(m_model);
        fitColumns(m_list, 2);
    }
}

} // namespace dezenario
