// The bolão alone: its price, faults, the Bolão CAIXA's rules, shares and keeping.
#include "commanderror.h"
#include "pdfpages.h"
#include "poolinput.h"
#include "poolstore.h"
#include "pooltext.h"
#include "textpages.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace dezenario;
using namespace dezenario::pool;

Q_DECLARE_METATYPE(Pool)
Q_DECLARE_METATYPE(std::vector<qint64>)

namespace {
// A bolão of so many games of k numbers and the participants' cotas, all paid but the last.
Pool made(int games, int k, int cotas, std::vector<int> held = {}, int contests = 1)
{
    Pool pool;
    pool = { "BOLÃO DA FIRMA", "ANA", {}, 2951, contests, cotas, 0, {}, {} };
    for (int g = 0; g < games; ++g) {
        std::vector<int> &game = pool.games.emplace_back();
        for (int n = 1; n <= k; ++n)
            game.push_back((g + n * 7) % 60 + 1);
        std::sort(game.begin(), game.end());
    }
    for (size_t p = 0; p < held.size(); ++p)
        pool.participants.push_back({ QStringLiteral("PESSOA %1").arg(p + 1), held[p],
                                      p + 1 < held.size(), QDate(2026, 12, 1), PaidHow::Pix,
                                      QStringLiteral("nota; com\nlinha e 100%") });
    return pool;
}
} // namespace

