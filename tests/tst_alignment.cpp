// The alignment's bounds against every box of the slip, and the settings that keep it, as another
// start of the program reads them back.
#include "alignment.h"
#include "sliplayout.h"
#include "slipsettings.h"

#include <QtTest>

using namespace dezenario;

namespace {
const QSizeF Mark(144, 230.4); // twips: the mark at its 100 dpi

// Whether every mark lands on a printable area of that many millimetres, each placed on its own:
// stretched from the corner, then moved.
bool allOnPaper(const Alignment &a, QSizeF paper)
{
    const QRectF printable(QPointF(), paper / 25.4 * 1440);
    for (const SlipLayout::Box &box : SlipLayout::allBoxes()) {
        const QPointF at(box.at.x * a.width / 100 + a.right / 25.4 * 1440,
                         box.at.y * a.height / 100 + a.down / 25.4 * 1440);
        if (!printable.contains(QRectF(at, Mark).adjusted(0.1, 0.1, -0.1, -0.1)))
            return false;
    }
    return true;
}

QString misfitOn(const Alignment &alignment, QSizeF paper)
{
    return alignment.misfit(SlipLayout::boxCorners(), Mark, paper / 25.4 * 1440);
}
} // namespace

class TestAlignment : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    // What SlipSettings keeps, to write there by hand.
    static QSettings kept()
    {
        return QSettings(QSettings::UserScope, qApp->organizationName(), qApp->applicationName());
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        QCoreApplication::setOrganizationName(QStringLiteral("DEZENARIO-TESTES"));
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    }
    void init() { kept().clear(); }

    // Every value that fits, and no other, over a grid of shifts and stretches on a slip's paper;
    // and what is told where none fits.
    void misfit()
    {
        for (double right = -22; right <= 16; right += 1.9)
            for (double down = -9; down <= 132; down += 7.1)
                for (double stretch : { 90.0, 97.5, 100.0, 104.3, 110.0 }) {
                    const Alignment alignment { right, down, stretch, 200 - stretch };
                    QCOMPARE(misfitOn(alignment, QSizeF(110, 200)).isEmpty(),
                             allOnPaper(alignment, QSizeF(110, 200)));
                }
        QCOMPARE(misfitOn({ 15 }, QSizeF(110, 200)),
                 QStringLiteral("AS MARCAS SAIRIAM DO PAPEL PELA DIREITA. NESTE PAPEL, "
                                "\"DIREITA\" VAI NO MÁXIMO ATÉ 14,1 MM.")); // and 14.2 is past
        QVERIFY(allOnPaper({ 14.1 }, QSizeF(110, 200)) && !allOnPaper({ 14.2 }, QSizeF(110, 200)));
        QCOMPARE(misfitOn({ -22.5, -8.5, 110, 110 }, QSizeF(80, 67)),
                 QStringLiteral("AS MARCAS NÃO CABEM NA LARGURA DESTE PAPEL, QUE TEM 80,0 MM. "
                                "NESTE PAPEL, \"LARGURA\" VAI NO MÁXIMO ATÉ 105,8 %. AS MARCAS "
                                "NÃO CABEM NA ALTURA DESTE PAPEL, QUE TEM 67,0 MM. NESTE PAPEL, "
                                "\"ALTURA\" VAI NO MÁXIMO ATÉ 108,1 %."));
        // Out on both sides, where even the least stretch is too much: no stretch to advise.
        QCOMPARE(misfitOn({ -25 }, QSizeF(60, 200)),
                 QStringLiteral("AS MARCAS NÃO CABEM NA LARGURA DESTE PAPEL, QUE TEM 60,0 MM, NEM "
                                "COM \"LARGURA\" NO MÍNIMO (90,0 %). USE UM PAPEL MAIOR."));
        // In the user's own decimal mark.
        QLocale::setDefault(QLocale::c());
        QCOMPARE(describe({ -1.5, 2, 90, 110.5 }),
                 "DIREITA -1.5 MM, ABAIXO 2.0 MM, LARGURA 90.0 %, ALTURA 110.5 %");
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    }

    void settings_data()
    {
        QTest::addColumn<QString>("stored"); // what the file holds for the printer's "direita"
        QTest::addColumn<int>("fault"); // Good: the value is taken (a bound is in range)
        using Saved = SlipSettings::Saved;
        for (const auto &[stored, fault] : { std::pair { "-50.0", Saved::Good },
                                             { "abc", Saved::NotANumber },
                                             { "5,0", Saved::NotANumber },
                                             { "nan", Saved::NotANumber },
                                             { "inf", Saved::NotANumber },
                                             { "50.1", Saved::OutOfRange },
                                             { "", Saved::NotANumber } })
            QTest::newRow(stored) << QString(stored) << int(fault);
    }
    void settings()
    {
        QFETCH(QString, stored);
        QFETCH(int, fault);
        // Written by hand, or by another version, beside values that are good.
        QVERIFY(SlipSettings().save(QString(), "DEZENARIO-PDF", { 1, 2, 103, 97 }).isEmpty());
        kept().setValue("impressoras/DEZENARIO-PDF/direita", stored);
        const SlipSettings::Saved saved = SlipSettings().alignmentFor("DEZENARIO-PDF");
        QCOMPARE(int(saved.fault), fault);
        QCOMPARE(saved.alignment,
                 fault ? Alignment() : (Alignment { stored.toDouble(), 2, 103, 97 }));
    }

    void printersKeptApart()
    {
        // Names that differ by a slash, a backslash, a blank or what encodes them (not by case: to
        // CUPS and to Windows, as to its registry, "a/b" is "A/B"); a shared Windows printer.
        const QStringList names {
            "A/B",      "A\\B",  "A%2FB", "A%5CB", "A//B", "A B", "\\\\SERVIDOR\\Volantes",
            "Volantes", "Ação ç"
        };
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(SlipSettings().save(names[i], names[i], { double(i), -double(i) }).isEmpty());
        // Read back as at another start of the program: each keeps its own.
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(SlipSettings().alignmentFor(names[i]).alignment,
                     (Alignment { double(i), -double(i) }));
        QCOMPARE(SlipSettings().chosenPrinter(), names.last());
    }
};

QTEST_GUILESS_MAIN(TestAlignment)
#include "tst_alignment.moc"
