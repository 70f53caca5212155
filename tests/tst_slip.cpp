// Slip layout and the print job against a recording printer.
#include "fakes.h"
#include "literalmodel.h"
#include "sliplayout.h"
#include "slipprintjob.h"

#include <QTest>

using namespace dezenario;
using namespace dezenario::test;

Q_DECLARE_METATYPE(std::optional<dezenario::MarkPosition>)

namespace {
// The sixty numbers of the confirmation box: ten games of six.
const QString Sixty = QStringLiteral(
    "18-23-52-58-28-20-18-23-36-58-28-20-18-23-36-54-28-20-07-23-36-54-28-20-07-23-46-54-"
    "28-20-07-23-43-46-28-20-23-43-46-57-28-20-22-23-43-57-28-20-22-23-35-57-28-20-11-22-23-35-28-20-");

struct Run
{
    FakeTextBox text;
    FakeListBox list;
    FakeLabel label4;
    FakePromptBox prompt;
    FakeMessageBox messages;
    FakeOptions options;
    FakeWindow window;
    FakePrinter printer;
    FakeSpeaker speaker;

    void print(const QString &input, const QString &quantity, int option = 1,
               const QLocale &locale = QLocale::c())
    {
        text.content = input;
        list.items = {QStringLiteral("old entry")};
        options.selected = option;
        prompt.answers = {quantity};
        runPrintJob({text, list, label4, prompt, messages, options, window, printer, speaker}, locale);
    }
};
} // namespace

class TestSlip : public QObject
{
    Q_OBJECT
private slots:
    void numberPositions_data();
    void numberPositions();
    void countBoxes_data();
    void countBoxes();
    void everyNumberHasItsOwnBox();

    void slipCount_data();
    void slipCount();
    void runsMatchTheLiteralRules_data();
    void runsMatchTheLiteralRules();
    void workedRunOfNine();
    void textRunsOutMidRun();
    void promptsAndCaption();
    void cancelAndNo_data();
    void cancelAndNo();
    void badQuantityPrintsNothing_data();
    void badQuantityPrintsNothing();
    void noPrinterCutsNothing();
    void failedRunKeepsTheBets_data();
    void failedRunKeepsTheBets();
};

void TestSlip::numberPositions_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("dezena");
    QTest::addColumn<std::optional<MarkPosition>>("position");

    using P = MarkPosition;
    const struct { const char *dezena; P at[3]; } rows[] = {
        {"01", {{1140, 3730}, {2500, 3730}, {3850, 3730}}},
        {"02", {{1140, 3360}, {2500, 3360}, {3850, 3360}}},
        {"10", {{1140, 430}, {2500, 430}, {3850, 430}}},
        {"11", {{1320, 3730}, {2680, 3730}, {4030, 3730}}},
        {"35", {{1680, 2280}, {3040, 2280}, {4390, 2280}}},
        {"51", {{2060, 3730}, {3420, 3730}, {4770, 3730}}},
        {"60", {{2060, 430}, {3420, 430}, {4770, 430}}},
    };
    for (const auto &row : rows) {
        for (int game = 1; game <= 3; ++game)
            QTest::addRow("%s game %d", row.dezena, game) << game << row.dezena << std::optional<P>(row.at[game - 1]);
    }
    for (const char *bad : {"1", "7", "001", "00", "61", "99", "", "0a", "O1", " 07", "07 ", "\r\n35", "\t07"})
    {
        const QString text = QString::fromLatin1(bad);
        QString name = text;
        name.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n")).replace(u'\t', QStringLiteral("\\t"));
        QTest::addRow("none for \"%s\"", qPrintable(name)) << 1 << text << std::optional<P>();
    }
}

void TestSlip::numberPositions()
{
    QFETCH(int, game);
    QFETCH(QString, dezena);
    QFETCH(std::optional<MarkPosition>, position);
    QCOMPARE(SlipLayout::numberMarkPosition(game, dezena), position);
}

void TestSlip::countBoxes_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("y");
    QTest::newRow("6") << 6 << 3730;
    QTest::newRow("7") << 7 << 3360;
    QTest::newRow("8") << 8 << 3010;
    QTest::newRow("9") << 9 << 2640;
}

void TestSlip::countBoxes()
{
    QFETCH(int, count);
    QFETCH(int, y);
    QCOMPARE(SlipLayout::countMarkPosition(count), (MarkPosition{5290, y}));
}

