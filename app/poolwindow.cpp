#include "poolwindow.h"

#include "commanderror.h"
#include "keptdraws.h"
#include "poolinput.h"
#include "poolstore.h"
#include "pooltext.h"
#include "qtadapters.h"
#include "rowsmodel.h"
#include "runstore.h"
#include "textpages.h"
#include "wheeltext.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace dezenario {

using namespace pool;

PoolWindow::PoolWindow(Pool pool, QString file, Board board, QWidget *parent)
    : QDialog(parent),
      m_pool(std::move(pool)),
      m_file(std::move(file)),
      m_board(std::move(board)),
      m_name(new QLineEdit(m_pool.name, this)),
      m_organizer(new QLineEdit(m_pool.organizer, this)),
      m_contest(new QLineEdit(m_pool.contest ? QString::number(m_pool.contest) : QString(), this)),
      m_cotas(new QLineEdit(m_pool.cotas ? QString::number(m_pool.cotas) : QString(), this)),
      m_fee(new QLineEdit(
              QLocale(QLocale::Portuguese, QLocale::Brazil).toString(m_pool.fee / 100.0), this)),
      m_contests(new QComboBox(this)),
      m_price(wordsLabel(QStringLiteral("PrecoCota"), this)),
      m_rules(wordsLabel(QStringLiteral("RegrasCaixa"), this)),
      m_printed(wordsLabel(QStringLiteral("ImpressoBolao"), this)),
      m_result(wordsLabel(QStringLiteral("ResultadoBolao"), this)),
      m_games(new RowsModel({ QStringLiteral("JOGO"), QStringLiteral("DEZENAS") }, this)),
      m_participants(new RowsModel({ QStringLiteral("PARTICIPANTE") }, this)),
      m_shares(new RowsModel(
              { QStringLiteral("QUEM"), QStringLiteral("COTAS"), QStringLiteral("PARTE") }, this)),
      m_participantsView(tableView(QStringLiteral("Participantes"), QStringLiteral("PARTICIPANTES"),
                                   m_participants, this)),
      m_who(new QLineEdit(this)),
      m_whoCotas(new QLineEdit(QStringLiteral("1"), this)),
      m_note(new QLineEdit(this)),
      m_paid(new QCheckBox(QStringLiteral("PA&GO"), this)),
      m_how(new QComboBox(this))
{
    setObjectName(QStringLiteral("Bolao"));
    setWindowTitle(QStringLiteral("BOLÃO"));
    const std::pair<QWidget *, const char *> names[] = {
        { m_name, "NomeBolao" },        { m_organizer, "Organizador" },
        { m_contest, "ConcursoBolao" }, { m_contests, "QuantosConcursosBolao" },
        { m_cotas, "TotalCotas" },      { m_fee, "TaxaServico" },
        { m_who, "NomeParticipante" },  { m_whoCotas, "CotasParticipante" },
        { m_paid, "PagoParticipante" }, { m_how, "FormaPagamento" },
        { m_note, "NotaParticipante" },
    };
    for (const auto &[widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    m_contests->addItem(QStringLiteral("1"));
    for (const int n : TeimosinhaCounts)
        m_contests->addItem(QString::number(n));
    m_contests->setCurrentText(QString::number(m_pool.contests));
    for (const char *how : PaidHowWords)
        m_how->addItem(QString::fromLatin1(how));

    auto *form = new QFormLayout;
    addRow(form, QStringLiteral("&NOME DO BOLÃO"), m_name);
    addRow(form, QStringLiteral("&ORGANIZADOR"), m_organizer);
    addRow(form, QStringLiteral("&CONCURSO"), m_contest);
    addRow(form, QStringLiteral("CONCURSOS (TEI&MOSINHA)"), m_contests);
    addRow(form, QStringLiteral("CO&TAS NO TOTAL (DE 2 A 1000)"), m_cotas);
    addRow(form, QStringLiteral("TA&XA DE SERVIÇO (%)"), m_fee);
    auto button = [this](const QString &caption, const char *name, auto action) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, guard(this, action));
        return b;
    };
    auto *person = new QFormLayout;
    addRow(person, QStringLiteral("NOME DO &PARTICIPANTE"), m_who);
    addRow(person, QStringLiteral("COTAS DELE"), m_whoCotas);
    addRow(person, QStringLiteral("FORMA DE PAGAMENTO"), m_how);
    addRow(person, QStringLiteral("NOTA"), m_note);
    person->addRow(m_paid);
    auto *personButtons = new QHBoxLayout;
    personButtons->addWidget(button(QStringLiteral("&ADICIONAR"), "AdicionarParticipante",
                                    [this] { addParticipant(); }));
    personButtons->addWidget(button(QStringLiteral("&REMOVER"), "RemoverParticipante",
                                    [this] { removeParticipant(); }));
    person->addRow(personButtons);
    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(m_price);
    left->addWidget(m_rules);
    left->addWidget(button(QStringLiteral("TRAZER OS JOGOS DO &QUADRO"), "TrazerDoQuadro", [this] {
        std::optional<std::vector<std::vector<int>>> games = m_board.games();
        if (!games)
            return; // the reading was given up: the games stay as they were
        if (games->empty())
            throw CommandError(errors::InvalidArgument,
                               QStringLiteral("O QUADRO NÃO TEM JOGOS: COLOQUE OS JOGOS DO BOLÃO "
                                              "NO QUADRO."));
        m_pool.games = std::move(*games);
        m_pool.won = -1; // checked no more
        m_pool.run.clear(); // printed from other games
        showPool();
        showPrinted();
    }));
    left->addWidget(button(QStringLiteral("TRAZER DE &VOLANTES IMPRESSOS"), "TrazerDaImpressao",
                           [this] { fromRun(); }));
    left->addWidget(tableView(QStringLiteral("JogosDoBolao"), QStringLiteral("JOGOS DO BOLÃO"),
                              m_games, this));
    left->addWidget(m_printed);
    left->addWidget(button(QStringLiteral("COLOCAR NO QUA&DRO PARA IMPRIMIR"), "ColocarNoQuadro",
                           [this] { toBoard(); }));
    auto *right = new QVBoxLayout;
    right->addLayout(person);
    right->addWidget(m_participantsView, 2);
    right->addWidget(m_result);
    right->addWidget(tableView(QStringLiteral("Partes"), QStringLiteral("PARTES"), m_shares, this),
                     1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button(QStringLiteral("&SALVAR"), "SalvarBolao", [this] { save(); }));
    buttons->addWidget(button(QStringLiteral("IMPRIMIR COMPROVANTES"), "ImprimirComprovantes",
                              [this] { receipts(true); }));
    buttons->addWidget(button(QStringLiteral("COMPROVANT&ES EM PDF"), "Comprovantes",
                              [this] { receipts(false); }));
    buttons->addWidget(button(QStringLiteral("COP&IAR PARA O GRUPO"), "CopiarParaOGrupo", [this] {
        const Pool pool = typed();
        const PoolCheck checked = checkPool(pool, KeptDraws().load());
        QApplication::clipboard()->setText(groupText(
                pool, priceOfABet(), checked.across.contests.isEmpty() ? nullptr : &checked));
    }));
    buttons->addWidget(
            button(QStringLiteral("CONFERIR ESTE &BOLÃO"), "ConferirBolao", [this] { check(); }));
    buttons->addStretch();
    auto *close = new QPushButton(QStringLiteral("FECHAR"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    for (QLineEdit *field : { m_cotas, m_fee })
        connect(field, &QLineEdit::textEdited, this, [this] { showPool(); });
    connect(m_contests, &QComboBox::currentIndexChanged, this, [this] { showPool(); });
    showPool();
    showPrinted();
    resize(1100, 720);
}

Pool PoolWindow::typed() const
{
    Pool pool = m_pool;
    pool.name = m_name->text().simplified();
    pool.organizer = m_organizer->text().simplified();
    pool.contest = readCount(m_contest->text(), 1, 99999, QStringLiteral("O CONCURSO"));
    pool.contests = m_contests->currentText().toInt();
    pool.cotas = readCount(m_cotas->text(), LeastCotas, MostCotas, QStringLiteral("AS COTAS"));
    pool.fee = readFee(m_fee->text());
    return pool;
}

void PoolWindow::showPool()
{
    QList<QStringList> games;
    for (size_t g = 0; g < m_pool.games.size(); ++g)
        games << QStringList { QString::number(g + 1), gameInWords(m_pool.games[g]) };
    m_games->setRows(games);
    QList<QStringList> people;
    for (const Participant &p : m_pool.participants)
        people << QStringList { participantInWords(p)
                                + (p.note.isEmpty() ? QString()
                                                    : QStringLiteral(" (%1)").arg(p.note)) };
    m_participants->setRows(people);
    Pool pool = m_pool;
    const qint64 price = priceOfABet(); // read from the settings once, as this runs at each key
    try {
        pool.cotas = readCount(m_cotas->text(), LeastCotas, MostCotas, QString());
        pool.fee = readFee(m_fee->text());
        pool.contests = m_contests->currentText().toInt();
        m_price->setText(QStringLiteral("PREÇO DA COTA: %1. NÃO VENDIDAS: %2 DE %3 COTAS.")
                                 .arg(reais(pool.cotaPrice(price)))
                                 .arg(pool.cotas - pool.cotasHeld())
                                 .arg(pool.cotas));
        const QStringList broken = caixaRulesBroken(pool, price);
        m_rules->setText(broken.isEmpty() ? QStringLiteral("CABE NAS REGRAS DO BOLÃO CAIXA")
                                          : QStringLiteral("NÃO CABE NAS REGRAS DO BOLÃO CAIXA: ")
                                         + broken.join(QStringLiteral("; ")));
    } catch (const CommandError &) {
        m_price->setText(QStringLiteral("PREÇO DA COTA: DIGITE AS COTAS E A TAXA."));
        m_rules->clear();
    }
    for (QLabel *label : { m_price, m_rules })
        label->setAccessibleName(label->text());
}

void PoolWindow::addParticipant()
{
    Pool pool = m_pool;
    pool.cotas = readCount(m_cotas->text(), LeastCotas, MostCotas, QStringLiteral("AS COTAS"));
    Participant p;
    p.name = m_who->text().simplified();
    p.cotas = readCount(m_whoCotas->text(), 1, MostCotas, QStringLiteral("AS COTAS DELE"));
    p.paid = m_paid->isChecked();
    p.paidOn = p.paid ? QDate::currentDate() : QDate();
    p.how = PaidHow(m_how->currentIndex());
    p.note = m_note->text().simplified();
    if (const QString fault = participantFault(pool, p); !fault.isEmpty())
        throw CommandError(errors::InvalidArgument, fault);
    m_pool.participants.push_back(p);
    m_who->clear();
    m_whoCotas->setText(QStringLiteral("1"));
    m_paid->setChecked(false);
    m_note->clear();
    m_how->setCurrentIndex(0);
    showPool();
    m_who->setFocus(); // the next one
}

void PoolWindow::removeParticipant()
{
    const int row = m_participantsView->currentIndex().row();
    if (row < 0 || row >= int(m_pool.participants.size()))
        throw CommandError(errors::InvalidArgument,
                           QStringLiteral("ESCOLHA NA LISTA O PARTICIPANTE A REMOVER."));
    m_pool.participants.erase(m_pool.participants.begin() + row);
    showPool();
}

void PoolWindow::save()
{
    Pool pool = typed();
    if (pool.contest != m_pool.contest || pool.contests != m_pool.contests)
        pool.won = -1; // the money won was of other contests
    if (const QString fault = PoolStore().keep(pool, m_file); !fault.isEmpty())
        throw CommandError(errors::InvalidArgument, fault);
    m_pool = pool;
    showPool();
}

} // namespace dezenario
