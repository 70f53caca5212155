// Separator removal and census against recording fakes.
#include "analysiscommand.h"
#include "combinationbuffer.h"
#include "fakes.h"
#include "literalmodel.h"
#include "numbercensus.h"
#include "separatorremoval.h"

#include <QTest>

using namespace dezenario;
using namespace dezenario::test;

namespace {
QString lines(std::initializer_list<const char *> parts)
{
    QStringList list;
    for (const char *part : parts)
        list << QString::fromUtf8(part);
    return list.join(QStringLiteral("\r\n"));
}

const QString Worked = lines({"01) 01-05-35-51-38-07", "02) 03-11-20-33-41-59", "03) 02-08-15-27-44-60"});
const QString WorkedAnalysis = QStringLiteral(" 01-05-35-51-38-07// 03-11-20-33-41-59// 02-08-15-27-44-60");

struct Run
{
    FakeTextBox text;
    FakeListBox list;
    FakeLabel label1, label4;
    FakePromptBox prompt;
    FakeSpeaker speaker;

    void analyse(const QString &input, const QStringList &answers)
    {
        text.content = input;
        list.items = {QStringLiteral("old entry")};
        label4.caption = QStringLiteral("IMPRESSOS");
        prompt.answers = answers;
        runAnalysis({text, list, label1, label4, prompt, speaker});
    }
};
} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT
private slots:
    void removeSeparators_data();
    void removeSeparators();
    void census_data();
    void census();
    void command_data();
    void command();
    void asksForTheSeparator();
    void indexesPastFiftyThousandLinesAreRemoved();
};

void TestAnalysis::removeSeparators_data()
{
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("analysis");
    QTest::addColumn<QString>("left"); // what the passes leave in the buffer

    QTest::newRow("worked example keeps every last digit") << Worked << ")" << WorkedAnalysis << " 02-08-15-27-44-60";
    QTest::newRow("dash separator")
        << lines({"02-  01 05 35 51 38 07", "03-  04 12 21 34 42 58", "04-  09 13 22 36 45 57"}) << "-"
        << "  01 05 35 51 38 07//  04 12 21 34 42 58//  09 13 22 36 45 57" << "  09 13 22 36 45 57";
    QTest::newRow("separator not found") << lines({"02-  01 05", "03-  04 12"}) << ")"
                                         << lines({"02-  01 05", "03-  04 12"}) << lines({"02-  01 05", "03-  04 12"});
    QTest::newRow("line ending in a space")
        << lines({"01) 01-05-35-51-38-07 ", "02) 03-11-20-33-41-59"}) << ")"
        << " 01-05-35-51-38-07 // 03-11-20-33-41-59" << " 03-11-20-33-41-59";
    QTest::newRow("indexes of one and three digits")
        << lines({"1) 01-05-35-51-38-07", "100) 03-11-20-33-41-59", "2) 02-08-15-27-44-60"}) << ")" << WorkedAnalysis
        << " 02-08-15-27-44-60";
    QTest::newRow("heading before the first index")
        << lines({"MEGA SENA", "01) 01-05-35-51-38-07", "02) 03-11-20-33-41-59"}) << ")"
        << " 01-05-35-51-38-07// 03-11-20-33-41-59" << " 03-11-20-33-41-59";
    QTest::newRow("short line cut by the next index")
        << lines({"01) 10-11-1", "02) 20-21-22-23-24-25", "03) 30-31-32-33-34-35"}) << ")"
        << " 20-21-2/2-23-24-25// 30-31-32-33-34-35" << " 30-31-32-33-34-35";
    QTest::newRow("separator first in a pass ends the passes")
        << lines({"01) 01-05-35-51-38-07", "02)) 03-11-20-33-41-59", "03) 02-08-15-27-44-60"}) << ")"
        << " 01-05-35-51-38-07//" + lines({") 03-11-20-33-41-59", "03) 02-08-15-27-44-60"})
        << lines({") 03-11-20-33-41-59", "03) 02-08-15-27-44-60"});
    QTest::newRow("separator of two characters") << Worked << ") " << WorkedAnalysis << " 02-08-15-27-44-60";
    QTest::newRow("empty buffer") << "" << ")" << "" << "";
    QTest::newRow("no line break: nothing cut after the first index")
        << "01) 05 02) 06 03) 07" << ")" << " 05 02) 06 03) 07" << " 05 02) 06 03) 07";
    QTest::newRow("lines of LF alone") << "01) 05-06\n02) 07-08" << ")" << " 05-06\n02) 07-08" << " 05-06\n02) 07-08";
    QTest::newRow("index with nothing behind it")
        << lines({"01) 01-05-35-51-38-07", "02)", "03) 02-08-15-27-44-60"}) << ")"
        << " 01-05-35-51-38-07/// 02-08-15-27-44-60" << " 02-08-15-27-44-60";
    QTest::newRow("a pass that removes nothing ends the passes")
        << "01)\r\n0123456789012345) 07" << ")" << "/\r\n0123456789012345) 07" << "\r\n0123456789012345) 07";
    QTest::newRow("surrogate pairs count as two")
        << QString::fromUtf8("01) 😀 01-02\r\n02) 03-04") << ")" << QString::fromUtf8(" 😀 01-02// 03-04") << " 03-04";
}

