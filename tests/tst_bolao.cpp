// BOLÕES as an organizer meets it, by keys: a bolão made from a wheel of 15 numbers, its
// participants, the Bolão CAIXA's rules, the receipts as PDF, the shares once the results are in;
// bad input refused with nothing kept, and a damaged file named in the list.
#include "boxanswerer.h"
#include "keptdraws.h"
#include "keys.h"
#include "mainwindow.h"
#include "pdfpages.h"
#include "poolstore.h"
#include "runstore.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace dezenario;
using test::type;

class TestBolao : public QObject
{
    Q_OBJECT
    MainWindow *m_window = nullptr;
    QTemporaryDir m_folder;

    // Opens BOLÕES, clicks `button` there and hands the bolão it opens to work; the file dialogs
    // are given pdf, the other boxes answered in order, their words added to seen.
    void withPool(const char *button, const std::function<void(QDialog *)> &work,
                  QStringList answers = {}, QString *seen = nullptr)
    {
        const QString pdf = m_folder.filePath(QStringLiteral("comprovantes.pdf"));
        QHash<QString, bool> opened; // a window is met again each time a box over it closes
        const test::BoxAnswerer answerer(answers, [&](QDialog *box) {
            if (auto *dialog = qobject_cast<QFileDialog *>(box)) {
                box->setProperty("unanswered", true);
                QTimer::singleShot(0, dialog, [dialog, pdf] {
                    auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
                    test::type(name, QDir::toNativeSeparators(pdf));
                    QTest::keyClick(name, Qt::Key_Return);
                });
            } else if (box->objectName() == u"Boloes" || box->objectName() == u"Bolao") {
                box->setProperty("unanswered", true);
                if (std::exchange(opened[box->objectName()], true))
                    return;
                QTimer::singleShot(0, box, [box, button, &work] {
                    if (box->objectName() == u"Boloes")
                        QTest::mouseClick(box->findChild<QPushButton *>(button), Qt::LeftButton);
                    else
                        work(box);
                    if (box->isVisible()) // not closed by what was clicked
                        box->reject();
                });
            } else if (seen) {
                for (const QLabel *label : box->findChildren<QLabel *>())
                    *seen += label->text() + u'\n';
            }
        });
        m_window->findChild<QAction *>("actionBoloes")->trigger();
    }
    static void click(QDialog *box, const char *name)
    {
        QTest::mouseClick(box->findChild<QPushButton *>(name), Qt::LeftButton);
    }
    static void fill(QDialog *box, const QString &contest, const QString &fee)
    {
        type(box->findChild<QLineEdit *>("NomeBolao"), "Firma");
        type(box->findChild<QLineEdit *>("Organizador"), "Ana");
        type(box->findChild<QLineEdit *>("ConcursoBolao"), contest);
        type(box->findChild<QLineEdit *>("TotalCotas"), "30");
        type(box->findChild<QLineEdit *>("TaxaServico"), fee);
    }
    static void join(QDialog *box, const QString &name, const QString &cotas, bool paid)
    {
        type(box->findChild<QLineEdit *>("NomeParticipante"), name);
        type(box->findChild<QLineEdit *>("CotasParticipante"), cotas);
        auto *paidBox = box->findChild<QCheckBox *>("PagoParticipante");
        if (paidBox->isChecked() != paid)
            QTest::keyClick(paidBox, Qt::Key_Space);
        click(box, "AdicionarParticipante");
    }
    static QStringList rows(QDialog *box, const char *view, int column)
    {
        const QAbstractItemModel *model = box->findChild<QAbstractItemView *>(view)->model();
        QStringList shown;
        for (int row = 0; row < model->rowCount(); ++row)
            shown << model->index(row, column).data().toString();
        return shown;
    }

private slots:
    void initTestCase()
    {
        setUpApplication(); // the program's font, which the receipts are painted in
        // Slips and receipts to a queue of scripts/setup-printers.sh, which writes them as PDFs.
        qputenv("PRINTER", "DEZENARIO-PDF");
        QStandardPaths::setTestModeEnabled(true); // data and settings of the tests' own
        // Qt's own file dialog, which keys reach on Windows as on Linux.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    }
    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    // Each refused with its reason, and nothing kept.
    void refused()
    {
        m_window->findChild<QPlainTextEdit *>("Text1")->setPlainText("01-02-03-04-05-06-");
        QString seen;
        withPool(
                "NovoBolao",
                [](QDialog *box) {
                    fill(box, "2951", "10");
                    click(box, "SalvarBolao"); // no games yet
                    click(box, "TrazerDoQuadro");
                    join(box, "Bia", "31", true); // more than the bolão has
                    type(box->findChild<QLineEdit *>("NotaParticipante"), "paga pelo Rui");
                    join(box, "Bia", "3", true);
                    join(box, " bia ", "1", false); // twice
                    type(box->findChild<QLineEdit *>("TaxaServico"), "40");
                    click(box, "SalvarBolao");
                    fill(box, "0", "1,5");
                    click(box, "SalvarBolao");
                    type(box->findChild<QLineEdit *>("ConcursoBolao"), "2951");
                    type(box->findChild<QLineEdit *>("TaxaServico"), "-5");
                    click(box, "SalvarBolao");
                    QCOMPARE(rows(box, "Participantes", 0),
                             QStringList { "BIA: 3 COTA(S), PAGO ("
                                           + QDate::currentDate().toString("dd/MM/yyyy")
                                           + ") (paga pelo Rui)" });
                },
                { "OK", "OK", "OK", "OK", "OK", "OK" }, &seen);
        for (const char *error :
             { "O BOLÃO NÃO TEM JOGOS. TRAGA OS JOGOS DO QUADRO.",
               "31 COTAS PARA BIA SÃO MAIS DO QUE AS 30 QUE RESTAM DAS 30 DO BOLÃO.",
               "BIA JÁ ESTÁ NO BOLÃO.", "A TAXA \"40\" NÃO VALE: DIGITE DE 0 A 35 %",
               "A TAXA \"-5\" NÃO VALE: DIGITE DE 0 A 35 %",
               "O CONCURSO \"0\" NÃO VALE: DIGITE UM NÚMERO INTEIRO DE 1 A 99999." })
            QVERIFY2(seen.contains(QString::fromUtf8(error)), qPrintable(seen));
        QCOMPARE(pool::PoolStore().list().size(), 0);
    }

    // A text of more games than one print takes is refused whole, never cut to one print's.
    void pastOnePrint()
    {
        const QString game = QStringLiteral("01-02-03-04-05-06-");
        m_window->findChild<QPlainTextEdit *>("Text1")->setPlainText(game.repeated(300'001));
        QString seen;
        QStringList brought;
        withPool(
                "NovoBolao",
                [&brought](QDialog *box) {
                    click(box, "TrazerDoQuadro");
                    brought = rows(box, "JogosDoBolao", 0);
                },
                { "OK" }, &seen);
        QVERIFY2(seen.contains(
                         "O QUADRO TEM MAIS JOGOS DO QUE UMA IMPRESSÃO (100000 VOLANTES) LEVA."),
                 qPrintable(seen));
        QCOMPARE(brought, QStringList());
    }

    // From a wheel of 15 numbers: 10 participants of 3 cotas of 30, one not paid; the rules it
    // breaks; the receipts; the shares once the results are kept, adding up to the money.
    void made()
    {
        Contest drawn { 2951, QDate(2026, 12, 12), {}, { 1, 2, 300 }, { 0, 0, 0 } };
        drawn.prize = { 1234567891, 5432109, 123457 };
        QString seen;
        withPool(
                "NovoBolao",
                [&drawn](QDialog *box) {
                    auto *text = box->parentWidget()->parentWidget()->findChild<QPlainTextEdit *>(
                            "Text1");
                    text->setPlainText(QString()); // the wheel from FECHAMENTO would be put here
                    QString games;
                    for (int g = 0; g < 117; ++g)
                        for (int n = 0; n < 6; ++n)
                            games += QString::number((g * 7 + n * 11) % 15 * 4 + 1)
                                             .rightJustified(2, '0')
                                    + '-';
                    text->setPlainText(games);
                    fill(box, "2951", "10");
                    click(box, "TrazerDoQuadro");
                    for (int p = 1; p <= 10; ++p)
                        join(box, QStringLiteral("PESSOA %1").arg(p), "3", p < 10);
                    QVERIFY(box->findChild<QLabel *>("RegrasCaixa")
                                    ->text()
                                    .contains("NÃO CABE NAS REGRAS DO BOLÃO CAIXA: TEM 117 JOGOS"));
                    click(box, "SalvarBolao");
                    click(box, "Comprovantes");
                    const QStringList first = rows(box, "JogosDoBolao", 1);
                    for (int n = 0; n < 6; ++n)
                        drawn.numbers[size_t(n)] = quint8(first[0].section(' ', n, n).toInt());
                    QVERIFY(KeptDraws().keep({ drawn }).isEmpty());
                    click(box, "ConferirBolao");
                    const QStringList shares = rows(box, "Partes", 2);
                    QCOMPARE(shares.size(), 12);
                    qint64 sum = 0;
                    for (const QString &share : shares)
                        sum += QString(share).remove(QRegularExpression("[^0-9]")).toLongLong();
                    const QString said = box->findChild<QLabel *>("ResultadoBolao")->text();
                    const qint64 won = said.section("PRÊMIOS: ", 1)
                                               .section(". CUSTO", 0, 0)
                                               .remove(QRegularExpression("[^0-9]"))
                                               .toLongLong();
                    QVERIFY2(won >= 1234567891 && sum == won, qPrintable(said));
                },
                {}, &seen);
        QCOMPARE(seen, QString());
        QCOMPARE(test::pdfPages(m_folder.filePath("comprovantes.pdf")), 11);
        // A kept bolão cut short is named unreadable; the other still opens.
        QString file;
        pool::Pool other;
        QVERIFY(pool::PoolStore().load(pool::PoolStore().list().at(0).file, other));
        other.name = "Outro";
        QCOMPARE(pool::PoolStore().keep(other, file), QString());
        QFile cut(QDir(pool::PoolStore().folder()).filePath(file));
        QVERIFY(cut.open(QIODevice::ReadWrite) && cut.resize(cut.size() - 5));
        cut.close();
        QStringList listed;
        withPool("AbrirBolao", [&listed](QDialog *box) {
            listed << box->findChild<QLineEdit *>("NomeBolao")->text()
                   << rows(qobject_cast<QDialog *>(box->parentWidget()), "ListaBoloes", 0);
        });
        QCOMPARE(listed.size(), 3);
        QCOMPARE(listed.mid(0, 2), (QStringList { "Firma", "FIRMA" }));
        QVERIFY2(listed[2].startsWith("ILEGÍVEL: " + file), qPrintable(listed[2]));
    }

    // Put into the text box from the bolão and printed by IMPRIMIR: the run kept is the bolão's,
    // and a new bolão takes its games from that run; the receipts go to the system's printer.
    void printedLinked()
    {
#ifdef Q_OS_WIN
        QSKIP("printed to CUPS's queues: Linux alone");
#endif
        auto *text = m_window->findChild<QPlainTextEdit *>("Text1");
        const QString games = "01-02-03-04-05-06-07-08-09-10-11-12-13-14-15-16-17-18-";
        text->setPlainText("33-");
        QString seen;
        withPool(
                "NovoBolao",
                [&](QDialog *box) {
                    text->setPlainText(games);
                    fill(box, "2960", "0");
                    click(box, "TrazerDoQuadro");
                    text->setPlainText("33-");
                    join(box, "Bia", "2", true);
                    click(box, "ColocarNoQuadro"); // kept first, then asked over the text
                },
                { "Sim" }, &seen);
        QVERIFY2(seen.contains("TROCAR O TEXTO DELE PELOS JOGOS DO BOLÃO?"), qPrintable(seen));
        QCOMPARE(text->toPlainText(), games);
        QVERIFY(!QApplication::activeModalWidget()); // both windows closed, for IMPRIMIR
        const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        {
            const test::BoxAnswerer answerer({ "3", "Sim" });
            QTest::mouseClick(m_window->findChild<QPushButton *>("IMPRIMIR"), Qt::LeftButton);
        }
        pool::Pool printed;
        for (const pool::PoolStore::Listed &listed : pool::PoolStore().list())
            if (listed.pool.contest == 2960)
                printed = listed.pool;
        KeptRun run;
        QVERIFY2(RunStore().load(printed.run, run), qPrintable(printed.run));
        QCOMPARE(run.slips.size(), 1u);
        QStringList said;
        withPool(
                "NovoBolao",
                [&said](QDialog *box) {
                    click(box, "TrazerDaImpressao");
                    said << rows(box, "JogosDoBolao", 1)
                         << box->findChild<QLabel *>("ImpressoBolao")->text();
                    fill(box, "2961", "0");
                    join(box, "Bia", "2", true);
                    click(box, "ImprimirComprovantes");
                },
                { "TRAZER", "Sim" }, &seen);
        QCOMPARE(said.mid(0, 3),
                 (QStringList { "01 02 03 04 05 06", "07 08 09 10 11 12", "13 14 15 16 17 18" }));
        QVERIFY2(said.value(3).startsWith("JOGOS IMPRESSOS EM ")
                         && said.value(3).contains("DEZENARIO-PDF"),
                 qPrintable(said.join(u'|')));
        seen.remove(QChar(0x200B)); // where the box may break a long word
        QVERIFY2(seen.contains("IMPRIMIR OS COMPROVANTES DE 1 PARTICIPANTE(S) E A LISTA DO GRUPO "
                               "NA IMPRESSORA \"DEZENARIO-PDF\"?"),
                 qPrintable(seen));
        // The receipts read back once the queue wrote them, after the slips: the participant's
        // page and the group's. Neither is left for another test to meet.
        const QDir pdfs(qEnvironmentVariableIsEmpty("DEZENARIO_PDF_DIR")
                                ? QDir::home().filePath("PDF")
                                : qEnvironmentVariable("DEZENARIO_PDF_DIR"));
        auto written = [&] {
            QStringList names;
            for (const QFileInfo &pdf : pdfs.entryInfoList({ "*.pdf" }, QDir::Files))
                if (pdf.lastModified() >= since)
                    names << pdf.filePath();
            return names;
        };
        QVERIFY(QTest::qWaitFor(
                [&] {
                    const QStringList names = written();
                    return names.size() == 2 && names.filter("COMPROVANTES").size() == 1
                            && test::pdfPages(names.filter("COMPROVANTES")[0]) == 2;
                },
                240000));
        for (const QString &pdf : written())
            QFile::remove(pdf);
    }
};

QTEST_MAIN(TestBolao)
#include "tst_bolao.moc"
