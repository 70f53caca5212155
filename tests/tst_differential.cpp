// Thousands of generated inputs: the fast commands against the literal model.
#include "differential.h"

#include <QRandomGenerator>
#include <QTest>

using namespace dezenario::test;

namespace {

class Generator
{
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }

    QString index()
    {
        return QString::number(m_random.bounded(1, 1000000)).left(1 + below(6));
    }
    QString separator()
    {
        static const QString alphabet = QStringLiteral(")-.: |/0");
        QString s;
        for (int n = 1 + below(3); n > 0; --n)
            s += alphabet.at(below(alphabet.size()));
        return s;
    }
    QString lineBreak()
    {
        static const char *breaks[] = {"\r\n", "\r\n", "\r\n", "\r\n", "\n", "\r", "\r\r\n", "\r\n\r\n", ""};
        return QString::fromLatin1(breaks[below(9)]);
    }
    QString numbers(QChar between)
    {
        QString s;
        const int count = below(5) == 0 ? below(40) : below(10);
        for (int k = 0; k < count; ++k) {
            if (k)
                s += between;
            s += QStringLiteral("%1").arg(below(102), below(8) ? 2 : 1 + below(3), 10, QLatin1Char('0'));
        }
        return s;
    }
    QString combinations(const QString &separator)
    {
        QString text;
        const int lines = below(30);
        for (int i = 0; i < lines; ++i) {
            if (below(10))
                text += index() + (below(12) ? separator : separator.left(1)) + QStringLiteral(" ");
            text += numbers(below(2) ? u'-' : u' ');
            if (below(15) == 0)
                text += QStringLiteral(" ");
            text += lineBreak();
        }
        return text;
    }
    QString bets()
    {
        QString text;
        const int count = below(60);
        static const char *odd[] = {"", " ", "\t", "\r\n", "-", "x", "00", "61", "7"};
        for (int i = 0; i < count; ++i) {
            if (below(10) == 0)
                text += QString::fromLatin1(odd[below(9)]);
            text += QStringLiteral("%1").arg(below(62), 2, 10, QLatin1Char('0'));
            if (below(20))
                text += u'-';
        }
        return text;
    }

private:
    QRandomGenerator m_random;
};

} // namespace

class TestDifferential : public QObject
{
    Q_OBJECT
private slots:
    void analysis();
    void printing();
};

void TestDifferential::analysis()
{
    Generator g(1);
    for (int i = 0; i < 4000; ++i) {
        const QString separator = g.below(20) ? g.separator() : QString();
        const QString text = g.combinations(separator.isEmpty() ? QStringLiteral(")") : separator);
        const QString difference = compareAnalysis(text, separator);
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("input %1, separator %2, text %3: %4")
                                                      .arg(i).arg(separator, text.toHtmlEscaped(), difference)));
    }
}

void TestDifferential::printing()
{
    Generator g(2);
    for (int i = 0; i < 3000; ++i) {
        const QString text = g.bets();
        const int numbersPerGame = 6 + g.below(4);
        const int slipCount = g.below(8);
        const QString difference = comparePrint(text, numbersPerGame, slipCount);
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("input %1: %2").arg(i).arg(difference)));
    }
}

QTEST_APPLESS_MAIN(TestDifferential)
#include "tst_differential.moc"