void TestSlip::everyNumberHasItsOwnBox()
{
    QSet<QPair<int, int>> seen;
    for (int game = 1; game <= 3; ++game) {
        for (int n = 1; n <= 60; ++n) {
            const auto at = SlipLayout::numberMarkPosition(game, QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
            QVERIFY(at);
            QCOMPARE(at->y, SlipLayout::numberMarkPosition(1, QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')))->y);
            seen.insert({at->x, at->y});
        }
    }
    QCOMPARE(seen.size(), 180);
}

void TestSlip::slipCount_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("slips");

    const int expected[] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4};
    for (int q = 0; q <= 11; ++q)
        QTest::addRow("%d", q) << QString::number(q) << "C" << expected[q];
    QTest::newRow("seven and a half goes to even 2") << "7,5" << "pt_BR" << 2;
    QTest::newRow("four and a half goes to even 2") << "4,5" << "pt_BR" << 2;
    QTest::newRow("C locale decimal point") << "7.5" << "C" << 2;
    QTest::newRow("blanks around") << "  9 " << "C" << 3;
    QTest::newRow("negative") << "-3" << "C" << -1;
    QTest::newRow("exponent") << "3e2" << "C" << 100;
    QTest::newRow("grouping in pt_BR") << "3.000" << "pt_BR" << 1000;
}

void TestSlip::slipCount()
{
    QFETCH(QString, quantity);
    QFETCH(QString, locale);
    QFETCH(int, slips);
    QCOMPARE(slipCountFor(quantity, QLocale(locale)), slips);
}

void TestSlip::runsMatchTheLiteralRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<int>("option");

    const QString eighteen = Sixty.left(54);
    QTest::newRow("three games of six") << eighteen << "3" << 1;
    QTest::newRow("nine per game runs out in game 3") << eighteen << "3" << 4;
    QTest::newRow("seven per game") << Sixty << "6" << 2;
    QTest::newRow("eight per game") << Sixty << "3" << 3;
    QTest::newRow("quantity 11 runs past the text") << Sixty << "11" << 1;
    QTest::newRow("last number without a dash stays") << QStringLiteral("01-02-03-04-05-06-07-08-09-10-11-12-13-14-15-16-17-18")
                                                         << "3" << 1;
    QTest::newRow("two dashes in a row") << QStringLiteral("01--02-03-04-05-06-") << "3" << 1;
    QTest::newRow("blanks trimmed, tabs and breaks kept")
        << QStringLiteral(" 01 - 02-\t03-\r\n04-05 -06-") << "3" << 1;
    QTest::newRow("not numbers of the slip") << QStringLiteral("1-00-61-100-ab-07-") << "3" << 1;
    QTest::newRow("no dash at all") << QStringLiteral("01 02 03") << "6" << 1;
    QTest::newRow("quantity 1 prints none") << Sixty << "1" << 1;
}

void TestSlip::runsMatchTheLiteralRules()
{
    QFETCH(QString, text);
    QFETCH(QString, quantity);
    QFETCH(int, option);

    Run run;
    run.print(text, quantity, option);
    const model::PrintRun expected = model::print(text, option + 5, std::max(0, slipCountFor(quantity, QLocale::c())));
    QCOMPARE(run.list.items, expected.log);
    QCOMPARE(run.printer.printed, expected.pages);
    QCOMPARE(run.text.content, expected.textLeft);
    QVERIFY(!run.printer.pageOpen);
    QCOMPARE(run.speaker.announced, QStringList{QStringLiteral("VOLANTES IMPRESSOS: %1").arg(expected.pages.size())});
    QCOMPARE(run.speaker.beeps, 1);
}

void TestSlip::workedRunOfNine()
{
    Run run;
    run.print(Sixty, QStringLiteral("9"));
    QCOMPARE(run.printer.printed.size(), 3);
    QCOMPARE(run.list.items.mid(0, 8), (QStringList{"18", "23", "52", "58", "28", "20", "* ", "18"}));
    QCOMPARE(run.list.items.mid(19, 3), (QStringList{"20", "* ", "* 1* "}));
    QCOMPARE(run.list.items.last(), QStringLiteral("* 3* "));
    QCOMPARE(run.list.items.size(), 3 * (3 * 7 + 1));
    QCOMPARE(run.printer.printed.first().size(), 19);
    QCOMPARE(run.printer.printed.first().last(), QPoint(5290, 3730));
    QCOMPARE(run.text.content, Sixty.right(18));
}

void TestSlip::textRunsOutMidRun()
{
    // Quantity 11: slip 4 takes the tenth game; its games 2 and 3 stay blank.
    Run run;
    run.print(Sixty, QStringLiteral("11"));
    QCOMPARE(run.printer.printed.size(), 4);
    QCOMPARE(run.list.items.mid(66), (QStringList{"11", "22", "23", "35", "28", "20", "* ", "* ", "* ", "* 4* "}));
    const FakePrinter::Page last = run.printer.printed.last();
    QCOMPARE(last.size(), 7);
    for (const QPoint &mark : last.first(6))
        QVERIFY2(mark.x() < 2500, "only game 1 is marked");
    QCOMPARE(run.text.content, QString());
}