class TestPool : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The program's font, as it starts: carried where the system has none (Windows).
        QFontDatabase::addApplicationFont(QStringLiteral(":/dezenario/DejaVuSansCondensed.ttf"));
        QGuiApplication::setFont(QFont(QStringLiteral("DejaVu Sans Condensed")));
    }
    // At R$ 6,00 a simple bet: the cost over the cotas up to the centavo, the fee over that too.
    void price()
    {
        Pool teimosinha = made(3, 7, 30, {}, 4), odd = made(1, 6, 7);
        teimosinha.fee = 1000;
        odd.fee = 3500;
        QCOMPARE(made(10, 6, 30).cotaPrice(600), 200);
        QCOMPARE(teimosinha.cotaPrice(600), 1848);
        QCOMPARE(odd.cotaPrice(600), 117);
    }

    void typed_data()
    {
        QTest::addColumn<QString>("fee");
        QTest::addColumn<int>("read"); // -1: refused
        for (const auto &[typed, read] : { std::pair { "10", 1000 },
                                           { "1,5", 150 },
                                           { "1.5", 150 },
                                           { "35 %", 3500 },
                                           { "0", 0 },
                                           { "40", -1 },
                                           { "35,01", -1 },
                                           { "-5", -1 },
                                           { "dez", -1 } })
            QTest::newRow(typed) << typed << read;
    }
    // What the organizer types: a fee as a Brazilian types it, and the counts.
    void typed()
    {
        QFETCH(QString, fee);
        QFETCH(int, read);
        if (read < 0)
            QVERIFY_THROWS_EXCEPTION(CommandError, readFee(fee));
        else
            QCOMPARE(readFee(fee), read);
        QCOMPARE(readCount("1.000", 2, 1000, "COTAS"), 1000);
        QVERIFY_THROWS_EXCEPTION(CommandError, readCount("1001", 2, 1000, "COTAS"));
        QVERIFY_THROWS_EXCEPTION(CommandError, readCount("1,5", 2, 1000, "COTAS"));
    }

    void faults_data()
    {
        QTest::addColumn<Pool>("pool");
        QTest::addColumn<QString>("fault");
        Pool twice = made(10, 6, 30, { 3, 3 });
        twice.participants[1].name = QStringLiteral(" pessoa  1 ");
        Pool fee = made(10, 6, 30), noGames = made(0, 6, 30), zero = made(1, 6, 30);
        Pool five = made(2, 6, 30), teimosinha = made(1, 6, 30, {}, 5);
        fee.fee = 4000;
        zero.contest = 0;
        five.games[1].pop_back();
        QTest::newRow("sound") << made(15, 6, 30, std::vector<int>(10, 3)) << "";
        QTest::newRow("cotas held beyond") << made(2, 6, 30, { 20, 11 })
                                           << "11 COTAS PARA PESSOA 2 SÃO MAIS DO QUE AS 10 QUE "
                                              "RESTAM DAS 30 DO BOLÃO.";
        QTest::newRow("twice") << twice << "PESSOA 1 JÁ ESTÁ NO BOLÃO.";
        QTest::newRow("fee of 40 %") << fee << "A TAXA DE SERVIÇO VAI DE 0 A 35 %.";
        QTest::newRow("no games") << noGames << "O BOLÃO NÃO TEM JOGOS. TRAGA OS JOGOS DO QUADRO.";
        QTest::newRow("contest 0") << zero
                                   << "O CONCURSO 0 NÃO EXISTE: DIGITE O NÚMERO DO "
                                      "CONCURSO, DE 1 EM DIANTE.";
        QTest::newRow("5 contests") << teimosinha
                                    << "5 CONCURSOS NÃO É UMA TEIMOSINHA: ESCOLHA "
                                       "1, 2, 3, 4, 6, 8, 9 OU 12.";
        QTest::newRow("1 cota") << made(1, 6, 1) << "UM BOLÃO TEM DE 2 A 1000 COTAS, NÃO 1.";
        QTest::newRow("5 numbers") << five << "O JOGO 2 NÃO É UM JOGO DE 6 A 9 DEZENAS DE 01 A 60.";
    }
    void faults()
    {
        QFETCH(Pool, pool);
        QFETCH(QString, fault);
        QCOMPARE(faultOf(pool), fault);
        QString file;
        QTemporaryDir folder;
        QCOMPARE(PoolStore(folder.path()).keep(pool, file), fault); // nothing kept half
        QCOMPARE(file.isEmpty(), !fault.isEmpty());
    }

    void caixa_data()
    {
        QTest::addColumn<Pool>("pool");
        QTest::addColumn<QStringList>("broken");
        Pool mixed = made(3, 6, 2);
        mixed.games[2].push_back(60);
        QTest::newRow("fits") << made(10, 6, 3) << QStringList();
        QTest::newRow("a wheel of 15") << made(15, 6, 30)
                                       << QStringList { "TEM 15 JOGOS (O BOLÃO CAIXA TEM NO "
                                                        "MÁXIMO 10)",
                                                        "A COTA CUSTA R$ 3,00 (NO BOLÃO CAIXA, "
                                                        "NO MÍNIMO R$ 7,00)" };
        QTest::newRow("cheap, 101 cotas")
                << made(2, 6, 101)
                << QStringList { "TEM 101 COTAS (O BOLÃO CAIXA TEM DE 2 A 100)",
                                 "CUSTA R$ 12,00 (O BOLÃO CAIXA CUSTA NO MÍNIMO R$ 18,00)",
                                 "A COTA CUSTA R$ 0,12 (NO BOLÃO CAIXA, NO MÍNIMO R$ 7,00)" };
        QTest::newRow("mixed") << mixed
                               << QStringList { "OS JOGOS NÃO TÊM TODOS A MESMA QUANTIDADE DE "
                                                "DEZENAS" };
    }
    void caixa()
    {
        QFETCH(Pool, pool);
        QFETCH(QStringList, broken);
        QCOMPARE(caixaRulesBroken(pool, 600), broken);
    }

    void shares_data()
    {
        QTest::addColumn<Pool>("pool");
        QTest::addColumn<qint64>("won");
        QTest::addColumn<std::vector<qint64>>("each"); // then the unsold's, then the left
        std::vector<qint64> even(10, 10000);
        even.insert(even.end(), { 0, 0 });
        QTest::newRow("all sold") << made(1, 6, 30, std::vector<int>(10, 3)) << 100000ll << even;
        QTest::newRow("centavos left") << made(1, 6, 7, { 3, 2 }) << 100001ll
                                       << std::vector<qint64> { 42857, 28571, 28571, 2 };
        QTest::newRow("one of three sold")
                << made(1, 6, 3, { 1 }) << 100ll << std::vector<qint64> { 33, 66, 1 };
    }
    // The shares, the unsold cotas' and the centavos left add up to the money won, exactly.
    void shares()
    {
        QFETCH(Pool, pool);
        QFETCH(qint64, won);
        QFETCH(std::vector<qint64>, each);
        const Shares shares = sharesOf(pool, won);
        std::vector<qint64> all = shares.participants;
        all.push_back(shares.unsold);
        all.push_back(shares.left);
        QCOMPARE(all, each);
        QCOMPARE(std::accumulate(all.begin(), all.end(), 0ll), won);
    }

    // Against the contests kept that it plays, as CONFERIR counts across contests: a sena paid,
    // a quina won whose prize the file does not give, and the contest not yet imported named.
    void check()
    {
        Pool pool = made(4, 6, 30, std::vector<int>(10, 3), 3);
        pool.games[0] = { 1, 2, 3, 4, 5, 6 };
        pool.games[3] = { 1, 2, 3, 4, 5, 9 };
        Contest first { 2951, QDate(2026, 12, 10), { 1, 2, 3, 4, 5, 6 }, { 1, 2, 90 }, {} };
        first.prize = { 123456789, -1, 100000 };
        Contest other = first;
        other.number = 2953;
        other.numbers = { 11, 12, 13, 14, 15, 16 };
        const PoolCheck check = checkPool(pool, { other, first, Contest { 2960, {}, {}, {}, {} } });
        QCOMPARE(check.missing, QList<int> { 2952 });
        QCOMPARE(missingInWords(check.missing), u"CONCURSO 2952 AINDA NÃO IMPORTADO");
        QCOMPARE(check.across.contests, (QList<Contest> { first, other }));
        QCOMPARE(check.across.centavos, 123456789);
        QVERIFY(check.across.unpaid);
        QCOMPARE(check.across.prized.size(), 2);
        QCOMPARE(check.shares.participants, std::vector<qint64>(10, 12345678));
        QCOMPARE(check.shares.left, 9);
        // What the group reads: the games, who paid, the result, and each share.
        pool.participants.back().cotas = 2;
        const PoolCheck after = checkPool(pool, { first, other });
        const QStringList text = groupText(pool, 600, &after).split(u'\n');
        for (const char *line :
             { "BOLÃO DA FIRMA, ORGANIZADO POR ANA", "CONCURSOS 2951 A 2953 (TEIMOSINHA DE 3)",
               "30 COTAS DE R$ 2,40 CADA", "04) 01 02 03 04 05 09",
               "PESSOA 1: 3 COTA(S), PAGO (PIX, 01/12/2026)", "PESSOA 10: 2 COTA(S), NÃO PAGO",
               "COTAS NÃO VENDIDAS: 1", "CONCURSO 2952 AINDA NÃO IMPORTADO",
               "PESSOA 10 (2 COTA(S)): R$ 82.304,52", "COTAS NÃO VENDIDAS (1): R$ 41.152,26",
               "CENTAVOS QUE NÃO SE DIVIDEM: R$ 0,09" })
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
        QVERIFY(!groupText(pool, 600).contains("RESULTADO"));
        QCOMPARE(runOf(pool).slips.size(), 2u);
        QCOMPARE(runOf(pool).slips[1].games[0].marked, (QList<quint8> { 1, 2, 3, 4, 5, 9 }));
        // A run kept is the bolão's print only when it printed the bolão's games, in order.
        KeptRun printed = runOf(pool);
        Pool linked = pool, unlinked = pool, none = made(0, 6, 30);
        QVERIFY(linkPrinted(linked, printed, "impressa.txt"));
        QCOMPARE(linked.run, "impressa.txt");
        std::swap(printed.slips[0].games[0], printed.slips[0].games[1]);
        QVERIFY(!linkPrinted(unlinked, printed, "outra.txt") && unlinked.run.isEmpty());
        QVERIFY(!linkPrinted(none, KeptRun(), "vazia.txt") && none.run.isEmpty());
    }

    // Saved as PDF: a page for each participant with their name and cotas, and one for the group;
    // the 117 games of a wheel of 15 numbers in columns on each.
    void receipts()
    {
        const Pool pool = made(117, 6, 30, std::vector<int>(10, 3));
        QList<TextPage> pages;
        for (const Receipt &receipt : receiptsOf(pool, 600))
            pages << TextPage { receipt.head, receipt.games };
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("comprovantes.pdf"));
        QCOMPARE(saveTextPagesAsPdf(pdf, pages), QString());
        QCOMPARE(test::pdfPages(pdf), 11);
        QVERIFY(!saveTextPagesAsPdf(folder.filePath("none/x.pdf"), pages).isEmpty());
        // A printer that is not there, or a queue that refuses jobs: said, never taken as printed.
        QCOMPARE(printTextPages("NENHUMA-IMPRESSORA", "DEZENARIO", pages),
                 QStringLiteral("A IMPRESSORA \"NENHUMA-IMPRESSORA\" NÃO ESTÁ INSTALADA."));
