// Input a user should not give, through the real window: no crash, no hang,
// a clear message where the input cannot be used, nothing lost that stays.
#include "literalmodel.h"
#include "peakmemory.h"
#include "mainwindow.h"
#include "windowtesting.h"
#include "qtadapters.h"

#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>


using namespace dezenario;
using namespace dezenario::test;

class TestBadInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(); }
    void init();
    void cleanup() { delete m_window; }

    void analysis_data();
    void analysis();
    void tenMegabytePaste();
    void quantity_data();
    void quantity();
    void noDashAtAll();

private:
    QPlainTextEdit *text1() const { return m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1")); }
    void click(const char *button, const QList<ModalAnswers::Action> &actions);

    MainWindow *m_window = nullptr;
    QStringList m_boxes; // texts of the boxes answered
};

void TestBadInput::init()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestBadInput::click(const char *button, const QList<ModalAnswers::Action> &actions)
{
    ModalAnswers answers(actions);
    QTest::mouseClick(m_window->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    QVERIFY(answers.done());
    m_boxes = answers.seen;
}

void TestBadInput::analysis_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("separator");

    QTest::newRow("no line breaks") << "01) 05-06 02) 07-08 03) 09-10" << ")";
    QTest::newRow("lines of LF alone") << "01) 05-06\n02) 07-08\n03) 09-10\n" << ")";
    QTest::newRow("NUL and control characters")
        << QString::fromLatin1("01) 05\0006\x01\x1b\r\n02) 0\x07" "7-08\x7f", 30) << ")";
    QTest::newRow("non-Latin text") << QString::fromUtf8("01) ΑΒΓ 12-13\r\n02) Ж 14\r\n03) 中文 15-16") << ")";
    QTest::newRow("emoji count as two") << QString::fromUtf8("01) 😀😀 12-13-14-15-16-17\r\n02) 😀 18\r\n03) 19") << ")";
    QTest::newRow("separator longer than the text") << "01) 02" << ")))))))))))";
    QTest::newRow("separator of blanks") << "01  02  03" << "  ";
}

void TestBadInput::analysis()
{
    QFETCH(QString, pasted);
    QFETCH(QString, separator);

    QApplication::clipboard()->setText(pasted);
    text1()->paste();
    const QString seen = QtTextBox(text1()).text();
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    click("ANALIZAR", {ModalAnswers::type(separator)});
    const QStringList expected = model::analyse(seen, separator).entries;
    QCOMPARE(listEntries(m_window), expected);
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QString::number(expected.size()));
    QCOMPARE(text1()->toPlainText(), QString());
    QCOMPARE(beeps.count(), 1);
}

void TestBadInput::tenMegabytePaste()
{
    QString text;
    text.reserve(10'500'000);
    for (int i = 1; text.size() < 10'000'000; ++i)
        text += QStringLiteral("%1) %2-%3-%4-%5-%6-%7\r\n").arg(i).arg(i % 60 + 1, 2, 10, QLatin1Char('0'))
                    .arg(i % 7 + 1, 2, 10, QLatin1Char('0')).arg(i % 11 + 20, 2, 10, QLatin1Char('0'))
                    .arg(i % 13 + 31, 2, 10, QLatin1Char('0')).arg(i % 9 + 44, 2, 10, QLatin1Char('0'))
                    .arg(i % 5 + 55, 2, 10, QLatin1Char('0'));
    QApplication::clipboard()->setText(text);
    text1()->paste();
    QApplication::clipboard()->clear();
    const qsizetype characters = text.size();
    text = QString();
    QApplication::processEvents();
    PeakMemory memory;
    QVERIFY(memory.start());
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    click("ANALIZAR", {ModalAnswers::type(QStringLiteral(")"))});
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(listEntries(m_window).size(), 60);
    QCOMPARE(text1()->toPlainText(), QString());
    // The command's own copies: a few times the text's 20 MB of UTF-16 at most.
    const long grownKilobytes = memory.grownKilobytes();
    qInfo("peak memory grew by %ld kB for a text of %lld characters", grownKilobytes, qlonglong(characters));
    QVERIFY(grownKilobytes > 0);
    QVERIFY2(grownKilobytes * 1024 < 4 * characters * 2, qPrintable(QString::number(grownKilobytes)));
    // The window answers again at once.
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("LIMPA")), Qt::LeftButton);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestBadInput::quantity_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("error"); // start of the error box's text; empty when none is due

    QTest::newRow("-3") << "-3" << "";
    QTest::newRow("0") << "0" << "";
    QTest::newRow("1e9") << "1e9" << "ERRO 6\n";
    QTest::newRow("999999999999") << "999999999999" << "ERRO 6\n";
    QTest::newRow("NaN") << "NaN" << "ERRO 13\n";
    QTest::newRow("infinity sign") << QString::fromUtf8("∞") << "ERRO 13\n";
    QTest::newRow("letters") << "TRES" << "ERRO 13\n";
}

void TestBadInput::quantity()
{
    QFETCH(QString, quantity);
    QFETCH(QString, error);

    const QString bets = QStringLiteral("01-02-03-04-05-06-");
    text1()->setPlainText(bets);
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    QList<ModalAnswers::Action> actions{ModalAnswers::type(quantity), ModalAnswers::press(QString::fromUtf8("Sim"))};
    if (!error.isEmpty())
        actions << ModalAnswers::press(QStringLiteral("OK"));
    click("IMPRIMIR", actions);
    if (error.isEmpty()) {
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(m_boxes.size(), 4);
    } else {
        QCOMPARE(beeps.count(), 0);
        QVERIFY2(m_boxes.value(5).startsWith(error), qPrintable(m_boxes.value(5)));
        QCOMPARE(m_boxes.value(5), m_boxes.value(5).toUpper());
    }
    QCOMPARE(text1()->toPlainText(), bets);
    QVERIFY(listEntries(m_window).isEmpty());
}

void TestBadInput::noDashAtAll()
{
    text1()->setPlainText(QStringLiteral("01 02 03 04 05 06"));
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    click("IMPRIMIR", {ModalAnswers::type(QStringLiteral("3")), ModalAnswers::press(QString::fromUtf8("Sim"))});
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(listEntries(m_window), (QStringList{"* ", "* ", "* ", "* 1* "}));
    QCOMPARE(text1()->toPlainText(), QStringLiteral("01 02 03 04 05 06"));
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