void TestSlip::promptsAndCaption()
{
    Run run;
    run.label4.caption = QStringLiteral("ENCONTRADAS");
    run.print(Sixty.left(54), QStringLiteral("3"));
    QCOMPARE(run.label4.caption, QStringLiteral("IMPRESSOS"));
    QCOMPARE(run.prompt.asked.size(), 1);
    QCOMPARE(run.prompt.asked.first(),
             (QStringList{QString::fromUtf8("DIGITE A QUANTIDADE DE VOLANTES VOCE QUER IMPRIMIR\nSÓ VALEM MULTIPLOS DE 3"),
                          "DEZENARIO", "3"}));
    QCOMPARE(run.messages.asked.size(), 2);
    const QStringList pieces = run.messages.asked.first().split(u'\n');
    QCOMPARE(pieces.size(), 5);
    QCOMPARE(pieces.at(0), QString::fromUtf8("COPIE E COLE OU DIGITE SOMENTE OS NUMEROS A SEREM IMPRESSOS , NÃO USE INDICE EX: "));
    QCOMPARE(pieces.at(1), QStringLiteral("01) 12-22-35-44-49-54  "));
    QCOMPARE(pieces.at(2), QString::fromUtf8(" DIGITE APENAS 12-22-35-44-49-54 SEM LINHAS DE SEPARAÇÃO E SEM ESPAÇOS"));
    QCOMPARE(pieces.at(3), Sixty);
    QCOMPARE(pieces.at(4), QStringLiteral("DESEJA CONTINUAR ? "));
    QCOMPARE(run.messages.asked.at(1), QStringLiteral("DEZENARIO"));
    QVERIFY(run.window.refreshes >= 18);
}

void TestSlip::cancelAndNo_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("yes");
    QTest::newRow("cancel at the quantity") << "" << true;
    QTest::newRow("no at the confirmation") << "3" << false;
}

void TestSlip::cancelAndNo()
{
    QFETCH(QString, quantity);
    QFETCH(bool, yes);
    Run run;
    run.messages.answer = yes ? MessageBox::Yes : MessageBox::No;
    run.print(Sixty, quantity);
    QCOMPARE(run.label4.caption, QStringLiteral("IMPRESSOS"));
    QCOMPARE(run.list.items, QStringList{"old entry"});
    QCOMPARE(run.text.content, Sixty);
    QCOMPARE(run.printer.paints, 0);
    QVERIFY(run.printer.printed.isEmpty());
    QCOMPARE(run.speaker.beeps, 0);
}

void TestSlip::badQuantityPrintsNothing_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<int>("error");
    QTest::newRow("letters") << "abc" << 13;
    QTest::newRow("number and letter") << "3x" << 13;
    QTest::newRow("blanks only") << "   " << 13;
    QTest::newRow("NaN") << "NaN" << 13;
    QTest::newRow("infinity sign") << QString::fromUtf8("∞") << 13;
    QTest::newRow("third beyond 32 bits") << "999999999999" << 6;
    QTest::newRow("infinite") << "1e400" << 13;
    QTest::newRow("a billion slips") << "1e9" << 6;
}

void TestSlip::badQuantityPrintsNothing()
{
    QFETCH(QString, quantity);
    QFETCH(int, error);
    Run run;
    try {
        run.print(Sixty, quantity);
        QFAIL("no error");
    } catch (const CommandError &e) {
        QCOMPARE(e.number(), error);
        QCOMPARE(e.description(), e.description().toUpper());
    }
    QCOMPARE(run.text.content, Sixty);
    QCOMPARE(run.printer.paints, 0);
}

void TestSlip::noPrinterCutsNothing()
{
    Run run;
    run.printer.installed = false;
    QVERIFY_THROWS_EXCEPTION(CommandError, run.print(Sixty, QStringLiteral("3")));
    QCOMPARE(run.text.content, Sixty);
    QCOMPARE(run.list.items, QStringList{"old entry"});
    QVERIFY(run.prompt.asked.isEmpty());
}

void TestSlip::failedRunKeepsTheBets_data()
{
    QTest::addColumn<int>("failAfterPaints");
    QTest::addColumn<bool>("refuses");
    QTest::newRow("device fails on slip 2") << 19 + 5 << false;
    QTest::newRow("printer refuses the pages") << -1 << true;
}

void TestSlip::failedRunKeepsTheBets()
{
    QFETCH(int, failAfterPaints);
    QFETCH(bool, refuses);
    Run run;
    run.printer.failAfterPaints = failAfterPaints;
    run.printer.refuses = refuses;
    try {
        run.print(Sixty, QStringLiteral("9"));
        QFAIL("no error");
    } catch (const CommandError &e) {
        QCOMPARE(e.number(), 482);
        QVERIFY2(e.description().contains(QStringLiteral("AS APOSTAS FORAM MANTIDAS")), qPrintable(e.description()));
    }
    QVERIFY(run.printer.printed.isEmpty());
    QVERIFY(run.printer.endedPages.isEmpty());
    QCOMPARE(run.text.content, Sixty);
    QCOMPARE(run.speaker.beeps, 0);
}

QTEST_APPLESS_MAIN(TestSlip)
#include "tst_slip.moc"
