// FECHAMENTO as a user meets it, by keys: refused, searched, stopped, closed, put into the text.
#include "boxanswerer.h"
#include "keys.h"
#include "mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace dezenario;
using test::choose;
using test::type;

namespace {
// A search that ends by itself; the deadline only keeps a broken one from hanging the suite.
bool ended(QDialog *window)
{
    return QTest::qWaitFor(
            [window] { return window->findChild<QPushButton *>("GerarJogos")->isEnabled(); },
            120000);
}

int searchThreads() // the search's own, by their name, on Linux
{
    int named = 0;
    for (const QString &id : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(id));
        named += comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "fechamento";
    }
    return named;
}
} // namespace

class TestFechamento : public QObject
{
    Q_OBJECT
    MainWindow *m_window = nullptr;

    // Opens FECHAMENTO and hands it to work; its boxes are answered in order, their texts and the
    // rows of their lists to seen.
    void withWheel(const std::function<void(QDialog *)> &work, QStringList answers = {},
                   QString *seen = nullptr)
    {
        bool opened = false; // the window is met again each time a box over it closes
        const test::BoxAnswerer answerer(answers, [&work, seen, &opened](QDialog *box) {
            if (box->objectName() == u"Fechamento" && std::exchange(opened, true))
                return void(box->setProperty("unanswered", true));
            if (box->objectName() != u"Fechamento") {
                for (const QLabel *label : box->findChildren<QLabel *>())
                    if (seen)
                        *seen += label->text();
                for (const QAbstractItemView *view : box->findChildren<QAbstractItemView *>())
                    if (seen && !view->objectName().isEmpty())
                        *seen += QStringLiteral("[%1: %2]")
                                         .arg(view->objectName())
                                         .arg(view->model()->rowCount());
                return;
            }
            box->setProperty("unanswered", true);
            QTimer::singleShot(0, box, [box, &work] {
                work(box);
                box->reject();
            });
        });
        m_window->findChild<QAction *>("actionFechamento")->trigger(); // returns once it closed
        QVERIFY(!QApplication::activeModalWidget());
    }
    QPlainTextEdit *text1() { return m_window->findChild<QPlainTextEdit *>("Text1"); }

private slots:
    void initTestCase()
    {
        setUpApplication();
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        QCoreApplication::setOrganizationName(QStringLiteral("DEZENARIO-TESTES"));
    }
    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    void refused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("guarantee");
        QTest::addColumn<QString>("error");
        QTest::newRow("too few")
                << "1 2 3 4 5 6"
                << "QUADRA"
                << "HÁ 6 DEZENA(S); UM JOGO DE 6 PEDE PELO MENOS 7. DIGITE DE 7 A 30";
        QTest::newRow("too many") << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 "
                                     "23 24 25 26 27 28 29 30 31"
                                  << "QUADRA"
                                  << "HÁ 31 DEZENAS, MAIS DO QUE 30. DIGITE DE 7 A 30";
        QTest::newRow("twice") << "01 02 03 04 05 06 07 02"
                               << "QUADRA"
                               << "A DEZENA 02 ESTÁ DUAS VEZES. DIGITE";
        QTest::newRow("61") << "1 2 3 4 5 6 61"
                            << "QUINA"
                            << "61 NÃO ESTÁ ENTRE 01 E 60. DIGITE";
        QTest::newRow("a word") << "1 2 3 4 5 6 sete"
                                << "QUADRA"
                                << "\"SETE\" NÃO É UMA DEZENA.";
        QTest::newRow("past one print")
                << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 "
                   "29 30"
                << "SENA"
                << "QUALQUER FECHAMENTO DESTES TEM PELO MENOS 593.775 JOGOS, QUE CUSTARIAM R$ "
                   "3.562.650,00, E UMA IMPRESSÃO LEVA NO MÁXIMO 300.000 JOGOS.";
    }
    // Each refused with its reason in an error box, and nothing searched.
    void refused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, guarantee);
        QFETCH(QString, error);
        QString shown;
        withWheel(
                [&](QDialog *wheel) {
                    type(wheel->findChild<QLineEdit *>("Escolhidas"), typed);
                    choose(wheel->findChild<QComboBox *>("Garantia"), guarantee);
                    QTest::keyClick(wheel->findChild<QLineEdit *>("Escolhidas"), Qt::Key_Return);
                    QVERIFY(QTest::qWaitFor([&shown] { return !shown.isEmpty(); }, 10000));
                    QVERIFY(wheel->findChild<QPushButton *>("GerarJogos")->isEnabled());
                    QCOMPARE(wheel->findChild<QTableView *>("Jogos")->model()->rowCount(), 0);
                },
                { "OK" }, &shown);
        QVERIFY2(shown.contains(error), qPrintable(shown));
        QVERIFY2(shown.contains("O FECHAMENTO NÃO FOI GERADO"), qPrintable(shown));
    }

    // The numbers a game start at the main window's; the condition follows the guarantee: never
    // fewer of the drawn than the hits promised.
    void condition()
    {
        QTest::mouseClick(m_window->findChild<QRadioButton *>("Option4"), Qt::LeftButton);
        withWheel([](QDialog *wheel) {
            QCOMPARE(wheel->findChild<QComboBox *>("DezenasPorJogo")->currentText(), "9");
            auto *condition = wheel->findChild<QComboBox *>("SeAcertar");
            choose(wheel->findChild<QComboBox *>("Garantia"), "QUINA");
            QCOMPARE(condition->currentText(), "5");
            QCOMPARE(condition->count(), 2);
        });
    }

    // A search stopped keeps its best wheel, checked; one continued goes on from it, never larger.
    // Games of 7, which the program's table does not hold, so that the search runs.
    void stopAndContinue()
    {
        const QString chosen = "03 07 11 15 19 23 27 31 35 39 43 47 51 55 59 02 06 10";
        withWheel([&chosen](QDialog *wheel) {
            type(wheel->findChild<QLineEdit *>("Escolhidas"), chosen);
            choose(wheel->findChild<QComboBox *>("DezenasPorJogo"), "7");
            QTest::keyClick(wheel->findChild<QLineEdit *>("Escolhidas"), Qt::Key_Return);
            auto *stop = wheel->findChild<QPushButton *>("Parar");
            QVERIFY(stop->isEnabled());
            auto *progress = wheel->findChild<QWidget *>("Progresso");
            QTRY_VERIFY(progress->accessibleName().contains("JOGOS ATÉ AGORA"));
            QTest::mouseClick(stop, Qt::LeftButton);
            QVERIFY(ended(wheel));
            const QAbstractItemModel *games = wheel->findChild<QTableView *>("Jogos")->model();
            QCOMPARE(games->headerData(0, Qt::Horizontal).toString() + u'|'
                             + games->headerData(1, Qt::Horizontal).toString(),
                     "JOGO|DEZENAS");
            const int first = games->rowCount();
            QVERIFY(first > 0);
            const QString summary = wheel->findChild<QLabel *>("Resumo")->text();
            QVERIFY2(summary.contains("GARANTIA CONFERIDA EM TODOS OS 3.060 CONJUNTOS DE 4 DEZENAS "
                                      "ESCOLHIDAS. NENHUM FECHAMENTO DESTES TEM MENOS DE 96 JOGOS"),
                     qPrintable(summary));
            // The wheel is on the numbers chosen.
            for (const QString &n : games->index(0, 1).data().toString().split(u' '))
                QVERIFY2(chosen.contains(n), qPrintable(n));
            QTest::mouseClick(wheel->findChild<QPushButton *>("ProcurarMais"), Qt::LeftButton);
            QVERIFY(stop->isEnabled());
            QTest::mouseClick(stop, Qt::LeftButton);
            QVERIFY(ended(wheel));
            QVERIFY(games->rowCount() > 0 && games->rowCount() <= first);
        });
    }

    void fromTheTable_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("guarantee");
        QTest::addColumn<bool>("smallest"); // as small as any wheel can be: nothing to search
        QTest::addColumn<int>("games");
        QTest::newRow("S(5,6,12)") << "1 2 3 4 5 6 7 8 9 10 11 12"
                                   << "QUINA" << true << 132;
        QTest::newRow("quadra, 15") << "2 4 6 8 10 12 14 16 18 20 22 24 26 28 30"
                                    << "QUADRA" << false << 117;
        QTest::newRow("quina, 16") << "1 5 9 13 17 21 25 29 33 37 41 45 49 53 57 60"
                                   << "QUINA" << false << 808;
        QTest::newRow("quadra, 20") << "3 6 9 12 15 18 21 24 27 30 33 36 39 42 45 48 51 54 57 60"
                                    << "QUADRA" << false << 396;
    }
    // The program's table holds the wheel of these choices: shown at once, checked, and named as
    // the table's; PROCURAR MAIS searches on from it, never to more games.
    void fromTheTable()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, guarantee);
        QFETCH(bool, smallest);
        QFETCH(int, games);
        QString seen;
        withWheel(
                [&](QDialog *wheel) {
                    type(wheel->findChild<QLineEdit *>("Escolhidas"), chosen);
                    choose(wheel->findChild<QComboBox *>("Garantia"), guarantee);
                    QTest::keyClick(wheel->findChild<QLineEdit *>("Escolhidas"), Qt::Key_Return);
                    QVERIFY(ended(wheel));
                    const QString state =
                            wheel->findChild<QWidget *>("Progresso")->accessibleName();
                    QVERIFY2(state.contains("DA TABELA DO PROGRAMA, GARANTIA CONFERIDA"),
                             qPrintable(state));
                    const QAbstractItemModel *list =
                            wheel->findChild<QTableView *>("Jogos")->model();
                    const int first = list->rowCount();
                    QCOMPARE(first, games);
                    QVERIFY2(state.startsWith(QString::number(first) + " JOGOS"),
                             qPrintable(state));
                    QVERIFY(wheel->findChild<QLabel *>("Resumo")->text().contains(
                            "GARANTIA CONFERIDA"));
                    auto *more = wheel->findChild<QPushButton *>("ProcurarMais");
                    QCOMPARE(more->isEnabled(), !smallest);
                    if (smallest) {
                        // COLOCAR NO BOLÃO: a new bolão of these games, closed by Esc.
                        QTest::mouseClick(wheel->findChild<QPushButton *>("ColocarNoBolao"),
                                          Qt::LeftButton);
                        return;
                    }
                    QTest::mouseClick(more, Qt::LeftButton);
                    QTest::mouseClick(wheel->findChild<QPushButton *>("Parar"), Qt::LeftButton);
                    QVERIFY(ended(wheel));
                    QVERIFY(list->rowCount() > 0 && list->rowCount() <= first);
                    QVERIFY(!wheel->findChild<QWidget *>("Progresso")
                                     ->accessibleName()
                                     .contains("TABELA"));
                },
                {}, &seen);
        QCOMPARE(seen.contains("[JogosDoBolao: 132]"), smallest);
    }

    // Stopped at once, on the largest wheel a print takes, maybe before its first wheel is whole:
    // no error either way, and the search goes on from there.
    void stopAtOnce()
    {
        QString errors;
        withWheel(
                [](QDialog *wheel) {
                    type(wheel->findChild<QLineEdit *>("Escolhidas"),
                         "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 "
                         "28 29 30");
                    choose(wheel->findChild<QComboBox *>("DezenasPorJogo"), "7");
                    choose(wheel->findChild<QComboBox *>("Garantia"), "SENA");
                    QTest::keyClick(wheel->findChild<QLineEdit *>("Escolhidas"), Qt::Key_Return);
                    QTest::mouseClick(wheel->findChild<QPushButton *>("Parar"), Qt::LeftButton);
                    QVERIFY(ended(wheel));
                    auto *more = wheel->findChild<QPushButton *>("ProcurarMais");
                    const QAbstractItemModel *games =
                            wheel->findChild<QTableView *>("Jogos")->model();
                    const QString state =
                            wheel->findChild<QWidget *>("Progresso")->accessibleName();
                    QVERIFY2(games->rowCount() > 0 || state.startsWith("A BUSCA PAROU ANTES"),
                             qPrintable(state));
                    QVERIFY(more->isEnabled());
                    QTest::mouseClick(more, Qt::LeftButton);
                    QVERIFY(wheel->findChild<QPushButton *>("Parar")->isEnabled());
                },
                {}, &errors);
        QCOMPARE(errors, QString());
    }

    // Closing the window while it searches ends the search: no thread of it is left.
    void closeWhileSearching()
    {
#ifdef Q_OS_LINUX // the threads are named on Linux alone; Wine shows its own /proc too
        const bool proc = true;
#else
        const bool proc = false;
#endif
        withWheel([proc](QDialog *wheel) {
            type(wheel->findChild<QLineEdit *>("Escolhidas"),
                 "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25");
            choose(wheel->findChild<QComboBox *>("DezenasPorJogo"), "7");
            QTest::keyClick(wheel->findChild<QLineEdit *>("Escolhidas"), Qt::Key_Return);
            QVERIFY(wheel->findChild<QPushButton *>("Parar")->isEnabled());
            if (proc) // the search's threads are seen, so their absence below means something
                QTRY_VERIFY_WITH_TIMEOUT(searchThreads() > 0, 10000);
        });
        QCOMPARE(searchThreads(), 0);
    }

    // COLOCAR NO QUADRO asks before it takes the place of a text, and then the preview shows the
    // games as slips of their numbers.
    void intoTheText()
    {
        text1()->setPlainText("01-02-03-");
        int rows = 0;
        withWheel(
                [&rows](QDialog *wheel) {
                    type(wheel->findChild<QLineEdit *>("Escolhidas"),
                         "5 10 15 20 25 30 35 40 45 50");
                    choose(wheel->findChild<QComboBox *>("DezenasPorJogo"), "8");
                    choose(wheel->findChild<QComboBox *>("SeAcertar"), "6");
                    QTest::keyClick(wheel->findChild<QLineEdit *>("Escolhidas"), Qt::Key_Return);
                    QVERIFY(ended(wheel));
                    rows = wheel->findChild<QTableView *>("Jogos")->model()->rowCount();
                    auto *put = wheel->findChild<QPushButton *>("ColocarNoQuadro");
                    QTest::mouseClick(put, Qt::LeftButton); // answered NÃO
                    QVERIFY(wheel->isVisible());
                    QTest::mouseClick(put, Qt::LeftButton); // answered SIM, and the window closes
                    QVERIFY(!wheel->isVisible());
                },
                { "Não", "Sim" });
        QVERIFY(rows > 0);
        const QString text = text1()->toPlainText();
        QCOMPARE(text.size(), rows * 8 * 3);
        for (const QString &n : text.split(u'-', Qt::SkipEmptyParts)) // on the numbers chosen
            QVERIFY2(n.toInt() % 5 == 0 && n.size() == 2 && n.toInt() <= 50, qPrintable(n));
        QVERIFY(m_window->findChild<QRadioButton *>("Option3")->isChecked());
        QString shown;
        const test::BoxAnswerer answerer(
                {}, [&shown](QDialog *box) { shown = box->findChild<QLabel *>("Resumo")->text(); });
        m_window->findChild<QAction *>("actionVisualizar")->trigger();
        QVERIFY2(shown.startsWith(
                         QStringLiteral("%1 VOLANTE(S) DE 8 DEZENAS POR JOGO").arg((rows + 2) / 3)),
                 qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("(%1 JOGO(S) COM DEZENAS MARCADAS)").arg(rows)),
                 qPrintable(shown));
    }
};

QTEST_MAIN(TestFechamento)
#include "tst_fechamento.moc"
