// The lottery's results file read in each of its forms, as a spreadsheet writes them, to the same
// contests; each bad file refused at its row and column, nothing kept changed; the money of a
// Teimosinha against a count bet by bet; the numbers counted.
#include "acrosscheck.h"
#include "keptdraws.h"
#include "resultsfiles.h"
#include "resultsfile.h"

#include <QtTest>

using namespace dezenario;

namespace {
QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
// The contests as the least CSV a spreadsheet saves: the columns needed, no amounts.
QByteArray csvOf(const QList<Contest> &contests)
{
    QString csv = QStringLiteral("Concurso;Data do Sorteio;Bola1;Bola2;Bola3;Bola4;Bola5;Bola6\n");
    for (const Contest &c : contests) {
        csv += QStringLiteral("%1;%2").arg(c.number).arg(
                c.date.toString(QStringLiteral("dd/MM/yyyy")));
        for (const quint8 n : c.numbers)
            csv += u';' + QString::number(n);
        csv += u'\n';
    }
    return csv.toUtf8();
}
} // namespace

class TestResults : public QObject
{
    Q_OBJECT
    QTemporaryDir m_folder;
    QString m_files; // made by make_results.py, here or by the Windows stage
    QList<Contest> m_contests;

    QString file(const QString &name) const { return m_files + u'/' + name; }

private slots:
    void initTestCase()
    {
        m_files = test::resultsFiles(m_folder);
        QVERIFY(!m_files.isEmpty());
        m_contests = readResults(bytesOf(file(QStringLiteral("resultados.xlsx"))));
        QCOMPARE(m_contests.size(), 50);
        QCOMPARE(m_contests.first().number, 2251);
        QCOMPARE(m_contests.last().number, 2300);
        const Contest real = m_contests[2291 - 2251]; // as the lottery published it
        QCOMPARE(real.numbers, (std::array<quint8, 6> { 12, 26, 31, 36, 37, 49 }));
        QCOMPARE(real.winners, (std::array<qint64, 3> { 0, 37, 3269 }));
        QCOMPARE(real.prize, (std::array<qint64, 3> { -1, 7908435, 127873 }));
    }

