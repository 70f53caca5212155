// The alignment's bounds against every box of the slip, and the settings that keep it, as another
// start of the program reads them back.
#include "alignment.h"
#include "sliplayout.h"
#include "slipsettings.h"

#include <QtTest>

using namespace dezenario;

namespace {
constexpr double Mm = 1440 / 25.4; // twips
const QSizeF Mark(144, 230.4); // the mark at its 100 dpi

QRectF corners()
{
    QRectF all;
    for (const SlipLayout::Box &box : SlipLayout::allBoxes())
        all |= QRectF(box.at.x, box.at.y, 0.001, 0.001);
    return all;
}

// Whether every mark of every box lands on the paper, each one placed on its own.
bool allOnPaper(const Alignment &alignment, QSizeF paper)
{
    const QRectF printable(QPointF(), paper);
    for (const SlipLayout::Box &box : SlipLayout::allBoxes())
        if (!printable.contains(QRectF(alignment.place(QPointF(box.at.x, box.at.y)), Mark)
                                        .adjusted(0.1, 0.1, -0.1, -0.1)))
            return false;
    return true;
}
} // namespace
Q_DECLARE_METATYPE(Alignment)

class TestAlignment : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    // Where SlipSettings keeps them, to write there by hand.
    static QString path()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                         QCoreApplication::organizationName(), QCoreApplication::applicationName())
                .fileName();
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        QCoreApplication::setOrganizationName(QStringLiteral("DEZENARIO-TESTES"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_alignment"));
    }
    void init() { QSettings(path(), QSettings::NativeFormat).clear(); }

    void misfit_data()
    {
        QTest::addColumn<Alignment>("alignment");
        QTest::addColumn<QSizeF>("paper"); // printable area, mm
        QTest::addColumn<QString>("told"); // the start of the words, and the bound told
        const QSizeF a4(210, 297), slip(110, 200), narrow(80, 200);
        QTest::newRow("none on A4") << Alignment() << a4 << "";
        QTest::newRow("right and down") << Alignment { 5, 3 } << a4 << "";
        QTest::newRow("off the right") << Alignment { 15 } << slip << "PELA DIREITA|14,1";
        QTest::newRow("off the left") << Alignment { -20.2 } << slip << "PELA ESQUERDA|-20,1";
        QTest::newRow("off the top") << Alignment { 0, -7.6 } << slip << "POR CIMA|-7,5";
        QTest::newRow("off the bottom")
                << Alignment { 0, 50 } << QSizeF(110, 100) << "POR BAIXO|30,1";
        QTest::newRow("stretched off the right")
                << Alignment { 5, 0, 110 } << slip << "PELA DIREITA|4,8";
        QTest::newRow("too wide either way") << Alignment { -22.5, 0, 110 } << narrow
                                             << "NA LARGURA|\"LARGURA\" VAI NO MÁXIMO ATÉ 105,8 %";
        QTest::newRow("too tall either way") << Alignment { 0, -8.5, 100, 110 } << QSizeF(110, 67)
                                             << "NA ALTURA|\"ALTURA\" VAI NO MÁXIMO ATÉ 108,1 %";
    }
    void misfit()
    {
        QFETCH(Alignment, alignment);
        QFETCH(QSizeF, paper);
        QFETCH(QString, told);
        const QSizeF printable = paper * Mm;
        const QString words = alignment.misfit(corners(), Mark, printable);
        QCOMPARE(words.isEmpty(), allOnPaper(alignment, printable));
        const QStringList parts = told.split(u'|');
        QVERIFY2(words.startsWith("AS MARCAS") == !told.isEmpty() && words.contains(parts[0]),
                 qPrintable(words));
        if (parts.size() < 2)
            return;
        if (parts[1].contains(u'%')) { // no shift fits at this stretch: the stretch that does is
            QVERIFY2(words.contains(parts[1]), qPrintable(words));
            return;
        }
        // The bound told fits, and a step past it does not.
        QVERIFY2(words.contains(QStringLiteral("ATÉ %1 MM").arg(parts[1])), qPrintable(words));
        const double told_ = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(parts[1]);
        double Alignment::*field = words.contains(u'"' + QStringLiteral("DIREITA") + u'"')
                ? &Alignment::right
                : &Alignment::down;
        const double step = words.contains(QStringLiteral("MÁXIMO")) ? 0.1 : -0.1;
        Alignment at = alignment, past = alignment;
        at.*field = told_;
        past.*field = told_ + step;
        QVERIFY(allOnPaper(at, printable));
        QVERIFY(!allOnPaper(past, printable));
    }

    // Every value that fits, and no other, over a grid of shifts and stretches on a slip's paper.
    void misfitAgreesWithEveryBox()
    {
        const QSizeF printable = QSizeF(110, 200) * Mm;
        for (double right = -22; right <= 16; right += 1.9)
            for (double down = -9; down <= 132; down += 7.1)
                for (double stretch : { 90.0, 97.5, 100.0, 104.3, 110.0 }) {
                    const Alignment alignment { right, down, stretch, 200 - stretch };
                    QCOMPARE(alignment.misfit(corners(), Mark, printable).isEmpty(),
                             allOnPaper(alignment, printable));
                }
    }

    void settings_data()
    {
        QTest::addColumn<QString>("stored"); // what the file holds for the printer's "direita"
        QTest::addColumn<double>("right"); // what the program takes
        QTest::addColumn<bool>("untrusted");
        QTest::newRow("a number") << "-12.5" << -12.5 << false;
        QTest::newRow("a word") << "abc" << 0.0 << true;
        QTest::newRow("a comma") << "5,0" << 0.0 << true;
        QTest::newRow("not a number") << "nan" << 0.0 << true;
        QTest::newRow("infinite") << "inf" << 0.0 << true;
        QTest::newRow("out of range") << "50.1" << 0.0 << true;
        QTest::newRow("empty") << "" << 0.0 << true;
    }
    void settings()
    {
        QFETCH(QString, stored);
        QFETCH(double, right);
        QFETCH(bool, untrusted);
        // Written by hand, or by another version, beside values that are good.
        QVERIFY(SlipSettings().save(QString(), "DEZENARIO-PDF", { 1, 2, 103, 97 }).isEmpty());
        QSettings(path(), QSettings::NativeFormat)
                .setValue("impressoras/DEZENARIO-PDF/direita", stored);
        const SlipSettings::Saved saved = SlipSettings().alignmentFor("DEZENARIO-PDF");
        QCOMPARE(saved.untrusted, untrusted);
        QCOMPARE(saved.alignment,
                 untrusted ? Alignment() : (Alignment { right, 2, 103, 97 })); // all or none
    }

    void printersKeptApart()
    {
        // Names that differ by a slash, a backslash or what encodes them; a shared Windows printer.
        const QStringList names {
            "A/B",      "A\\B",  "A%2FB", "A%5CB", "A//B", "a/b", "\\\\SERVIDOR\\Volantes",
            "Volantes", "Ação ç"
        };
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(SlipSettings().save(names[i], names[i], { double(i), -double(i) }).isEmpty());
        // Read back as at another start of the program: each keeps its own.
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(SlipSettings().alignmentFor(names[i]).alignment,
                     (Alignment { double(i), -double(i) }));
        QCOMPARE(SlipSettings().chosenPrinter(), names.last());
        QCOMPARE(SlipSettings().alignmentFor("B").alignment, Alignment());
    }

    void nowhereToWrite()
    {
        // The settings' folder is a file: no user, root included, can write there.
        const QString folder = QFileInfo(path()).absolutePath();
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString why = SlipSettings().save("DEZENARIO-PDF", "DEZENARIO-PDF", { 5, 3 });
        QVERIFY2(why.startsWith("NADA FOI SALVO: NÃO É POSSÍVEL GRAVAR EM ")
                         && why.contains(folder),
                 qPrintable(why));
        QCOMPARE(SlipSettings().chosenPrinter(), QString());
        QCOMPARE(SlipSettings().alignmentFor("DEZENARIO-PDF").alignment, Alignment());
        QVERIFY(QFile::remove(folder));
    }
};

QTEST_GUILESS_MAIN(TestAlignment)
#include "tst_alignment.moc"