void TestAnalysis::removeSeparators()
{
    QFETCH(QString, buffer);
    QFETCH(QString, separator);
    QFETCH(QString, analysis);
    QFETCH(QString, left);

    FakeTextBox box;
    box.content = buffer;
    CombinationBuffer combination(box);
    const QString got = dezenario::removeSeparators(combination, combination.text(), separator);
    QCOMPARE(got, analysis);
    QCOMPARE(box.content, left);
    QCOMPARE(combination.text().toString(), left);
    // The literal rules agree.
    QString literal = buffer;
    QCOMPARE(model::removeSeparators(literal, separator), analysis);
}

void TestAnalysis::census_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("worked example") << WorkedAnalysis
                                    << QStringList{"01", "02", "03", "05", "07", "08", "11", "15", "20", "27",
                                                   "33", "35", "38", "41", "44", "51", "59", "60"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("numbers above 60 and no 00 or lone digit")
        << "61 99 00 5 /7" << QStringList{"61", "99"};
    QTest::newRow("every neighbouring pair in a run of digits")
        << " 01053551380" << QStringList{"01", "05", "10", "13", "35", "38", "51", "53", "55", "80"};
    QTest::newRow("100 is listed as itself") << "100 10 05" << QStringList{"05", "10", "100"};
    QTest::newRow("100 alone also finds 10") << "100" << QStringList{"10", "100"};
    QTest::newRow("non-ASCII digits are not numbers") << QString::fromUtf8("١٢ １２") << QStringList{};
}

void TestAnalysis::census()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QCOMPARE(findDezenas(text), entries);
    QCOMPARE(model::census(text), entries);
}

void TestAnalysis::command_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("entries");

    const QStringList worked{"01", "02", "03", "05", "07", "08", "11", "15", "20", "27",
                             "33", "35", "38", "41", "44", "51", "59", "60"};
    QTest::newRow("default separator") << Worked << QStringList{")"} << worked;
    QTest::newRow("cancel analyses the indexes too")
        << Worked << QStringList{} << worked;
    QTest::newRow("default kept for dash indexes counts the indexes")
        << lines({"02-  01 05", "03-  04 12"}) << QStringList{")"} << QStringList{"01", "02", "03", "04", "05", "12"};
    QTest::newRow("empty buffer") << "" << QStringList{")"} << QStringList{};
}

void TestAnalysis::command()
{
    QFETCH(QString, text);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, entries);

    Run run;
    run.analyse(text, answers);
    QCOMPARE(run.list.items, entries);
    QCOMPARE(run.list.clears, 1);
    QCOMPARE(run.label1.caption, QString::number(entries.size()));
    QCOMPARE(run.label4.caption, QStringLiteral("ENCONTRADAS"));
    QCOMPARE(run.text.content, QString());
    QCOMPARE(run.speaker.announced, QStringList{QStringLiteral("DEZENAS ENCONTRADAS: %1").arg(entries.size())});
    QCOMPARE(run.speaker.beeps, 1);
}

void TestAnalysis::asksForTheSeparator()
{
    Run run;
    run.analyse(Worked, {")"});
    QCOMPARE(run.prompt.asked.size(), 1);
    const QStringList &asked = run.prompt.asked.first();
    QCOMPARE(asked.at(0).split(u'\n'),
             (QStringList{"DIGITE O SEPARADOR .EX:", QString::fromUtf8("02) 01-05-35-51-38-07   O SEPARADOR É  )"),
                          QString::fromUtf8("02-  01 05 35 51 38 07  O SEPARADOR É  -"),
                          QString::fromUtf8("CASO NÃO AJA SEPARADORES ,DELETE O SEPARADOR ABAIXO ,OU CLIQUE EM CANCELAR")}));
    QCOMPARE(asked.at(1), QStringLiteral("ELIMINAR SEPARADORES"));
    QCOMPARE(asked.at(2), QStringLiteral(")"));
    QVERIFY(run.text.refreshes > 0);
}

void TestAnalysis::indexesPastFiftyThousandLinesAreRemoved()
{
    // Indexes from 70001 on: any index left in the analysis text would add
    // numbers such as 70 or 99 to the census.
    QStringList list;
    for (int i = 70001; i <= 130000; ++i)
        list << QStringLiteral("%1) 11-12-13-14-15-16").arg(i);
    Run run;
    run.analyse(list.join(QStringLiteral("\r\n")), {")"});
    QCOMPARE(run.list.items, (QStringList{"11", "12", "13", "14", "15", "16"}));
}

QTEST_APPLESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
