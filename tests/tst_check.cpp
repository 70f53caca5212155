// CONFERIR without a window: the prizes against a count over every six-number bet of a game, the
// draw as users type it and what is refused, and the CSV as a real CSV reader reads it back.
#include "commanderror.h"
#include "drawcheck.h"

#include <QtTest>

using namespace dezenario;

namespace {
// A run of one slip a game: the numbers marked, and texts that no box has.
KeptRun runOf(const QList<QList<quint8>> &games, const QStringList &unmarked = {})
{
    KeptRun run;
    for (int i = 0; i < games.size(); ++i)
        run.slips.push_back(
                { i + 1, { KeptRun::Game { games[i], i ? QStringList() : unmarked } } });
    return run;
}
} // namespace

class TestCheck : public QObject
{
    Q_OBJECT
private slots:
    // Every k from 6 to 9 and h from 0 to min(k, 6), against all C(k, 6) bets of the game.
    void bruteForce()
    {
        const Draw draw = readDraw("01 02 03 04 05 06", "");
        for (int k = 6; k <= 9; ++k) {
            for (int h = 0; h <= std::min(k, 6); ++h) {
                QList<quint8> game; // h of the drawn numbers, then others
                for (int i = 0; i < k; ++i)
                    game << quint8(i < h ? i + 1 : 40 + i);
                Prizes counted;
                for (int bets = 0; bets < 1 << k; ++bets) {
                    if (std::popcount(unsigned(bets)) != 6)
                        continue;
                    int hits = 0;
                    for (int i = 0; i < k; ++i)
                        hits += (bets >> i & 1) && i < h;
                    counted.senas += hits == 6, counted.quinas += hits == 5,
                            counted.quadras += hits == 4;
                }
                const QList<CheckedGame> checked = checkRun(runOf({ game }), draw);
                QVERIFY2(checked.size() == 1 && checked[0].hits == h
                                 && checked[0].prizes == counted,
                         qPrintable(QString::asprintf("k %d, h %d", k, h)));
            }
        }
        QCOMPARE(prizesFor(7, 5), (Prizes { 0, 2, 5 }));
        QCOMPARE(prizesFor(8, 6), (Prizes { 1, 12, 15 }));
    }

    // A text that no box has is no bet: the game is checked on its other numbers, and flagged.
    void unmarkedFlagged()
    {
        const QList<CheckedGame> checked = checkRun(runOf({ { 5, 17, 23, 38, 44 }, {} }, { "61" }),
                                                    readDraw("5 17 23 38 44 60", "1"));
        QCOMPARE(checked.size(), 1); // the blank game is left out
        QCOMPARE(checked[0].hits, 5);
        QCOMPARE(numbersInWords(checked[0]), "[05] [17] [23] [38] [44] \"61\" (NÃO MARCADO)");
    }

    // A blank game before a marked one on the same slip: the marked one is still checked, under
    // its own place on the slip.
    void blankBeforeMarked()
    {
        KeptRun run;
        run.slips.push_back(
                { 7, { KeptRun::Game {}, KeptRun::Game { { 1, 2, 3, 4, 5, 9 }, {} } } });
        const QList<CheckedGame> checked = checkRun(run, readDraw("1 2 3 4 5 6", ""));
        QCOMPARE(checked.size(), 1);
        QCOMPARE(checked[0].slip, 7);
        QCOMPARE(checked[0].game, 2);
        QCOMPARE(checked[0].hits, 5);
    }

    void draws_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("contest");
        QTest::addColumn<QString>("read"); // or the start of why it is refused
        const char *rows[][3] = {
            { "05 17 23 38 44 60", "2800", "05 17 23 38 44 60 2800" },
            { "60-44-38-23-17-5", "", "05 17 23 38 44 60 0" },
            { " 05,17;23.38/44  60 ", " 7 ", "05 17 23 38 44 60 7" },
            { "05 17 23 38 44", "", "HÁ 5 DEZENA(S), E NÃO SEIS." },
            { "05 17 23 38 44 60 01", "", "HÁ 7 DEZENA(S), E NÃO SEIS." },
            { "05 17 23 38 44 05", "", "A DEZENA 05 ESTÁ DUAS VEZES." },
            { "05 17 23 38 44 61", "", "61 NÃO ESTÁ ENTRE 01 E 60." },
            { "00 17 23 38 44 60", "", "00 NÃO ESTÁ ENTRE 01 E 60." },
            { "05 17 23 38 44 sessenta", "", "\"SESSENTA\" NÃO É UMA DEZENA." },
            { "05 17 23 38 44 060", "", "\"060\" NÃO É UMA DEZENA." },
            { "05 17 23 38 44 60", "dois", "O CONCURSO \"dois\" NÃO É UM NÚMERO." },
        };
        for (const auto &[typed, contest, read] : rows)
            QTest::newRow(typed) << typed << contest << QString(read);
    }
    void draws()
    {
        QFETCH(QString, typed);
        QFETCH(QString, contest);
        QFETCH(QString, read);
        try {
            const Draw draw = readDraw(typed, contest);
            QStringList seen;
            for (const quint8 n : draw.numbers)
                seen << QString::asprintf("%02d", n);
            QCOMPARE(seen.join(u' ') + u' ' + QString::number(draw.contest), read);
        } catch (const CommandError &error) {
            QCOMPARE(error.description().section(u':', 1).trimmed().left(read.size()), read);
        }
    }

    // Twelve games saved, read back by Python's csv module: twelve rows, their counts, the names.
    void csv()
    {
        QList<QList<quint8>> games;
        for (int i = 0; i < 12; ++i)
            games << QList<quint8> { 1, 2, 3, 4, quint8(5 + i), quint8(20 + i), 59 };
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(toCsv(checkRun(runOf(games, { "ação;\"x\"" }), readDraw("1 2 3 4 5 6", ""))));
        file.close();
        QProcess python;
        python.start("python3",
                     { "-c",
                       "import csv, sys\n"
                       "rows = list(csv.reader(open(sys.argv[1], encoding="
                       "'utf-8-sig'), delimiter=';'))\n"
                       "print('|'.join(','.join(r[:2] + r[3:]) for r in rows))\n"
                       "print(rows[1][2])",
                       file.fileName() });
        QVERIFY(python.waitForFinished(60000) && python.exitCode() == 0);
        const QStringList read = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n');
        // Games 1 and 2 hold 5 of the draw (2 quinas, 5 quadras in a game of 7), the others 4.
        QString rows = "VOLANTE,JOGO,ACERTOS,SENAS,QUINAS,QUADRAS|1,1,5,0,2,5|2,1,5,0,2,5";
        for (int slip = 3; slip <= 12; ++slip)
            rows += QStringLiteral("|%1,1,4,0,0,3").arg(slip);
        QCOMPARE(read[0], rows);
        QCOMPARE(read[1], QString("[01] [02] [03] [04] [05] 20 59 \"ação;\"x\"\" (NÃO MARCADO)"));
    }
};

QTEST_GUILESS_MAIN(TestCheck)
#include "tst_check.moc"
