// The runs kept: their record read back as written, what is not a whole record of ours refused,
// two programs writing at once and one killed while writing, and what a run costs.
#include "commanderror.h"
#include "runstore.h"

#include <QtTest>

using namespace dezenario;

namespace {
// Keeps runs of many slips in the folder, one after another, until it is stopped.
int keepRuns(const QString &folder, int runs)
{
    KeptRun run { QDateTime::currentDateTime(), "DEZENARIO-PDF", {}, 6, "3", {}, {} };
    run.slips.resize(20000, { 1, { KeptRun::Game { { 1, 2, 3, 4, 5, 60 }, { "61" } } } });
    for (int i = 0; i < runs || runs < 0; ++i)
        if (!RunStore(folder).keep(run).isEmpty())
            return 1;
    return 0;
}
} // namespace

class TestRuns : public QObject
{
    Q_OBJECT
    QTemporaryDir m_folder;
    KeptRun m_run { QDateTime(QDate(2026, 12, 8), QTime(19, 30, 5, 120)),
                    "\\\\SERVIDOR\\Volantes",
                    { 1.5, -0.8, 100.5, 99 },
                    7,
                    "6,0",
                    "20261208-192801-120-4711-0.txt",
                    {} };

private slots:
    void initTestCase()
    {
        m_run.slips = { { 4, { KeptRun::Game { { 1, 60, 1 }, { "\r\n35", " ", "é%-" } }, {}, {} } },
                        { 5, { KeptRun::Game { {}, { "7" } }, KeptRun::Game { { 9 }, {} }, {} } } };
        QCOMPARE(m_run.gamesMarked(), 2);
    }

    void readBack()
    {
        KeptRun back;
        QVERIFY(back.fromText(m_run.toText()));
        QCOMPARE(back.toText(), m_run.toText());
        QCOMPARE(back.slips[0].games[0].unmarked, m_run.slips[0].games[0].unmarked);
        QCOMPARE(back.alignment, m_run.alignment);
        QCOMPARE(back.printer + back.quantity + back.reprintOf,
                 m_run.printer + "6,0" + m_run.reprintOf);
        QVERIFY(m_run.toText().contains(
                "\nVOLANTE 4 JOGO 1: 01-60-01- NÃO MARCADOS: %0D%0A35 %20 "));
    }

    // What is not a whole record of ours is refused, and listed as such beside one that is.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("listed"); // told unreadable from its head and end alone
        const QByteArray whole = m_run.toText();
        QRandomGenerator random(36);
        QByteArray noise(4000, 0);
        random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        QTest::newRow("cut in half") << whole.left(whole.size() / 2) << true;
        QTest::newRow("cut before its end") << whole.chopped(1) << true;
        QTest::newRow("random bytes") << noise << true;
        QTest::newRow("a number no box has")
                << QByteArray(whole).replace("01-60-", "01-61-") << false;
        QTest::newRow("a slip less than it says")
                << QByteArray(whole).replace("VOLANTES: 2", "VOLANTES: 3") << false;
        QTest::newRow("a game out of place")
                << QByteArray(whole).replace("JOGO 2", "JOGO 3") << false;
        QTest::newRow("another version")
                << QByteArray(whole).replace("IMPRESSOS 1", "IMPRESSOS 2") << true;
        QTest::newRow("empty") << QByteArray() << true;
    }
    void refused()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, listed);
        KeptRun back;
        QVERIFY(!back.fromText(text));
        QTemporaryDir folder;
        QString kept;
        QVERIFY(RunStore(folder.path()).keep(m_run, &kept).isEmpty());
        QFile bad(folder.filePath("99991231-235959-999-1-0.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(text) == text.size());
        bad.close();
        const QList<RunStore::Listed> runs = RunStore(folder.path()).list();
        QCOMPARE(runs.size(), 2);
        QVERIFY(runs[0].readable != listed && runs[1].readable && runs[1].file == kept);
        QCOMPARE(runs[1].slips + runs[1].games, 4);
        QVERIFY(!RunStore(folder.path()).load(runs[0].file, back));
        QVERIFY(RunStore(folder.path()).load(kept, back) && back.toText() == m_run.toText());
    }

    // Two programs keeping two runs each at once: four whole records. A program killed while it
    // writes leaves whole records alone. A folder that cannot be made: the reason.
    void keptWhole()
    {
        QList<QProcess *> programs;
        for (const char *runs : { "2", "2", "-1" }) {
            programs << new QProcess(this);
            programs.last()->start(QCoreApplication::applicationFilePath(),
                                   { "--keep", runs, m_folder.filePath(runs) });
        }
        for (QProcess *program : programs.first(2))
            QVERIFY(program->waitForFinished(60000) && program->exitCode() == 0);
        QDir killed(m_folder.filePath("-1"));
        QVERIFY(QTest::qWaitFor([&] { return !killed.entryList({ "*.txt" }).isEmpty(); }, 60000));
        programs.last()->kill(); // SIGKILL
        programs.last()->waitForFinished();
        for (const QString folder : { "2", "-1" }) {
            const QList<RunStore::Listed> listed = RunStore(m_folder.filePath(folder)).list();
            QVERIFY(folder == u"-1" ? !listed.isEmpty() : listed.size() == 4);
            for (const RunStore::Listed &run : listed)
                QVERIFY(run.readable && run.slips == 20000);
        }
        QFile file(m_folder.filePath("a file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(RunStore(file.fileName() + "/impressos")
                        .keep(m_run)
                        .startsWith("NÃO FOI POSSÍVEL GRAVAR EM "));
    }

    void cost_data()
    {
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("numbers");
        QTest::addColumn<QString>("cost");
        QTest::newRow("12 games of 7") << 12 << 7 << "R$ 504,00";
        QTest::newRow("1 game of 9") << 1 << 9 << "R$ 504,00";
        QTest::newRow("30 games of 7") << 30 << 7 << "R$ 1.260,00";
        QTest::newRow("3 games of 8") << 3 << 8 << "R$ 504,00";
        QTest::newRow("none") << 0 << 6 << "R$ 0,00";
    }
    void cost()
    {
        QFETCH(int, games);
        QFETCH(int, numbers);
        QFETCH(QString, cost);
        QCOMPARE(reais(costInCentavos(games, numbers, 600)), cost);
    }

    void price_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("centavos"); // -1: refused
        QTest::newRow("whole") << "6" << qint64(600);
        QTest::newRow("comma") << "6,5" << qint64(650);
        QTest::newRow("point") << " R$ 6.50 " << qint64(650);
        QTest::newRow("most") << "999,99" << qint64(99999);
        QTest::newRow("least") << "0,01" << qint64(1);
        QTest::newRow("negative") << "-5" << qint64(-1);
        QTest::newRow("thousand") << "1.000,00" << qint64(-1);
        QTest::newRow("too much") << "99999999" << qint64(-1);
        QTest::newRow("zero") << "0" << qint64(-1);
        QTest::newRow("three decimals") << "6,001" << qint64(-1);
        QTest::newRow("word") << "seis" << qint64(-1);
    }
    void price()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, centavos);
        try {
            QCOMPARE(readPrice(typed), centavos);
        } catch (const CommandError &error) {
            QCOMPARE(centavos, -1);
            QVERIFY2(error.description().contains(QStringLiteral("DE R$ 0,01 A R$ 999,99")),
                     qPrintable(error.description()));
        }
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--keep")
        return keepRuns(QString::fromLocal8Bit(argv[3]), atoi(argv[2]));
    TestRuns test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_runs.moc"
