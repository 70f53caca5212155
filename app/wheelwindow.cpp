#include "wheelwindow.h"

#include "qtadapters.h"
#include "runstore.h"
#include "wheeltext.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace dezenario {

// A row a game of the wheel shown: its number and its numbers.
class WheelModel : public QAbstractTableModel
{
public:
    WheelModel(const std::vector<std::vector<int>> &games, QObject *parent)
        : QAbstractTableModel(parent), m_games(games)
    {
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_games.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        return section == 0 ? QStringLiteral("JOGO") : QStringLiteral("DEZENAS");
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return QVariant();
        if (index.column() == 0)
            return QString::number(index.row() + 1);
        return gameInWords(m_games[size_t(index.row())]);
    }

private:
    const std::vector<std::vector<int>> &m_games;
};

namespace {
QComboBox *choices(const QString &name, const QStringList &items, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

} // namespace

WheelWindow::WheelWindow(int perGame, ToText toText, ToPool toPool, QWidget *parent)
    : QDialog(parent),
      m_toText(std::move(toText)),
      m_toPool(std::move(toPool)),
      m_model(new WheelModel(m_games, this)),
      m_numbers(new QLineEdit(this)),
      m_perGame(choices(QStringLiteral("DezenasPorJogo"), { "6", "7", "8", "9" }, this)),
      m_guarantee(choices(QStringLiteral("Garantia"), { "QUADRA", "QUINA", "SENA" }, this)),
      m_condition(choices(QStringLiteral("SeAcertar"), { "4", "5", "6" }, this)),
      m_progress(new QProgressBar(this)),
      m_summary(wordsLabel(QStringLiteral("Resumo"), this)),
      m_chances(wordsLabel(QStringLiteral("Chances"), this)),
      m_list(new QTableView(this)),
      m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("Fechamento"));
    setWindowTitle(QStringLiteral("FECHAMENTO"));
    m_numbers->setObjectName(QStringLiteral("Escolhidas"));
    m_perGame->setCurrentIndex(std::clamp(perGame, 6, 9) - 6);
    m_progress->setObjectName(QStringLiteral("Progresso"));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral("ESCOLHA AS DEZENAS E A GARANTIA"));
    m_list->setObjectName(QStringLiteral("Jogos"));
    m_list->setAccessibleName(QStringLiteral("JOGOS"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    auto *form = new QFormLayout;
    addRow(form, QStringLiteral("&DEZENAS ESCOLHIDAS (DE 7 A 30)"), m_numbers);
    addRow(form, QStringLiteral("DEZENAS &POR JOGO"), m_perGame);
    addRow(form, QStringLiteral("&GARANTIA"), m_guarantee);
    addRow(form, QStringLiteral("SE &ACERTAR, ENTRE AS ESCOLHIDAS"), m_condition);
    auto button = [this](const QString &caption, const QString &name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    m_search = button(QStringLiteral("GERAR JOGOS"), QStringLiteral("GerarJogos"));
    m_search->setDefault(true);
    m_stop = button(QStringLiteral("PARAR"), QStringLiteral("Parar"));
    m_more = button(QStringLiteral("PROCURAR MAIS"), QStringLiteral("ProcurarMais"));
    m_toTextButton = button(QStringLiteral("COLOCAR NO QUADRO"), QStringLiteral("ColocarNoQuadro"));
    m_toPoolButton = button(QStringLiteral("COLOCAR NO BOLÃO"), QStringLiteral("ColocarNoBolao"));
    m_copy = button(QStringLiteral("COPIAR"), QStringLiteral("Copiar"));
    m_saveButton = button(QStringLiteral("SALVAR"), QStringLiteral("Salvar"));
    auto *close = button(QStringLiteral("FECHAR"), QStringLiteral("Fechar"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b :
         { m_search, m_stop, m_more, m_toTextButton, m_toPoolButton, m_copy, m_saveButton })
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_progress);
    layout->addWidget(m_summary);
    layout->addWidget(m_chances);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_search, &QPushButton::clicked, this, guard(this, [this] { search(); }));
    connect(m_stop, &QPushButton::clicked, this, guard(this, [this] {
                if (m_job)
                    m_job->stop();
            }));
    connect(m_more, &QPushButton::clicked, this, guard(this, [this] { searchMore(); }));
    connect(m_toPoolButton, &QPushButton::clicked, this, guard(this, [this] {
                if (m_toPool(this, m_games))
                    accept();
            }));
    connect(m_toTextButton, &QPushButton::clicked, this, guard(this, [this] {
                if (m_toText(this, gamesForSlips(m_games), m_job->problem().perGame))
                    accept();
            }));
    connect(m_copy, &QPushButton::clicked, this,
            guard(this, [this] { QApplication::clipboard()->setText(gamesAsLines(m_games)); }));
    connect(m_saveButton, &QPushButton::clicked, this, guard(this, [this] {
                saveFile(this, QStringLiteral("SALVAR O FECHAMENTO"),
                         QStringLiteral("fechamento.csv"), gamesAsCsv(m_games));
            }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_guarantee, &QComboBox::currentIndexChanged, this,
            guard(this, [this] { followGuarantee(); }));
    connect(m_timer, &QTimer::timeout, this, guard(this, [this] { poll(); }));
    m_timer->setInterval(100);
    enableButtons();
    resize(760, 620);
}

WheelWindow::~WheelWindow() = default;

void WheelWindow::done(int result)
{
    m_timer->stop();
    m_job.reset(); // waits for its thread, which ends at once
    QDialog::done(result);
}

// The condition is never less than the guarantee: 5 of the drawn cannot give a sena.
void WheelWindow::followGuarantee()
{
    const int guarantee = m_guarantee->currentIndex() + 4;
    const int condition = std::max(guarantee, m_condition->currentText().toInt());
    m_condition->clear();
    for (int m = guarantee; m <= 6; ++m)
        m_condition->addItem(QString::number(m));
    m_condition->setCurrentText(QString::number(condition));
}

void WheelWindow::search()
{
    const int perGame = m_perGame->currentIndex() + 6;
    std::vector<int> chosen = readChosen(m_numbers->text(), perGame);
    const wheel::WheelProblem problem { int(chosen.size()), perGame,
                                        m_guarantee->currentIndex() + 4,
                                        m_condition->currentText().toInt() };
    refuseUnprintable(problem, priceOfABet());
    m_job.reset();
    m_chosen = std::move(chosen);
    m_shown.reset();
    m_games.clear();
    m_model->reset();
    m_summary->clear();
    m_chances->clear();
    // The table's wheel of these choices is shown at once; PROCURAR MAIS searches on from it.
    m_job = std::make_unique<wheel::WheelJob>(problem, wheel::WheelJob::DefaultEffort,
                                              wheel::tableStart(problem));
    searchMore();
}

void WheelWindow::searchMore()
{
    if (!m_job)
        return;
    m_job->start();
    m_timer->start();
    poll();
}

void WheelWindow::poll()
{
    const wheel::WheelJob::Progress now = m_job->progress();
    const int done =
            now.effort ? int(std::min<std::int64_t>(1000, now.spent * 1000 / now.effort)) : 0;
    m_progress->setValue(done);
    QString state = now.games ? QStringLiteral("%1 JOGOS ATÉ AGORA").arg(now.games)
                              : QStringLiteral("PROCURANDO");
    state += QStringLiteral("; NENHUM FECHAMENTO COM MENOS DE %1; ESFORÇO: %2 %")
                     .arg(now.floor)
                     .arg(done / 10);
    if (now.checking)
        state += QStringLiteral("; CONFERINDO A GARANTIA");
    if (now.fromTable && !now.running)
        state = QStringLiteral("%1 JOGOS, DA TABELA DO PROGRAMA, GARANTIA CONFERIDA; NENHUM "
                               "FECHAMENTO COM MENOS DE %2; PROCURAR MAIS BUSCA A PARTIR DELE")
                        .arg(now.games)
                        .arg(now.floor);
    const std::shared_ptr<const wheel::WheelResult> result =
            now.running ? nullptr : m_job->result();
    if (!now.running && !result)
        state = QStringLiteral("A BUSCA PAROU ANTES DO PRIMEIRO FECHAMENTO: CLIQUE EM PROCURAR "
                               "MAIS PARA CONTINUAR");
    m_progress->setFormat(state);
    m_progress->setAccessibleName(state);
    if (!now.running) {
        m_timer->stop();
        if (result && result != m_shown)
            showResult(*(m_shown = result));
    }
    enableButtons();
}

void WheelWindow::showResult(const wheel::WheelResult &result)
{
    // The search and its check disagree: that is a fault of the program, and no wheel is shown.
    if (!result.check.holds())
        throw CommandError(errors::Internal,
                           QStringLiteral("O FECHAMENTO ACHADO NÃO PASSOU NA CONFERÊNCIA DA "
                                          "GARANTIA E NÃO É MOSTRADO. ISTO É UM DEFEITO DO "
                                          "PROGRAMA."));
    m_games = wheel::numbersOf(result.games, m_chosen);
    m_model->reset();
    m_summary->setText(summaryOf(m_chosen, m_job->problem(), result, priceOfABet()));
    m_summary->setAccessibleName(m_summary->text());
    m_chances->setText(chancesOf(m_job->problem(), result));
    m_chances->setAccessibleName(m_chances->text());
}

void WheelWindow::enableButtons()
{
    const bool running = m_job && m_job->progress().running;
    const bool shown = !m_games.empty() && !running;
    m_search->setEnabled(!running);
    m_stop->setEnabled(running);
    m_more->setEnabled(m_job && !running
                       && (m_games.empty() || m_games.size() > m_job->progress().floor));
    for (QPushButton *b : { m_toTextButton, m_toPoolButton, m_copy, m_saveButton })
        b->setEnabled(shown);
}

} // namespace dezenario
