// LIMPA and VISITE against fakes.
#include "clearcommand.h"
#include "fakes.h"
#include "visitcommand.h"

#include <QTest>

using namespace dezenario;
using namespace dezenario::test;

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void clear_data();
    void clear();
    void everyVisitOpensTheSite();
    void aBrowserThatCannotStartIsAnError();
};

void TestCommands::clear_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("full") << "01) 01-02\r\n02) 03-04";
}

void TestCommands::clear()
{
    QFETCH(QString, text);
    FakeTextBox box;
    box.content = text;
    runClear(box);
    QCOMPARE(box.content, QString());
    QCOMPARE(box.refreshes, 0);
}

void TestCommands::everyVisitOpensTheSite()
{
    FakeBrowser browser;
    runVisit(browser, QStringLiteral("http://example.com.br/site"));
    runVisit(browser, QStringLiteral("http://example.com.br/site"));
    QCOMPARE(browser.opened, (QStringList{"http://example.com.br/site", "http://example.com.br/site"}));
}

void TestCommands::aBrowserThatCannotStartIsAnError()
{
    FakeBrowser browser;
    browser.fail = true;
    QVERIFY_THROWS_EXCEPTION(CommandError, runVisit(browser, QStringLiteral("http://example.com.br/site")));
}

QTEST_APPLESS_MAIN(TestCommands)
#include "tst_commands.moc"