    void forms_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : { "reordenado.xlsx", "d_megasc.htm", "D_megase.zip",
                                  "resultados.csv", "resultados-virgula.csv" })
            QTest::newRow(name) << name;
    }
    void forms()
    {
        QFETCH(QString, name);
        // Kept as read, and read back from what was kept.
        const KeptDraws store(m_folder.filePath(name + QStringLiteral(".txt")));
        QString summary;
        try {
            summary = importResults(bytesOf(file(name)), store,
                                    [](const QString &) { return false; });
        } catch (const CommandError &error) {
            QFAIL(qPrintable(error.description()));
        }
        QVERIFY2(summary.startsWith(
                         QStringLiteral("50 CONCURSO(S) LIDO(S): 50 NOVO(S), 0 JÁ GUARDADO(S).")),
                 qPrintable(summary));
        QVERIFY2(summary.contains(QStringLiteral("DO 2251 (03/06/2020) AO 2300")),
                 qPrintable(summary));
        const QList<Contest> kept = store.load();
        for (qsizetype i = 0; i < kept.size(); ++i)
            QVERIFY2(kept[i] == m_contests[i], qPrintable(contestInWords(kept[i])));
        QCOMPARE(kept.size(), 50);
        int severalWinners = 0; // whose page had a row more a city
        for (const Contest &contest : kept)
            severalWinners += contest.winners[0] > 1;
        QVERIFY(severalWinners > 0);
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        QTest::newRow("no results") << "outra.xlsx"
                                    << "NÃO É UM ARQUIVO DE RESULTADOS DA MEGA-SENA";
        QTest::newRow("xlsx cut short") << "cortado.xlsx"
                                        << "CORTADO OU DANIFICADO";
        QTest::newRow("zip cut short") << "cortado.zip"
                                       << "CORTADO OU DANIFICADO";
        QTest::newRow("zip damaged") << "danificado.zip"
                                     << "d_megasc.htm ESTÁ CORTADO OU DANIFICADO";
        QTest::newRow("five numbers") << "cinco.xlsx"
                                      << "LINHA 5, COLUNA \"Bola6\": VAZIA";
        QTest::newRow("61") << "sessenta-e-um.xlsx"
                            << "LINHA 7, COLUNA \"Bola3\": \"61\" NÃO É UMA DEZENA";
        QTest::newRow("twice") << "repetida.xlsx"
                               << "LINHA 9, COLUNA \"Bola4\": A DEZENA";
        QTest::newRow("contest twice")
                << "duas-vezes.xlsx"
                << "LINHA 52, COLUNA \"Concurso\": O CONCURSO 2252 APARECE TAMBÉM NA LINHA 3";
        QTest::newRow("date")
                << "data.xlsx"
                << "LINHA 4, COLUNA \"Data do Sorteio\": \"31/02/2020\" NÃO É UMA DATA";
        QTest::newRow("amount") << "valor.xlsx"
                                << "LINHA 6, COLUNA \"Rateio 5 acertos\": \"R$ 12,3,4\"";
        QTest::newRow("winners") << "ganhadores.xlsx"
                                 << "LINHA 8, COLUNA \"Ganhadores 4 acertos\"";
    }
    void badFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        const KeptDraws store(m_folder.filePath(QStringLiteral("bad.txt")));
        QVERIFY(store.keep(m_contests.mid(0, 10)).isEmpty());
        const QByteArray before = bytesOf(store.file());
        try {
            importResults(bytesOf(file(name)), store, [](const QString &) { return true; });
            QFAIL("read");
        } catch (const CommandError &error) {
            QVERIFY2(error.description().contains(why), qPrintable(error.description()));
        }
        QCOMPARE(bytesOf(store.file()), before);
    }

    void amounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<qint64>("centavos"); // -1: unreadable
        QTest::newRow("lottery's text") << "R$181.892.881,09" << false << qint64(18189288109);
        QTest::newRow("grouped") << "79.084,35" << false << qint64(7908435);
        QTest::newRow("thousands alone") << "1.278" << false << qint64(127800);
        QTest::newRow("point") << "1278.73" << false << qint64(127873);
        QTest::newRow("number") << "79084.35" << true << qint64(7908435);
        QTest::newRow("exponent") << "1.27873E3" << true << qint64(127873);
        QTest::newRow("half up") << "0.005" << true << qint64(1);
        QTest::newRow("two commas") << "12,3,4" << false << qint64(-1);
        QTest::newRow("word") << "muitos" << false << qint64(-1);
        QTest::newRow("grouping wrong") << "1.27,5" << false << qint64(-1);
    }
    void amounts()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(qint64, centavos);
        QCOMPARE(centavosOf({ text, number }).value_or(-1), centavos);
    }

    void columns()
    {
        QCOMPARE(columnKey(QStringLiteral(" Data do  Sorteio")), QStringLiteral("datadosorteio"));
        QCOMPARE(columnKey(QStringLiteral("1ª Dezena")), QStringLiteral("1dezena"));
        QCOMPARE(columnKey(QStringLiteral("ARRECADAÇÃO_TOTAL")),
                 QStringLiteral("arrecadacaototal"));
    }

    void newerFile()
    {
        const KeptDraws store(m_folder.filePath(QStringLiteral("newer.txt")));
        QVERIFY(store.keep(m_contests.mid(0, 20)).isEmpty());
        QList<Contest> read = m_contests;
        read[5].numbers[0] = read[5].numbers[0] == 1 ? 2 : 1; // 2256, with other numbers
        std::sort(read[5].numbers.begin(), read[5].numbers.end());
        QCOMPARE(compare(m_contests.mid(0, 20), read).added.size(), 30);
        for (const bool replace : { false, true }) {
            QString asked;
            const QList<Contest> all = merged(store.load(), compare(store.load(), read), replace);
            QVERIFY(store.keep(m_contests.mid(0, 20)).isEmpty());
            QCOMPARE(all.size(), 50);
            QCOMPARE(all[5] == read[5], replace);
            asked.clear();
            const QByteArray csv = csvOf({ read[5] });
            importResults(csv, store, [&](const QString &question) {
                asked = question;
                return replace;
            });
            QVERIFY2(asked.contains(QStringLiteral("GUARDADO COMO ")
                                    + contestInWords(m_contests[5])),
                     qPrintable(asked));
            QCOMPARE(store.load()[5].numbers == read[5].numbers, replace);
        }
        // Cut short, as by a program killed while writing it without QSaveFile.
        QFile damaged(store.file());
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        QVERIFY(damaged.resize(damaged.size() - 10));
        damaged.close();
        QVERIFY_THROWS_EXCEPTION(CommandError, store.load());
        // Importing again, as the message says, puts whole contests back.
        const QString summary = importResults(csvOf(m_contests.mid(0, 3)), store,
                                              [](const QString &) { return false; });
        QVERIFY2(summary.contains(QStringLiteral("NÃO SE LIAM E FORAM TROCADOS")),
                 qPrintable(summary));
        QCOMPARE(store.load().size(), 3);
        QCOMPARE(store.load().last().numbers, m_contests[2].numbers);
    }

    void damagedKept_data()
    {
        QTest::addColumn<QByteArray>("from"); // replaced by
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("cut after a whole contest") << QByteArray("\nFIM\n") << QByteArray("\n");
        QTest::newRow("another head")
                << QByteArray("DEZENARIO RESULTADOS 1\n") << QByteArray("DEZENARIO RESULTADOS 2\n");
        QTest::newRow("no head") << QByteArray("DEZENARIO RESULTADOS 1\n") << QByteArray();
        QTest::newRow("a contest twice") << QByteArray("\n2252;") << QByteArray("\n2251;");
    }
    // A kept file that is not whole, or not of this program's making, is never read in part: the
    // contests after the fault would be lost without a word.
    void damagedKept()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        const KeptDraws store(m_folder.filePath(QStringLiteral("damaged.txt")));
        QVERIFY(store.keep(m_contests.mid(0, 3)).isEmpty());
        QCOMPARE(store.load().size(), 3);
        QFile file(store.file());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        QVERIFY(text.contains(from));
        text.replace(from, to);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        QVERIFY_THROWS_EXCEPTION(CommandError, store.load());
    }

    // Seven numbers a game, four contests: each game's bets of six listed one by one and their
    // hits counted, each prize paid at that contest's amount.
    void teimosinhaOfFour()
    {
        const QList<Contest> contests = teimosinha(m_contests, 2289, 4);
        QCOMPARE(contests.size(), 4);
        QCOMPARE(contests[2].number, 2291);
        // Numbers not drawn in a contest, to fill a game with.
        auto notIn = [](const Contest &contest, int count) {
            QList<quint8> numbers;
            for (quint8 n = 1; numbers.size() < count; ++n)
                if (!(contest.mask() >> n & 1))
                    numbers << n;
            return numbers;
        };
        const auto &drawn = contests[2].numbers, &first = contests[0].numbers;
        const QList<QList<quint8>> games {
            QList<quint8> { drawn[0], drawn[1], drawn[2], drawn[3], drawn[4], drawn[5] }
                    + notIn(contests[2], 1),
            QList<quint8> { drawn[0], drawn[1], drawn[2], drawn[3], drawn[4] }
                    + notIn(contests[2], 2),
            QList<quint8> { first[0], first[1], first[2], first[3] } + notIn(contests[0], 3)
        };
        KeptRun run;
        run.numbersPerGame = 7;
        run.slips = { { 1,
                        { KeptRun::Game { games[0], {} }, KeptRun::Game { games[1], {} },
                          KeptRun::Game { games[2], {} } } } };
        const AcrossCheck check = checkAcross(run, contests);
        qint64 total = 0;
        for (qsizetype c = 0; c < 4; ++c) {
            std::array<qint64, 3> won {};
            qint64 money = 0;
            bool unpaid = false;
            for (const QList<quint8> &game : games)
                for (int left = 0; left < 7; ++left) { // the bet without that number
                    int hits = 0;
                    for (int i = 0; i < 7; ++i)
                        hits += i != left
                                && std::count(contests[c].numbers.begin(),
                                              contests[c].numbers.end(), game[i]);
                    if (hits < 4)
                        continue;
                    ++won[size_t(6 - hits)];
                    const qint64 prize = contests[c].prize[size_t(6 - hits)];
                    unpaid |= prize < 0;
                    money += std::max<qint64>(prize, 0);
                }
            const ContestTally &tally = check.tallies[c];
            QCOMPARE((std::array { tally.prizes.senas, tally.prizes.quinas, tally.prizes.quadras }),
                     won);
            QCOMPARE(tally.centavos, money);
            QCOMPARE(tally.unpaid, unpaid);
            total += money;
        }
        // 2291 had no sena winner: its sena is said to have no amount, and counts no money.
        QCOMPARE(check.tallies[2].prizes.senas, 1);
        QVERIFY(check.tallies[2].unpaid);
        QVERIFY(check.tallies[2].centavos >= 6 * 7908435 + 2 * 7908435 + 5 * 127873);
        QCOMPARE(check.centavos, total);
        const QString words = acrossInWords(check, costInCentavos(3, 7, 600));
        QVERIFY2(words.contains(QStringLiteral("CUSTO: R$ 504,00. SALDO: ")), qPrintable(words));
        QVERIFY2(words.contains(QStringLiteral("MAIS PRÊMIO(S) SEM VALOR NO ARQUIVO")),
                 qPrintable(words));
        QVERIFY(acrossCsv(check).contains(
                "2291;1;1;\"[12] [26] [31] [36] [37] [49] 01\";6;1;6;0;"));
        QVERIFY_THROWS_EXCEPTION(CommandError, teimosinha(m_contests, 2299, 4)); // 2302 not kept
        QVERIFY_THROWS_EXCEPTION(CommandError, teimosinha(m_contests, 2251, 5));
    }

    void contestsChosen()
    {
        const QDate day = m_contests[10].date;
        QCOMPARE(drawnAfter(m_contests, QDateTime(day, QTime(18, 59))).first().number,
                 m_contests[10].number);
        QCOMPARE(drawnAfter(m_contests, QDateTime(day, QTime(19, 0))).first().number,
                 m_contests[11].number);
        QCOMPARE(contestsBetween(m_contests, 2260, 2262).size(), 3);
        QVERIFY_THROWS_EXCEPTION(CommandError, contestsBetween(m_contests, 2262, 2260));
        QVERIFY_THROWS_EXCEPTION(CommandError, contestsBetween(m_contests, 2250, 2260));
    }

    void numbersCounted()
    {
        const QList<Contest> contests = m_contests.mid(0, 3);
        const std::array<NumberCount, 61> counts = countNumbers(contests);
        for (int n = 1; n <= 60; ++n) {
            int draws = 0, since = -1;
            for (int c = 0; c < 3; ++c)
                if (std::count(contests[c].numbers.begin(), contests[c].numbers.end(), n))
                    ++draws, since = 2 - c;
            QCOMPARE(counts[size_t(n)].draws, draws);
            QCOMPARE(counts[size_t(n)].since, since);
        }
    }
};

QTEST_GUILESS_MAIN(TestResults)
#include "tst_results.moc"
