#include "statisticswindow.h"

#include "qtadapters.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace dezenario {

namespace {
constexpr int Left = 8, Bottom = 34, Top = 8;
const QColor Bar(70, 110, 160), Marked(220, 110, 0);
} // namespace

BarChart::BarChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Grafico"));
    setAccessibleName(QStringLiteral("GRÁFICO DOS SORTEIOS DE CADA DEZENA"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BarChart::show(const std::array<NumberCount, 61> &counts, quint64 marked)
{
    m_counts = counts;
    m_marked = marked;
    update();
}

QRect BarChart::barSpace(int number) const
{
    const double width = double(this->width() - 2 * Left) / 60;
    const int left = Left + int(width * (number - 1)), right = Left + int(width * number);
    return QRect(QPoint(left + 1, Top), QPoint(right - 1, height() - Bottom));
}

void BarChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    int most = 1;
    for (int n = 1; n <= 60; ++n)
        most = std::max(most, m_counts[size_t(n)].draws);
    QFont small = font();
    small.setPixelSize(std::clamp(barSpace(1).width(), 7, 12));
    painter.setFont(small);
    for (int n = 1; n <= 60; ++n) {
        const QRect space = barSpace(n);
        const int tall = int(qint64(space.height()) * m_counts[size_t(n)].draws / most);
        const bool marked = m_marked >> n & 1;
        painter.fillRect(QRect(space.left(), space.bottom() - tall + 1, space.width(), tall),
                         marked ? Marked : Bar);
        painter.setPen(palette().text().color());
        // Every number when there is room for it, else every fifth.
        if (space.width() >= 2 * small.pixelSize() || n % 5 == 0 || n == 1)
            painter.drawText(QRect(space.left() - 8, space.bottom() + 2, space.width() + 16, 14),
                             Qt::AlignCenter, QString::asprintf("%02d", n));
        if (marked) {
            painter.setBrush(Marked);
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QPoint(space.center().x(), height() - 9), 4, 4);
        }
    }
}

StatisticsWindow::StatisticsWindow(QList<Contest> kept, quint64 marked, QWidget *parent)
    : QDialog(parent),
      m_kept(std::move(kept)),
      m_marked(marked),
      m_first(new QLineEdit(QString::number(m_kept.first().number), this)),
      m_last(new QLineEdit(QString::number(m_kept.last().number), this)),
      m_summary(new QLabel(this)),
      m_chart(new BarChart(this)),
      m_table(new QStandardItemModel(60, 4, this))
{
    setObjectName(QStringLiteral("Estatisticas"));
    setWindowTitle(QStringLiteral("ESTATÍSTICAS DOS CONCURSOS"));
    m_first->setObjectName(QStringLiteral("ConcursoInicial"));
    m_last->setObjectName(QStringLiteral("ConcursoFinal"));
    m_summary->setObjectName(QStringLiteral("Resumo"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_summary->setFocusPolicy(Qt::StrongFocus);
    auto *table = m_tableView = new QTableView(this);
    table->setObjectName(QStringLiteral("Tabela"));
    table->setAccessibleName(QStringLiteral("TABELA DAS DEZENAS"));
    table->setModel(m_table);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("DEZENA"), QStringLiteral("SORTEIOS"),
                                         QStringLiteral("CONCURSOS SEM SAIR"),
                                         QStringLiteral("NO QUADRO") });
    auto *form = new QFormLayout;
    addRow(form, QStringLiteral("CONCURSO &INICIAL"), m_first);
    addRow(form, QStringLiteral("CONCURSO FI&NAL"), m_last);
    auto *show = new QPushButton(QStringLiteral("&MOSTRAR"), this);
    show->setObjectName(QStringLiteral("Mostrar"));
    show->setDefault(true);
    auto *copy = new QPushButton(QStringLiteral("&COPIAR A TABELA"), this);
    copy->setObjectName(QStringLiteral("Copiar"));
    auto *close = new QPushButton(QStringLiteral("FECHAR"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(show);
    buttons->addWidget(copy);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *views = new QHBoxLayout;
    views->addWidget(m_chart, 3);
    views->addWidget(table, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_summary);
    layout->addLayout(views, 1);
    auto *independent =
            new QLabel(QStringLiteral("OS SORTEIOS SÃO INDEPENDENTES: O QUE SAIU ANTES NÃO PREVÊ O "
                                      "PRÓXIMO. EM CADA CONCURSO, "
                                      "TODA DEZENA TEM A MESMA CHANCE DE SAIR, 6 EM 60."),
                       this);
    independent->setWordWrap(true);
    layout->addWidget(independent);
    layout->addLayout(buttons);
    connect(show, &QPushButton::clicked, this, guard(this, [this] { showRange(); }));
    connect(copy, &QPushButton::clicked, this, guard(this, [this] {
                QString text = QStringLiteral("DEZENA\tSORTEIOS\tCONCURSOS SEM SAIR\tNO QUADRO\n");
                for (int row = 0; row < 60; ++row) {
                    QStringList cells;
                    for (int column = 0; column < 4; ++column)
                        cells << m_table->item(row, column)->text();
                    text += cells.join(u'\t') + u'\n';
                }
                QApplication::clipboard()->setText(text);
            }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showRange();
    resize(980, 620);
}

void StatisticsWindow::showRange()
{
    const QList<Contest> contests =
            contestsBetween(m_kept, readContest(m_first->text()), readContest(m_last->text()));
    const std::array<NumberCount, 61> counts = countNumbers(contests);
    m_chart->show(counts, m_marked);
    int most = 1;
    for (int n = 1; n <= 60; ++n) {
        const NumberCount &count = counts[size_t(n)];
        most = count.draws > counts[size_t(most)].draws ? n : most;
        const QString cells[] = { QString::asprintf("%02d", n), QString::number(count.draws),
                                  count.since < 0 ? QStringLiteral("NÃO SAIU")
                                                  : QString::number(count.since),
                                  m_marked >> n & 1 ? QStringLiteral("SIM") : QString() };
        for (int column = 0; column < 4; ++column)
            m_table->setItem(n - 1, column, new QStandardItem(cells[column]));
    }
    QStringList mostDrawn; // all of them when several tie
    for (int n = 1; n <= 60; ++n)
        if (counts[size_t(n)].draws == counts[size_t(most)].draws)
            mostDrawn << QString::asprintf("%02d", n);
    m_summary->setText(QStringLiteral("%1 CONCURSO(S), DO %2 AO %3. MAIS SORTEADA(S): %4, %5 "
                                      "VEZ(ES) CADA.%6")
                               .arg(contests.size())
                               .arg(contests.first().number)
                               .arg(contests.last().number)
                               .arg(mostDrawn.join(QStringLiteral(", ")))
                               .arg(counts[size_t(most)].draws)
                               .arg(m_marked ? QStringLiteral(" EM LARANJA, AS DEZENAS DO QUADRO.")
                                             : QString()));
    // The table as wide as its columns: nothing of it is cut.
    m_tableView->setMinimumWidth(m_tableView->horizontalHeader()->length()
                                 + m_tableView->verticalScrollBar()->sizeHint().width()
                                 + 2 * m_tableView->frameWidth());
    m_summary->setAccessibleName(m_summary->text());
}

} // namespace dezenario
