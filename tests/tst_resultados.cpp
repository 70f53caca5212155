// RESULTADOS as a user meets it, by keys: the lottery's file imported from the menu, a bad one
// refused with nothing kept changed, a Teimosinha checked with its money, the chart looked at, and
// the price of a bet refused when it cannot be one.
#include "boxanswerer.h"
#include "keptdraws.h"
#include "resultsfiles.h"
#include "keys.h"
#include "mainwindow.h"
#include "runstore.h"
#include "statisticswindow.h"

#include <QAccessible>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

using namespace dezenario;

class TestResultados : public QObject
{
    Q_OBJECT
    QTemporaryDir m_folder;
    QString m_files; // made by make_results.py, here or by the Windows stage
    MainWindow *m_window = nullptr;

    // Triggers the action; a file dialog is given the file, a window of that name handed to work,
    // then closed; every other box is answered in order, its texts added to seen.
    void use(const char *action, const QString &name, QStringList answers, QString *seen = nullptr,
             const std::function<void(QDialog *)> &work = {}, const QString &file = QString())
    {
        bool worked = false;
        const test::BoxAnswerer answerer(answers, [&](QDialog *box) {
            if (auto *dialog = qobject_cast<QFileDialog *>(box)) {
                box->setProperty("unanswered", true);
                QTimer::singleShot(0, dialog, [dialog, file] { // typed, as a user may
                    auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
                    test::type(name, QDir::toNativeSeparators(file));
                    QTest::keyClick(name, Qt::Key_Return);
                });
            } else if (box->objectName() == name && work) {
                if (std::exchange(m_opened, true))
                    return void(box->setProperty("unanswered", true));
                box->setProperty("unanswered", true);
                QTimer::singleShot(0, box, [box, &work, &worked] {
                    work(box);
                    worked = true;
                    box->reject();
                });
            } else if (seen) {
                for (const QLabel *label : box->findChildren<QLabel *>())
                    *seen += label->text() + u'\n';
            }
        });
        m_opened = false;
        m_window->findChild<QAction *>(action)->trigger(); // returns once all closed
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY2(worked || !work,
                 qPrintable(name + QStringLiteral(" did not open: ") + (seen ? *seen : QString())));
    }
    bool m_opened = false;
    QString file(const char *name) const { return m_files + u'/' + QLatin1StringView(name); }
    // The sample kept, whatever ran before.
    void keepSample()
    {
        QFile sample(file("resultados.xlsx"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        importResults(sample.readAll(), KeptDraws(), [](const QString &) { return false; });
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        QCoreApplication::setOrganizationName(QStringLiteral("DEZENARIO-TESTES-RESULTADOS"));
        QStandardPaths::setTestModeEnabled(true); // data and settings of the tests' own
        // Qt's own file dialog, which keys reach on Windows as on Linux.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QVERIFY(setPriceOfABet(600).isEmpty());
        m_files = test::resultsFiles(m_folder);
        QVERIFY(!m_files.isEmpty());
    }
    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    void import()
    {
        QFile::remove(KeptDraws().file());
        QString seen;
        use("actionImportarResultados", {}, { "OK" }, &seen, {}, file("resultados.xlsx"));
        QVERIFY2(seen.contains(QStringLiteral("50 CONCURSO(S) LIDO(S): 50 NOVO(S)")),
                 qPrintable(seen));
        QVERIFY2(seen.contains(QStringLiteral("DO 2251 (03/06/2020) AO 2300")), qPrintable(seen));
        QCOMPARE(KeptDraws().load().size(), 50);
        // A bad file names its row and column, and what was kept stays.
        QFile kept(KeptDraws().file());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        const QByteArray before = kept.readAll();
        seen.clear();
        use("actionImportarResultados", {}, { "OK" }, &seen, {}, file("cinco.xlsx"));
        QVERIFY2(seen.contains(QStringLiteral("LINHA 5, COLUNA \"Bola6\"")), qPrintable(seen));
        kept.seek(0);
        QCOMPARE(kept.readAll(), before);
        // The same file again brings nothing new.
        seen.clear();
        use("actionImportarResultados", {}, { "OK" }, &seen, {}, file("D_megase.zip"));
        QVERIFY2(seen.contains(QStringLiteral("0 NOVO(S), 50 JÁ GUARDADO(S)")), qPrintable(seen));
    }

    // Games of seven numbers, from the text, in the four contests from 2289.
    void teimosinha()
    {
        keepSample();
        m_window->findChild<QRadioButton *>("Option2")->setChecked(true); // 7 numbers a game
        m_window->findChild<QPlainTextEdit *>("Text1")->setPlainText(
                QStringLiteral("12-26-31-36-37-49-01-12-26-31-36-37-02-03-"));
        QString summary;
        QAbstractItemModel *list = nullptr;
        use("actionConferir", QStringLiteral("Conferir"), {}, nullptr, [&](QDialog *window) {
            // The draw typed first, as before the contests kept were offered.
            QCOMPARE(window->focusWidget(), window->findChild<QLineEdit *>("Sorteio"));
            test::choose(window->findChild<QComboBox *>("Concursos"), QStringLiteral("TEIMOSINHA"));
            test::type(window->findChild<QLineEdit *>("ConcursoInicial"), QStringLiteral("2289"));
            test::choose(window->findChild<QComboBox *>("QuantosConcursos"), QStringLiteral("4"));
            QTest::mouseClick(window->findChild<QPushButton *>("ConferirJogos"), Qt::LeftButton);
            summary = window->findChild<QLabel *>("Resumo")->text();
            list = window->findChild<QTableView *>("Jogos")->model();
            QCOMPARE(list->headerData(8, Qt::Horizontal, Qt::UserRole).toString(),
                     QStringLiteral("Premios"));
            // 2291: the first game a sena, which had no winner and so no amount, and six quinas;
            // the second two quinas and five quadras.
            QStringList money;
            for (int row = 0; row < list->rowCount(); ++row)
                if (list->index(row, 0).data().toString() == u"2291")
                    money << list->index(row, 8).data().toString();
            QCOMPARE(money,
                     (QStringList { "R$ 474.506,10 MAIS PRÊMIO(S) SEM VALOR NO ARQUIVO",
                                    "R$ 164.562,35" }));
        });
        QVERIFY2(summary.contains(QStringLiteral("2 JOGO(S) EM 4 CONCURSO(S)")),
                 qPrintable(summary));
        QVERIFY2(summary.contains(QStringLiteral("CUSTO: R$ 336,00")), qPrintable(summary));
        for (const char *contest : { "2289", "2290", "2291", "2292" })
            QVERIFY2(summary.contains(QStringLiteral("CONCURSO %1 (").arg(contest)),
                     qPrintable(summary));
    }

    // The tallest bar is the most drawn number's; the text's numbers are drawn in their colour.
    void chart()
    {
        keepSample();
        m_window->findChild<QPlainTextEdit *>("Text1")->setPlainText(QStringLiteral("05-10-"));
        const QList<Contest> kept = KeptDraws().load();
        QList<int> draws(61);
        for (const Contest &contest : kept)
            for (const quint8 n : contest.numbers)
                ++draws[n];
        const int most = *std::max_element(draws.begin(), draws.end());
        use("actionEstatisticas", QStringLiteral("Estatisticas"), {}, nullptr,
            [&](QDialog *window) {
                auto *chart = static_cast<BarChart *>(window->findChild<QWidget *>("Grafico"));
                // As a screen reader meets it: by its name, the bars being only painted.
                QCOMPARE(QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Name),
                         "GRÁFICO DOS SORTEIOS DE CADA DEZENA");
                // In the widget's own pixels, whatever the screen's scale (Windows at 200 %).
                const QImage image = chart->grab().toImage().scaled(chart->size());
                const QColor background = image.pixelColor(2, 2);
                int tallest = 0, height = 0;
                QSet<int> marked;
                for (int n = 1; n <= 60; ++n) {
                    const QRect space = chart->barSpace(n);
                    const int x = space.center().x();
                    int top = space.top();
                    while (top <= space.bottom() && image.pixelColor(x, top) == background)
                        ++top;
                    if (space.bottom() - top > height)
                        height = space.bottom() - top, tallest = n;
                    if (top <= space.bottom() && image.pixelColor(x, space.bottom()).blue() < 50)
                        marked << n;
                }
                QVERIFY(height > chart->barSpace(1).height() * 9 / 10);
                QCOMPARE(draws[tallest], most);
                for (const int n : { 5, 10 })
                    QVERIFY(marked.contains(n) || draws[n] == 0);
                QVERIFY(marked.size() <= 2);
            });
    }

    void price_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("kept");
        QTest::newRow("negative") << "-5" << qint64(600);
        QTest::newRow("thousand") << "1.000,00" << qint64(600);
        QTest::newRow("too much") << "99999999" << qint64(600);
        QTest::newRow("zero") << "0" << qint64(600);
        QTest::newRow("new price") << "7,5" << qint64(750);
    }
    void price()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, kept);
        QString seen;
        use("actionImpressos", QStringLiteral("Impressos"), { "OK" }, &seen, [&](QDialog *window) {
            auto *price = window->findChild<QLineEdit *>("Preco");
            test::type(price, typed);
            QTest::keyClick(price, Qt::Key_Return);
            QTRY_COMPARE_WITH_TIMEOUT(priceOfABet(), kept, 5000);
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == window, 5000);
            QCOMPARE(price->text(), kept == 600 ? typed : QStringLiteral("R$ 7,50"));
        });
        QCOMPARE(seen.contains(QStringLiteral("DIGITE DE R$ 0,01 A R$ 999,99")), kept == 600);
        QVERIFY(setPriceOfABet(600).isEmpty());
    }
};

QTEST_MAIN(TestResultados)
#include "tst_resultados.moc"