#ifndef Q_OS_WIN
        QVERIFY(printTextPages("DEZENARIO-REFUSING", "DEZENARIO", pages)
                        .startsWith(QStringLiteral(
                                "A IMPRESSORA \"DEZENARIO-REFUSING\" RECUSOU A IMPRESSÃO: ")));
#endif
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            return; // under Wine: the words are read on Linux
        auto text = [&pdf](int page) {
            QProcess read;
            read.start("pdftotext",
                       { "-layout", "-f", QString::number(page), "-l", QString::number(page), pdf,
                         "-" });
            return read.waitForFinished(60000) ? QString::fromUtf8(read.readAll()) : QString();
        };
        for (int p = 1; p <= 10; ++p) {
            const QString page = text(p);
            QVERIFY2(page.contains(QStringLiteral("PESSOA %1: 3 COTA(S), ").arg(p))
                             && page.contains("3 DE 30 COTAS") && page.contains("117) ")
                             && !page.contains(QStringLiteral("PESSOA %1:").arg(p % 10 + 1)),
                     qPrintable(page));
        }
        QVERIFY(text(11).contains("PESSOA 10: 3 COTA(S), NÃO PAGO"));
    }

    // Kept whole and read back as it was; a file cut short or changed by hand is named unreadable
    // in the list, and the others still read.
    void keeping()
    {
        QTemporaryDir folder;
        const PoolStore store(folder.path());
        const Pool pool = made(15, 6, 30, std::vector<int>(10, 3));
        QString a, b;
        QCOMPARE(store.keep(pool, a), QString());
        QCOMPARE(store.keep(made(2, 9, 4, { 1, 2 }, 12), b), QString());
        Pool read;
        QVERIFY(store.load(a, read));
        QCOMPARE(read, pool);
        QFile file(folder.filePath(b));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        file.close();
        for (const QByteArray &changed :
             { text.left(text.size() - 10), QByteArray(text).replace(";1;", ";3;"),
               QByteArray(text).replace("JOGO=", "JOGO=00 "),
               QByteArray(text).replace("PIX", "PIC"),
               QByteArray(text).replace("BOLAO 1", "BOLAO 2") }) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(changed);
            file.close();
            const QList<PoolStore::Listed> listed = store.list();
            QCOMPARE(listed.size(), 2);
            QCOMPARE(listed[0].readable && listed[1].readable, false);
            QVERIFY(listed[0].file == a ? listed[0].readable : listed[1].readable);
        }
        QVERIFY(store.remove(b));
        QCOMPARE(store.list().size(), 1);
    }
};

QTEST_MAIN(TestPool) // the receipts paint text: a QGuiApplication
#include "tst_pool.moc"
