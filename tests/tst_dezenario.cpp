// The program through its real window on the offscreen platform, and printing for real through
// CUPS to the queues of scripts/setup-printers.sh, every mark found again on the sheets.
#include "boxanswerer.h"
#include "commanderror.h"
#include "mainwindow.h"
#include "previewwindow.h"
#include "qtadapters.h"
#include "runstore.h"
#include "sliplayout.h"
#include "slipprintjob.h"
#include "siteconfig.h"
#include "slippreview.h"
#include "slipsettings.h"

#include <QtTest>
#include <QtWidgets>
#ifndef Q_OS_WIN
#    include <cups/cups.h>
#endif

using namespace dezenario;

namespace {
// Whether a label's text, laid out as the label lays it out, shows whole within the label.
bool whole(const QLabel *label)
{
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                           flags, label->text());
    return needed.width() <= label->width() && needed.height() <= label->height();
}

// A box as the user reads it: its name, title and texts, the empty ones left out.
QStringList texts(const QDialog *box)
{
    QStringList seen { box->objectName(), box->windowTitle() };
    for (QLabel *label : box->findChildren<QLabel *>())
        seen << label->text();
    seen.removeAll(QString());
    return seen;
}

// Clicks a button and answers its boxes in order (BoxAnswerer). Gives each box's name, title and
// texts, "CLIPPED" where a question does not show whole (above its buttons, of fixed size, every
// line wrapped within 600 to 700 px), and "UNANSWERED" for answers left over.
QStringList click(QAbstractButton *button, const QStringList &answers)
{
    QStringList seen;
    const test::BoxAnswerer answerer(answers, [&seen](QDialog *box) {
        seen << texts(box);
        const auto *prompt = box->findChild<QLabel *>(QStringLiteral("prompt"));
        if (box->objectName() == QLatin1String("MsgBox")
            && !(prompt && box->width() <= 700 && prompt->width() > 600
                 && box->minimumSize() == box->maximumSize() && whole(prompt)
                 && prompt->geometry().bottom() < box->findChild<QDialogButtonBox *>()->y()))
            seen << QStringLiteral("CLIPPED");
    });
    QTest::mouseClick(button, Qt::LeftButton);
    seen.removeAll(QString());
    if (!answerer.answers.isEmpty())
        seen << QStringLiteral("UNANSWERED");
    return seen;
}

// Records how each paint of a text box that shows another document than its own starts: the front
// of what a command has left, up to a line break.
struct FrontPaints : QObject
{
    explicit FrontPaints(QPlainTextEdit *box) : box(box)
    {
        box->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && box->document() != own)
            fronts << box->document()->toPlainText().left(4).section(u'\n', 0, 0);
        return false;
    }
    QPlainTextEdit *box;
    QTextDocument *own = box->document();
    QStringList fronts; // one a paint
};

// The slip's boxes as measured off a blank slip, in twips: x of the tens groups of games 1 to 3,
// y of the numbers ending in 1 to 9 and 0, and of the counts 6 to 9.
constexpr int BoxX[] = { 1140, 1320, 1500, 1680, 1860, 2060, 2500, 2680, 2860,
                         3040, 3220, 3420, 3850, 4030, 4210, 4390, 4570, 4770 };
constexpr int BoxY[] = { 3730, 3360, 3010, 2640, 2280, 1930, 1550, 1180, 800, 430 };

QPoint box(int game, const QString &dezena) // none unless exactly "01" to "60"
{
    const int n = dezena.toInt();
    return dezena == QString::asprintf("%02d", n) && n >= 1 && n <= 60
            ? QPoint(BoxX[6 * game - 6 + (n - 1) / 10], BoxY[(n - 1) % 10])
            : QPoint();
}

// Every box of the slip as measured: the 60 numbers of games 1 to 3, then the counts 6 to 9.
QList<QPoint> measuredBoxes()
{
    QList<QPoint> boxes;
    for (int n = 0; n < 180; ++n)
        boxes << QPoint(BoxX[n / 10], BoxY[n % 10]);
    for (int count = 0; count < 4; ++count)
        boxes << QPoint(5290, BoxY[count]);
    return boxes;
}

// One slip of six a game; two slips at nine a game, the second of them blank. Blanks around a
// number go; the line break stays with the number after it, which is then no number of the slip.
const QString Bets = QStringLiteral("01- 10 -11-35-51-60-\n02-12-22-32-42-52-09-19-29-39-49-59-");

// The marks that printing Bets paints on each slip, in order, and what it logs in the list.
QList<QList<QPoint>> printRun(int perGame, int slips, QStringList &log)
{
    QList<QList<QPoint>> pages(slips);
    QStringList numbers = QString(Bets).replace("\n", "\r\n").split(QRegularExpression(" *- *"));
    for (int slip = 1; slip <= slips; ++slip) {
        for (int game = 1; game <= 3; ++game) {
            for (int i = 0; i < perGame && numbers.size() > 1; ++i) {
                log << numbers.takeFirst();
                if (const QPoint at = box(game, log.last()); !at.isNull())
                    pages[slip - 1] << at;
            }
            log << QStringLiteral("* ");
        }
        pages[slip - 1] << QPoint(5290, BoxY[perGame - 6]);
        log << QStringLiteral("* %1* ").arg(slip);
    }
    return pages;
}

// Asks for two slips and runs out of memory when slip 2 ends.
struct OutOfMemoryPrinter : PromptBox, QuestionBox, Printer
{
    int pages = 0;
    QString inputBox(const QString &, const QString &, const QString &) override { return "6"; }
    Answer askYesNo(const QString &, const QString &) override { return Yes; }
    void ensureAvailable() override {}
    void paintPicture(MarkPosition) override {}
    void endPage() override
    {
        if (++pages == 2)
            throw std::bad_alloc();
    }
    void endDocument() override {}
    void discardDocument() override {}
};

const bool OnWindows = QSysInfo::kernelType() == QLatin1String("winnt");

struct Queue
{
    const char *printer = ""; // empty: the default that lpoptions names
    const char *quantity = nullptr; // none: Esc, or the printer is found wanting before it is asked
    int option = 1;
    QString sheets = {}; // how many marks each sheet shows
    QString error = {}; // or the start of the error that the run ends with
    QRectF sheet = {}; // the page in points, at the corner of its printable area
    int turn = 0; // the degrees that turn a sheet in landscape back into the page
    const char *server = nullptr; // a printing service in CUPS's place, as CUPS_SERVER gives it
    bool spoolerRuns = true; // Windows' printing service
    bool spoolFolderTakesJob = true; // Windows' spool folder; Wine drops CUPS's refusal of a job
    const char *confirm = "Sim"; // the answer to the confirmation box
    Alignment aligned = {}; // saved for the printer; one out of range is taken as none
    const char *chosen = nullptr; // the printer for slips, where not the system's default
};

// Whether one of the blobs has both corners within that many pixels of the mark's.
bool blobAt(const QList<QRect> &blobs, const QRectF &mark, double pixels)
{
    auto near = [pixels](QPointF d) { return qMax(qAbs(d.x()), qAbs(d.y())) <= pixels; };
    return std::any_of(blobs.cbegin(), blobs.cend(), [&](QRectF r) {
        return near(r.topLeft() - mark.topLeft()) && near(r.bottomRight() - mark.bottomRight());
    });
}

// Every dark blob of a sheet, pixels less than 3 px apart, as its bounding box.
QList<QRect> darkBlobs(const QImage &sheet)
{
    QList<QRect> found;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            const QRect dot(x, y, 1, 1);
            auto near = [&](const QRect &blob) {
                return blob.adjusted(-2, -2, 2, 2).contains(dot);
            };
            if (sheet.constScanLine(y)[x] >= 128)
                continue;
            if (auto blob = std::find_if(found.begin(), found.end(), near); blob != found.end())
                *blob |= dot;
            else
                found.append(dot);
        }
    }
    return found;
}
} // namespace
Q_DECLARE_METATYPE(Queue)

// Where saved values move a mark whose corner the table puts at twips: stretched from the corner of
// the printable area, then moved, in twips.
QPointF placed(const Alignment &a, QPointF twips)
{
    return QPointF(twips.x() * a.width / 100 + a.right / 25.4 * 1440,
                   twips.y() * a.height / 100 + a.down / 25.4 * 1440);
}

// The system's default printer from here on, as PRINTER names it, on CUPS_SERVER where given.
void useDefault(const QString &printer, const char *server = nullptr)
{
    qunsetenv("PRINTER");
    qunsetenv("CUPS_SERVER");
    if (!printer.isEmpty())
        qputenv("PRINTER", printer.toLocal8Bit());
    if (server)
        qputenv("CUPS_SERVER", server);
#ifndef Q_OS_WIN
    cupsSetServer(nullptr); // CUPS reads the variables again
#endif
}

// Every job that CUPS holds or has held: the same before and after means that none was made.
int cupsJobs()
{
#ifdef Q_OS_WIN
    return 0;
#else
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs(&jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count;
#endif
}

// Whether the Windows build of this test prints under Wine (tests/windows.sh) and this one reads
// the sheets back.
bool underWine()
{
    return qEnvironmentVariableIsSet("DEZENARIO_WINE_TEST") && !OnWindows;
}

// Runs a function of the Windows build of this test ("function:row") under Wine, on the queues
// that VARIABLE=value names, through tests/windows_row.sh; its exit code.
int throughWine(const QString &function, const QString &on, bool spoolerRuns = true,
                bool folderTakesJob = true)
{
    return QProcess::execute("bash",
                             { qEnvironmentVariable("DEZENARIO_WINE_TEST"), function, on,
                               spoolerRuns ? "running" : "stopped",
                               folderTakesJob ? "takes" : "refuses" });
}

// The PDFs that the test queues wrote since a moment, the first written first: cups-pdf writes
// over a file of the same title that a run left.
QStringList written(const QDateTime &since)
{
    QStringList names;
    const QDir pdfs(qEnvironmentVariable("DEZENARIO_PDF_DIR"));
    for (const QFileInfo &pdf :
         pdfs.entryInfoList({ QStringLiteral("*.pdf") }, QDir::Files, QDir::Time | QDir::Reversed))
        if (pdf.lastModified() >= since)
            names << pdf.filePath();
    return names;
}

// Once every job of the printer is through (Wine hands jobs on late) and as many files are
// written, the pages written since a moment, in the order printed, in grey as pdftoppm rasterises
// them with the arguments given; their PDFs go.
bool rasterise(const QString &printer, const QDateTime &since, const QStringList &arguments,
               QList<QImage> &pages, int files = 1)
{
    const QString pending = "lpstat -o " + printer + " | grep -q .";
    if (!QTest::qWaitFor(
                [&] {
                    return written(since).size() >= files
                            && QProcess::execute("sh", { "-c", pending }) == 1;
                },
                240000))
        return false;
    QTemporaryDir raster;
    const QStringList pdfs = written(since);
    for (int i = 0; i < pdfs.size(); ++i)
        if (QProcess::execute("pdftoppm",
                              arguments
                                      + QStringList { "-gray", pdfs[i],
                                                      raster.filePath(QString::number(i + 10)) })
            == 0)
            QFile::remove(pdfs[i]);
    for (const QString &page : QDir(raster.path()).entryList(QDir::Files, QDir::Name))
        pages << QImage(raster.filePath(page)).convertToFormat(QImage::Format_Grayscale8);
    return true;
}

// Throws out of memory once, as the widget of that name is shown.
struct FaultAtShow : QObject
{
    QString target;
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !target.isEmpty() && object->objectName() == target)
            throw(target.clear(), std::bad_alloc());
        return false;
    }
};

class TestDezenario : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    MainWindow *m_window = nullptr;
    template<typename T = QWidget>
    T *control(const QString &name)
    {
        return m_window->findChild<T *>(name);
    }
    QPlainTextEdit *text1() { return control<QPlainTextEdit>("Text1"); }

    // The user's settings, as "key=value" lines in order, "impressoras/DEZENARIO-" left out.
    static QSettings settings()
    {
        return QSettings(QSettings::UserScope, QCoreApplication::organizationName(),
                         QCoreApplication::applicationName());
    }
    static QString saved()
    {
        const QSettings all = settings();
        QStringList lines;
        for (const QString &key : all.allKeys())
            lines << QString(key).remove("impressoras/DEZENARIO-") + u'='
                            + all.value(key).toString();
        lines.sort();
        return lines.join(u' ');
    }

    // The folder of the program's data, where its runs are kept.
    static QString runsFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }

    // Opens AJUSTAR VOLANTES from its menu and, once it has listed the printers, picks one (none:
    // the system's default), types the four values or clicks ZERAR, and hands it to then; answers
    // it and the boxes that follow in order (BoxAnswerer). Gives the default's entry and the values
    // shown when picked, then as each box comes the dialog's notice, or the box's texts.
    QStringList adjust(const QString &pick, const QString &typed, const QStringList &answers,
                       const std::function<void(QDialog *)> &then = {})
    {
        QStringList seen;
        const QStringList fields { "Direita", "Abaixo", "Largura", "Altura" };
        const test::BoxAnswerer answerer(answers, [&](QDialog *box) {
            auto *printers = box->findChild<QComboBox *>("Impressora");
            if (!printers)
                return void(seen << texts(box));
            if (seen.isEmpty()) {
                QVERIFY(QTest::qWaitFor([printers] { return printers->isEnabled(); }, 60000));
                printers->setCurrentIndex(qMax(0, printers->findData(pick)));
                QStringList shown;
                for (const QString &field : fields)
                    shown << QString::number(box->findChild<QDoubleSpinBox *>(field)->value());
                seen << printers->itemText(0) << shown.join(u' ');
                if (typed == QLatin1String("ZERAR"))
                    QTest::mouseClick(box->findChild<QPushButton *>("Zerar"), Qt::LeftButton);
                for (int i = 0; i < 4 && typed.count(u' ') == 3; ++i)
                    box->findChild<QDoubleSpinBox *>(fields[i])->setValue(
                            typed.section(u' ', i, i).toDouble());
                if (then)
                    then(box);
            }
            seen << box->findChild<QLabel *>("Aviso")->text();
        });
        m_window->findChild<QAction *>("actionAjustar")->trigger();
        seen.removeAll(QString());
        return seen;
    }
    QStringList entries()
    {
        QStringList shown;
        for (int i = 0; i < control<QListWidget>("List1")->count(); ++i)
            shown << control<QListWidget>("List1")->item(i)->text();
        return shown;
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); // the users' own
        // Settings of the tests' own, never the user's: another organization, and on Linux a home
        // of its own.
        QCoreApplication::setOrganizationName(QStringLiteral("DEZENARIO-TESTES"));
        qunsetenv("XDG_CONFIG_HOME");
        if (!qEnvironmentVariableIsSet("DEZENARIO_WINDOW")) // one of two windows keeps the first's
            qunsetenv("XDG_DATA_HOME"); // the runs kept
        // lpoptions naming a missing default and the slip's paper for a queue, read by CUPS once.
        QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral(".cups")));
        QFile lpoptions(m_home.filePath(QStringLiteral(".cups/lpoptions")));
        QVERIFY(lpoptions.open(QIODevice::WriteOnly));
        lpoptions.write(
                "Dest DEZENARIO-SLIP PageSize=Custom.110x200mm\nDefault NO-DEFAULT-QUEUE\n");
        // Where the queues of scripts/setup-printers.sh write: cups-pdf into the user's own home.
        if (qEnvironmentVariableIsEmpty("DEZENARIO_PDF_DIR"))
            qputenv("DEZENARIO_PDF_DIR",
                    QDir::home().filePath(QStringLiteral("PDF")).toLocal8Bit());
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("LPDEST");
    }
    void init()
    {
        QTest::failOnWarning(QRegularExpression("QTextCursor")); // a cut beyond the text
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    void quantity_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("slips"); // or the error's number
        // Three games a slip, a half rounding to even; a group separator; the most and past it.
        const std::tuple<const char *, const char *, int> rows[] = {
            { "1", "C", 0 },       { "2", "C", 1 },
            { "  9 ", "C", 3 },    { "7,5", "pt_BR", 2 },
            { "4,5", "pt_BR", 2 }, { "3.000", "pt_BR", 1000 },
            { "-3", "C", -1 },     { "300000", "C", 100000 },
            { "300003", "C", 6 },  { "-999999999999", "C", 6 },
            { "NaN", "C", 13 },    { "∞", "C", 13 },
            { "1e400", "C", 13 }
        };
        for (const auto &[quantity, locale, slips] : rows)
            QTest::newRow(quantity) << QString::fromUtf8(quantity) << QString(locale) << slips;
    }
    void quantity()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, locale);
        QFETCH(int, slips);
        try {
            QCOMPARE(slipCountFor(quantity, QLocale(locale)), slips);
        } catch (const CommandError &e) {
            QCOMPARE(e.number(), slips);
            QCOMPARE(e.description(), e.description().toUpper());
        }
    }

    void slipBoxes()
    {
        // Each box where the slip has it, to the twip; nothing but "01" to "60" marks a box.
        for (int game = 1; game <= 3; ++game)
            for (const QString dezena : { "00", "01", "09", "10", "11",  "20", "23", "30", "31",
                                          "34", "40", "45", "50", "51",  "56", "57", "58", "60",
                                          "61", "1",  "1-", "0:", "001", "+1", "٠١", "01 " }) {
                const auto at = SlipLayout::numberMarkPosition(game, dezena);
                QCOMPARE(at ? QPoint(at->x, at->y) : QPoint(), box(game, dezena));
            }
        // The test sheet outlines every box the slip has, each once: 3 games of 60, and 6 to 9.
        QList<QPoint> outlined;
        for (const SlipLayout::Box &b : SlipLayout::allBoxes())
            outlined << QPoint(b.at.x, b.at.y);
        QCOMPARE(outlined, measuredBoxes());
    }

    void frameThrottle()
    {
        // A second of 8 asks a millisecond, on a clock the test drives: the first repaint at once,
        // then one each frame, seen within the asks between two readings of the clock.
        static qint64 now = 0;
        FrameThrottle throttle([] { return now; });
        int repaints = 0;
        for (int ask = 0; ask < 8000; now = ++ask / 8)
            repaints += throttle.due();
        QCOMPARE(repaints, 1000 / FrameThrottle::FrameMilliseconds + 1);
    }

    void outOfMemory()
    {
        text1()->setPlainText(Bets);
        QTextDocument *own = text1()->document();
        {
            OutOfMemoryPrinter printer;
            QtTextBox text(text1());
            QtListBox list(control<QListWidget>("List1"));
            QtLabel label4(control<QLabel>("Label4"));
            QtOptionButtons options({ control<QRadioButton>("Option1") });
            QtWindow window(m_window, text, list);
            const PrintControls run { text,    list,    label4,
                                      printer, printer, options,
                                      window,  printer, *m_window->speaker() };
            QPushButton button(m_window); // the window's error box, for a fault no click makes
            connect(&button, &QPushButton::clicked,
                    [&] { m_window->runCommand([&] { runPrintJob(run, QLocale::c()); }); });
            QCOMPARE(click(&button, {}),
                     (QStringList { "ErrorBox", "DEZENARIO",
                                    "ERRO 7\nMEMÓRIA INSUFICIENTE PARA ESTE TEXTO." }));
            text.showFront(); // every bet put back: the box shows the user's own document
            QCOMPARE(text1()->document(), own);
            // A cut up to the CR of the line break: the LF left costs the document nothing.
            text.deleteFront(21);
            QCOMPARE(text.text(), Bets.mid(21));
        }
        QCOMPARE(text1()->toPlainText(), Bets.mid(21)); // the cut reaches the document once
    }

    // The fonts, Qt's texts, the scale and the frame of the program as it starts, on Linux and
    // under Wine: every caption whole.
    void startsWhole()
    {
        // Under Wine, the scale that tests/windows.sh set the desktop to.
        if (const QString scale = qEnvironmentVariable("DEZENARIO_SCALE"); !scale.isEmpty())
            QCOMPARE(m_window->devicePixelRatioF(), scale.toDouble());
        // The whole frame centred, title bar included, where there is one (Windows).
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((m_window->frameGeometry().center() - screen.center()).manhattanLength() <= 4);
        QCOMPARE(QFontInfo(m_window->font()).family(),
                 QStringLiteral("DejaVu Sans Condensed")); // the system's, or the one carried
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Paste"),
                 QStringLiteral("Co&lar")); // Qt's own menu
        for (const char *front : { "Label1", "INKPicture1" }) // over what they overlap
            QCOMPARE(m_window->childAt(control(front)->geometry().center()), control(front));
        // Every caption whole at the window's font, a button's beside its margins or indicator.
        for (QLabel *label : m_window->findChildren<QLabel *>())
            QVERIFY2(whole(label), qPrintable(label->objectName()));
        for (QAbstractButton *button : m_window->findChildren<QAbstractButton *>()) {
            auto metric = [button](QStyle::PixelMetric m) {
                return button->style()->pixelMetric(m, nullptr, button);
            };
            const int room = qobject_cast<QRadioButton *>(button)
                    ? metric(QStyle::PM_ExclusiveIndicatorWidth)
                            + metric(QStyle::PM_RadioButtonLabelSpacing)
                    : 2 * metric(QStyle::PM_ButtonMargin);
            QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(button->text().trimmed()) + room
                             <= button->width(),
                     qPrintable(button->objectName()));
        }
    }

    void analysis_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("separator"); // null: Cancel
        QTest::addColumn<QString>("entries");
        auto row = [](const char *name, const QString &pasted, const char *separator,
                      const char *entries) {
            QTest::newRow(name) << pasted << QString::fromUtf8(separator) << entries;
        };
        const QString worked = QStringLiteral(
                "01) 01-05-35-51-38-07\r\n02) 03-11-20-33-41-59\r\n03) 02-08-15-27-44-60");
        const char *all = "01 02 03 05 07 08 11 15 20 27 33 35 38 41 44 51 59 60";
        row("worked example: each line keeps its last number", worked, ")", all);
        row("separator of two, lines of LF alone", QString(worked).remove(u'\r'), ") ", all);
        row("lines of CR alone and Unicode separators, 300 of them",
            QString(worked).replace("\r\n", "\r").append(QChar(0x2028)).repeated(100), ")", all);
        row("dash indexes with ')' count", "02-  01 05\r\n03-  04 12", ")", "01 02 03 04 05 12");
        row("heading cut with the first index; an index cut within 13 characters",
            "MEGA 99 01) 11\r\n8888888888) 22\r\n77777777777) 33\r\n", ")", "11 22 33 77");
        row("no line breaks: only the first index goes", "44) 05 77) 06", ")", "05 06 77");
        row("a pass that cuts nothing is the last", "\n01)\r\n0123456789012345) 07", ")",
            "01 07 12 23 34 45 56 67 78 89 90");
        row("cancel: pairs of ASCII digits, 100 as itself", "42 61 99 00 5 /7 1: 0135 ١٢ １２ 100",
            nullptr, "01 10 13 35 42 61 99 100");
        row("NUL and control characters",
            QString::fromLatin1("01) 05\0006\x01\x1b\r\n02) 0\a7-08\x7f", 23), ")", "08");
        row("non-Latin text and emoji", "01) ΑΒΓ 12-13\r\n02) 中文 😀 14\r\n03) 15", ")",
            "12 13 14 15");
        row("separator first; a take sized before its index cut", ")\r\n01)8\r\n02)65", ")", "");
        row("an index of one character", "01)1)23\r\n45) 67\r\n", ")", "23 67");
        row("separator of blanks", "01  02  03", "  ", "02 03");
        row("empty", "", ")", "");
    }
    void analysis()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, separator);
        QFETCH(QString, entries);
        QApplication::clipboard()->setText(pasted);
        text1()->paste();
        QPlainTextEdit plain; // the same text as a plain text box shows and copies
        plain.paste();
        QCOMPARE(text1()->toPlainText(), plain.toPlainText());
        // Lines go in blocks of about a kilobyte; one undo takes the whole paste back.
        QVERIFY(text1()->blockCount() <= 1 + pasted.size() / 1024);
        text1()->undo();
        QCOMPARE(text1()->toPlainText(), QString());
        text1()->redo();
        QCOMPARE(QtTextBox(text1()).text(), // line breaks as CR LF
                 QString(pasted).replace(QRegularExpression("\r\n|\r|\n|\u2028"), "\r\n"));
        control<QLabel>("Label4")->setText(QStringLiteral("IMPRESSOS"));
        control<QListWidget>("List1")->addItem(QStringLiteral("old"));
        QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
        QCOMPARE(click(control<QPushButton>("ANALIZAR"), { separator }).mid(0, 2),
                 (QStringList { "InputBox", "ELIMINAR SEPARADORES" }));
        const QStringList want = entries.split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(this->entries(), want);
        QCOMPARE(control<QLabel>("Label1")->text(), QString::number(want.size()));
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("ENCONTRADAS"));
        QCOMPARE(control("List1")->accessibleDescription(),
                 QStringLiteral("DEZENAS ENCONTRADAS: %1").arg(want.size()));
        QCOMPARE(text1()->toPlainText(), QString());
        QVERIFY(text1()->document()->isUndoRedoEnabled());
        QCOMPARE(beeps.count(), 1);
    }

    void adjust_data()
    {
        // Settings as "key=value", in order, a printer's values under its name less "DEZENARIO-".
        QTest::addColumn<QString>("before"); // "-": the settings' folder cannot be made
        QTest::addColumn<QString>("pick"); // the printer picked; none: the system's default
        QTest::addColumn<QString>("typed"); // the four values, or ZERAR clicked
        QTest::addColumn<QString>("answers"); // to the dialog and the boxes after it
        QTest::addColumn<QString>("seen"); // the values shown when picked, the notice, the boxes
        QTest::addColumn<QString>("after");
        const QString pdf = "PDF/abaixo=2.0 PDF/altura=97.0 PDF/direita=1.0 PDF/largura=103.0";
        const QString letter = "LETTER/abaixo=3.0 LETTER/altura=98.0 LETTER/direita=5.0 "
                               "LETTER/largura=102.0 volantes/impressora=DEZENARIO-LETTER";
        const QString both = letter + ' ' + pdf, off = "0 0 100 100|ErrorBox|DEZENARIO|ERRO ";
        const QString rows[][7] = {
            { "OK saves for the printer picked, and picks it", "", "DEZENARIO-LETTER", "5 3 102 98",
              "OK", "0 0 100 100", letter },
            { "each shows its own; CANCELAR keeps all", both, "DEZENARIO-PDF", "9 9 99 99",
              "CANCELAR", "1 2 103 97", both },
            { "ZERAR", pdf, "", "ZERAR", "OK", "1 2 103 97",
              "PDF/abaixo=0.0 PDF/altura=100.0 PDF/direita=0.0 PDF/largura=100.0 "
              "volantes/impressora=" },
            { "off the paper", "", "DEZENARIO-SLIP", "20 0 100 100", "OK|OK|CANCELAR",
              off
                      + "5\nA IMPRESSORA \"DEZENARIO-SLIP\": AS MARCAS SAIRIAM DO PAPEL PELA "
                        "DIREITA. "
                        "NESTE PAPEL, \"DIREITA\" VAI NO MÁXIMO ATÉ 14,1" },
            { "a value that is no number", "PDF/abaixo=2 PDF/direita=abc", "", "", "CANCELAR",
              "0 0 100 100|OS VALORES SALVOS PARA \"DEZENARIO-PDF\" NÃO SÃO NÚMEROS VÁLIDOS E NÃO",
              "PDF/abaixo=2 PDF/direita=abc" },
            { "a value out of range", "PDF/direita=60.0", "", "", "CANCELAR",
              "0 0 100 100|OS VALORES SALVOS PARA \"DEZENARIO-PDF\" ESTÃO FORA DOS LIMITES (MOVER "
              "DE -50,0 A 50,0 MM, ESTICAR DE 90,0 A 110,0 %) E NÃO SERÃO USADOS",
              "PDF/direita=60.0" },
            { "nowhere to write", "-", "", "5 3 100 100", "OK|OK|CANCELAR",
              off + "70\nNADA FOI SALVO: NÃO É POSSÍVEL GRAVAR EM " },
        };
        for (const auto &row : rows)
            QTest::newRow(qPrintable(row[0]))
                    << row[1] << row[2] << row[3] << row[4] << row[5] << row[6];
    }
    void adjust()
    {
        QFETCH(QString, before);
        QFETCH(QString, pick);
        QFETCH(QString, typed);
        QFETCH(QString, answers);
        QFETCH(QString, seen);
        QFETCH(QString, after);
        useDefault("DEZENARIO-PDF");
        settings().clear();
        const QString folder = QFileInfo(settings().fileName()).absolutePath();
        QFile blocker(folder); // a file where the settings' folder goes: nobody writes there
        if (before == QLatin1String("-"))
            QVERIFY(QDir(folder).removeRecursively() && blocker.open(QIODevice::WriteOnly));
        else
            for (const QString &line : before.split(u' ', Qt::SkipEmptyParts))
                settings().setValue(line.section(u'=', 0, 0)
                                            .replace(QRegularExpression("^([A-Z]+)/"),
                                                     "impressoras/DEZENARIO-\\1/"),
                                    line.section(u'=', 1));
        const QString all = adjust(pick, typed, answers.split(u'|')).join(u'|');
        blocker.remove();
        QVERIFY2(all.startsWith("PADRÃO DO SISTEMA (DEZENARIO-PDF)|" + seen), qPrintable(all));
        QStringList want = after.split(u' ', Qt::SkipEmptyParts);
        want.sort();
        QCOMPARE(saved(), want.join(u' '));
    }

    void adjustOpens_data()
    {
        QTest::addColumn<QString>("chosen"); // the printer for slips, as saved
        QTest::addColumn<QString>("shown"); // where the dialog opens
        QTest::newRow("none chosen") << ""
                                     << "PADRÃO DO SISTEMA (DEZENARIO-PDF)";
        QTest::newRow("another") << "DEZENARIO-LETTER"
                                 << "DEZENARIO-LETTER";
        QTest::newRow("gone") << "DEZENARIO-GONE"
                              << "DEZENARIO-GONE (NÃO INSTALADA)";
    }
    // AJUSTAR VOLANTES opens on the printer chosen for slips, not on the system's default, so
    // that OK does not switch it; a printer no longer installed is named so, and no entry is
    // nameless.
    void adjustOpens()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        useDefault("DEZENARIO-PDF");
        settings().clear();
        if (!chosen.isEmpty())
            settings().setValue("volantes/impressora", chosen);
        settings().sync();
        QStringList items;
        QString current;
        const test::BoxAnswerer answerer({ "CANCELAR" }, [&](QDialog *box) {
            auto *printers = box->findChild<QComboBox *>("Impressora");
            if (!printers)
                return;
            QVERIFY(QTest::qWaitFor([printers] { return printers->isEnabled(); }, 60000));
            current = printers->currentText();
            for (int i = 0; i < printers->count(); ++i)
                items << printers->itemText(i);
        });
        m_window->findChild<QAction *>("actionAjustar")->trigger();
        QCOMPARE(current, shown);
        QCOMPARE(items.filter("NÃO INSTALADA").size(), chosen.endsWith("GONE") ? 1 : 0);
        QVERIFY(!items.filter(QRegularExpression("^ ")).size());
    }

    // The test sheet, printed from the dialog with values typed and not saved: one page, every
    // outline where a slip's mark lands with those values, a ruler true to 0.1 mm over 50 mm.
    void testSheet()
    {
        useDefault("DEZENARIO-PDF");
        settings().clear();
        const Alignment typed { 5, 3, 102, 98 };
        const QDateTime started = QDateTime::currentDateTime();
        const QStringList seen = adjust("", "5 3 102 98", { "CANCELAR" }, [](QDialog *box) {
            QTest::mouseClick(box->findChild<QPushButton *>("FolhaDeTeste"), Qt::LeftButton);
        });
        QCOMPARE(seen.last(), "FOLHA DE TESTE ENVIADA PARA \"DEZENARIO-PDF\".");
        QCOMPARE(saved(), QString());

        // The part of the sheet that the marks cover, at 288 dpi: 5 twips a pixel.
        QList<QImage> pages;
        QVERIFY(rasterise("DEZENARIO-PDF", started,
                          { "-r", "288", "-x", "0", "-y", "0", "-W", "1300", "-H", "1100" },
                          pages));
        QCOMPARE(pages.size(), 1);
        // The outlines apart from the rulers, which run 5 mm from the corner.
        const QPoint rulersOff(200, 100);
        const QList<QRect> found = darkBlobs(pages[0].copy(QRect(rulersOff, pages[0].size())));
        for (const QPoint &twips : measuredBoxes()) {
            const QRectF mark(placed(typed, twips) / 5 - rulersOff, QSizeF(28.8, 46.08));
            QVERIFY2(blobAt(found, mark, 2.8), // 0.25 mm
                     qPrintable(
                             QString::asprintf("no outline at %d,%d twips", twips.x(), twips.y())));
        }

        // The top ruler's ticks 1 mm apart from the corner on, read across their middle, half a
        // millimetre above its line, which runs 5 mm below the corner: ink where each tick should
        // be, to within a tenth of a millimetre, and none halfway to the next.
        const double perMm = 288 / 25.4;
        const QPointF corner = placed(typed, QPointF()) / 5;
        const uchar *row = pages[0].constScanLine(qRound(corner.y() + 4.5 * perMm));
        for (int mm = 0; mm <= 50; ++mm)
            QVERIFY2(row[qRound(corner.x() + mm * perMm)] < 128
                             && row[qRound(corner.x() + (mm + 0.5) * perMm)] > 200,
                     qPrintable(QString::asprintf("no tick at %d mm", mm)));
        // Longer ticks every 5 mm, longest at each centimetre, read 1.3 mm and 2 mm above the
        // line, clear of the numbers and past the other ruler, which runs 5 mm right of the corner.
        const uchar *fives = pages[0].constScanLine(qRound(corner.y() + 3.7 * perMm));
        const uchar *tens = pages[0].constScanLine(qRound(corner.y() + 3 * perMm));
        for (int mm = 6; mm <= 50; ++mm) {
            const int x = qRound(corner.x() + mm * perMm);
            QVERIFY2((fives[x] < 128) == (mm % 5 == 0) && (tens[x] < 128) == (mm % 10 == 0),
                     qPrintable(QString::asprintf("a tick of the wrong length at %d mm", mm)));
        }
        // The corner's cross, both strokes, 2 mm from its middle.
        for (const QPointF off : { QPointF(-2, 0), QPointF(2, 0), QPointF(0, -2), QPointF(0, 2) }) {
            const QPoint at = (corner + off * perMm).toPoint();
            QVERIFY2(qGray(pages[0].pixel(at)) < 128,
                     qPrintable(QString::asprintf("no cross at %g, %g mm", off.x(), off.y())));
        }
    }

    // The menu bar above the form as it was, opened from the keyboard.
    void menus()
    {
        auto *bar = control<QMenuBar>("menuBar");
        const int h = bar->height();
        QCOMPARE(bar->geometry(), QRect(0, 0, 517, h));
        // The form's client area under the bar, every control where it was from its corner.
        QCOMPARE(m_window->size(), QSize(517, 233 + h));
        QCOMPARE(control("Text1")->pos(), QPoint(290, 20 + h));
        for (QPushButton *button : m_window->findChildren<QPushButton *>())
            QVERIFY(!button->text().contains(u'&')); // the command buttons keep no access key

        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        auto opened = [] { return QApplication::activePopupWidget(); };
        QTest::keyClick(m_window, Qt::Key_F10);
        QTRY_COMPARE(opened(), control("menuJogos"));
        QTest::keyClick(opened(), Qt::Key_Escape);
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_VERIFY(!opened());
        QTest::keyClick(m_window, Qt::Key_J, Qt::AltModifier);
        QTRY_COMPARE(opened(), control("menuJogos"));
        QCOMPARE(opened()->actions().first()->objectName(), "actionFechamento");
        QTest::keyClick(opened(), Qt::Key_Escape);
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_VERIFY(!opened());
        QTest::keyClick(m_window, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(opened(), control("menuAjuda"));
        QString about;
        const test::BoxAnswerer answerer({ "OK" },
                                         [&about](QDialog *box) { about = texts(box).join(u'|'); });
        QTest::keyClick(opened(), Qt::Key_S);
        for (const QString &part :
             { QStringLiteral("Sobre|SOBRE O DEZENARIO|DEZENARIO 1.02\n"),
               QStringLiteral("TODOS OS DIREITOS RESERVADOS"), QStringLiteral(DEZENARIO_SITE_URL) })
            QVERIFY2(about.contains(part), qPrintable(about));
    }

    void preview_data()
    {
        QTest::addColumn<QString>("printer"); // the system's default; none: whatever it is
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("seen"); // all it shows in order, the paper's words begun
        QTest::newRow("the confirmation box's example, six a game")
                << "DEZENARIO-PDF"
                << "18-23-52-58-28-20-18-23-36-58-28-20-18-23-36-54-28-20-07-23-36-54-28-20-07-23-"
                   "46-54-28-20-07-23-43-46-28-20-23-43-46-57-28-20-22-23-43-57-28-20-22-23-35-57-"
                   "28-20-11-22-23-35-28-20-"
                << "4 VOLANTE(S) DE 6 DEZENAS POR JOGO. PARA IMPRIMIR TODOS, DIGITE 12 NA "
                   "QUANTIDADE. CUSTO: R$ 60,00 ("
                   "10 JOGO(S) COM DEZENAS MARCADAS).|VOLANTE 4, JOGO 2: JOGO EM BRANCO: O TEXTO "
                   "ACABOU ANTES DELE.|"
                   "VOLANTE 4, JOGO 3: JOGO EM BRANCO: O TEXTO ACABOU ANTES DELE.|VOLANTE 4 DE 4|"
                   "JOGO 1: 11 22 23 35 28 20\nJOGO 2: EM BRANCO\nJOGO 3: EM BRANCO|NO PAPEL DA "
                   "IMPRESSORA \"DEZENARIO-PDF\" (209,9 × 297,0 MM)";
        QTest::newRow("every problem")
                << ""
                << "01-61-7-\n35-01-23"
                << "1 VOLANTE(S) DE 6 DEZENAS POR JOGO. PARA IMPRIMIR TODOS, DIGITE 3 NA "
                   "QUANTIDADE. CUSTO: R$ 6,00 ("
                   "1 JOGO(S) COM DEZENAS MARCADAS).|VOLANTE 1, JOGO 1: \"61\" NÃO É UMA DEZENA DE "
                   "01 A 60: NÃO SERÁ "
                   "MARCADO.|VOLANTE 1, JOGO 1: \"7\" NÃO É UMA DEZENA DE 01 A 60: NÃO SERÁ "
                   "MARCADO.|VOLANTE 1, JOGO 1: \"↵35\" NÃO É UMA DEZENA DE 01 A 60: NÃO SERÁ "
                   "MARCADO.|VOLANTE 1, JOGO 1: A DEZENA 01 ESTÁ MAIS DE UMA VEZ NO JOGO.|VOLANTE "
                   "1, "
                   "JOGO 1: O TEXTO ACABOU NESTE JOGO: 5 DE 6 DEZENAS.|VOLANTE 1, JOGO 2: JOGO EM "
                   "BRANCO: O TEXTO ACABOU ANTES DELE.|VOLANTE 1, JOGO 3: JOGO EM BRANCO: O TEXTO "
                   "ACABOU ANTES DELE.|FICA NO QUADRO, SEM IR PARA NENHUM VOLANTE: \"23\" (UMA "
                   "DEZENA SÓ É LEVADA COM UM TRAÇO DEPOIS DELA).|VOLANTE 1 DE 1|JOGO 1: 01 61 7 "
                   "↵35 01\nJOGO 2: EM BRANCO\nJOGO 3: EM BRANCO";
        QTest::newRow("none, no printer to ask")
                << "NO-SUCH-QUEUE"
                << "01-02-03-04-05-06-07-08-09-10-11-12-13-14-15-16-17-18-"
                << "1 VOLANTE(S) DE 6 DEZENAS POR JOGO. PARA IMPRIMIR TODOS, DIGITE "
                   "3 NA QUANTIDADE. CUSTO: R$ 18,00 ("
                   "3 JOGO(S) COM DEZENAS MARCADAS).|NENHUM PROBLEMA: CADA DEZENA TEM O SEU "
                   "QUADRINHO.|VOLANTE 1 DE 1|JOGO 1: 01 02 03 04 05 06\nJOGO 2: 07 "
                   "08 09 10 11 12\nJOGO 3: 13 14 15 16 17 18|EM PAPEL A4, SEM "
                   "AJUSTES, PORQUE O PAPEL DA IMPRESSORA NÃO PÔDE SER CONSULTADO: "
                   "A IMPRESSORA PADRÃO \"NO-SUCH-QUEUE\" NÃO EXISTE.";
        QTest::newRow("more games than one print takes")
                << "DEZENARIO-PDF"
                << QStringLiteral("01-02-03-04-05-06-").repeated(3 * MaxSlips + 2)
                << "100000 VOLANTE(S) DE 6 DEZENAS POR JOGO. PARA IMPRIMIR ESTES, DIGITE 300000 NA "
                   "QUANTIDADE. CUSTO: R$ 1.800.000,00 ("
                   "300000 JOGO(S) COM DEZENAS MARCADAS).|MAIS 2 JOGO(S) FICAM NO QUADRO: UMA "
                   "IMPRESSÃO LEVA NO MÁXIMO "
                   "300000 "
                   "JOGOS (100000 VOLANTES). IMPRIMA ESTES PRIMEIRO E OS OUTROS NUMA SEGUNDA VEZ.|"
                   "VOLANTE 100000 DE 100000|JOGO 1: 01 02 03 04 05 06\nJOGO 2: 01";
    }
    // VISUALIZAR VOLANTES on the text in the box, paged to its last slip; the window as it was, no
    // job made, no beep.
    void preview()
    {
        QFETCH(QString, printer);
        QFETCH(QString, text);
        QFETCH(QString, seen);
        useDefault(printer);
        text1()->setPlainText(text);
        control<QListWidget>("List1")->addItem(QStringLiteral("old"));
        const int jobs = cupsJobs();
        QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
        QStringList shown;
        const test::BoxAnswerer answerer({}, [&shown](QDialog *box) {
            shown << box->findChild<QLabel *>("Resumo")->text();
            const QAbstractItemModel *problems = box->findChild<QListView *>("Problemas")->model();
            for (int i = 0; i < problems->rowCount(); ++i)
                shown << problems->index(i, 0).data().toString();
            QTest::keyClick(box->findChild<QWidget *>("Volante"), Qt::Key_End);
            shown << box->findChild<QLabel *>("Numero")->text()
                  << box->findChild<QLabel *>("Jogos")->text()
                  << box->findChild<QLabel *>("Papel")->text();
        });
        m_window->findChild<QAction *>("actionVisualizar")->trigger();
        QVERIFY2(shown.join(u'|').startsWith(seen), qPrintable(shown.join(u'|')));
        QCOMPARE(text1()->toPlainText(), text);
        QCOMPARE(entries(), QStringList { "old" });
        QCOMPARE(control<QLabel>("Label1")->text() + control<QLabel>("Label4")->text(),
                 "0ENCONTRADAS");
        QCOMPARE(cupsJobs(), jobs);
        QCOMPARE(beeps.count(), 0);
    }

    // Twenty texts drawn at random, half of them with saved values: the slips that the preview
    // finds are the ones IMPRIMIR prints, each mark placed on the paper within 0.25 mm, and what
    // its games took is what IMPRIMIR logs.
    void previewIsThePrint()
    {
        useDefault("DEZENARIO-PDF");
        QRandomGenerator random(32);
        const char *odd[] = { "61", "7", "00", "\n12", " 09 ", "", "*" };
        for (int run = 0; run < 20; ++run) {
            settings().clear();
            const Alignment a { run % 2 * (random.bounded(100) / 10.0 - 5), run % 2 * 2.5,
                                100 + run % 2 * (random.bounded(60) / 10.0 - 3), 100 };
            QVERIFY(SlipSettings().save(QString(), "DEZENARIO-PDF", a).isEmpty());
            QString text;
            for (int n = random.bounded(40); n > 0; --n)
                text += (random.bounded(8) ? QString::asprintf("%02d", 1 + random.bounded(60))
                                           : QString(odd[random.bounded(7)]))
                        + u'-';
            text += QStringLiteral("33").left(random.bounded(3));
            const int option = 1 + random.bounded(4);
            control<QRadioButton>(QStringLiteral("Option%1").arg(option))->setChecked(true);
            QtOptionButtons options(
                    { control<QRadioButton>("Option1"), control<QRadioButton>("Option2"),
                      control<QRadioButton>("Option3"), control<QRadioButton>("Option4") });
            const SlipPreview preview =
                    *SlipPreview::of(QString(text).replace("\n", "\r\n"), options);
            text1()->setPlainText(text);
            const QDateTime started = QDateTime::currentDateTime();
            click(control<QPushButton>("IMPRIMIR"), { QString::number(preview.quantity), "Sim" });
            QStringList log;
            for (size_t g = 0; g < preview.gameStarts.size(); ++g) {
                const auto game = preview.game(g / 3, g % 3 + 1);
                log << QStringList(game.begin(), game.end()) << QStringLiteral("* ");
                if (g % 3 == 2)
                    log << QStringLiteral("* %1* ").arg(g / 3 + 1);
            }
            QCOMPARE(entries(), log);
            QVERIFY(preview.slipCount() == 0
                    || !preview.game(preview.slipCount() - 1, 1).empty()); // the least
            QList<QImage> sheets;
            if (preview.slipCount() > 0)
                QVERIFY(rasterise("DEZENARIO-PDF", started, { "-r", "144" }, sheets));
            QCOMPARE(sheets.size(), preview.slipCount());
            for (int i = 0; i < sheets.size(); ++i) {
                const QList<QRect> found = darkBlobs(sheets[i]);
                QSet<QPair<int, int>> marks;
                for (const MarkPosition &at : preview.pages.page(i)) {
                    marks.insert({ at.x, at.y });
                    QVERIFY2(blobAt(found,
                                    QRectF(placed(a, QPoint(at.x, at.y)) / 10, QSizeF(14.4, 23.04)),
                                    1.4),
                             qPrintable(QString::asprintf("run %d, slip %d: no mark at %d,%d", run,
                                                          i + 1, at.x, at.y)));
                }
                QCOMPARE(found.size(), marks.size());
            }
        }
    }

    // The slip drawn, grabbed off the screen: the first slip, a mark at each of its numbers where
    // the saved values put it, and a faint box with no mark at every other box.
    void previewDrawn()
    {
        useDefault("DEZENARIO-PDF");
        const Alignment a { 3, 2, 102, 98 };
        QVERIFY(SlipSettings().save(QString(), "DEZENARIO-PDF", a).isEmpty());
        text1()->setPlainText("01-02-03-04-05-06-07-08-09-10-11-12-13-14-15-16-17-18-"
                              "41-42-43-44-45-46-47-48-49-50-51-52-53-54-55-56-57-58-");
        QString named;
        const test::BoxAnswerer answerer({}, [&](QDialog *box) {
            named = box->objectName() + u'|' + box->windowTitle();
            box->resize(1400, 1200);
            auto *view = box->findChild<SlipView *>("Volante");
            const QImage drawn = view->grab().toImage();
            auto grey = [&](QPoint at) { return qGray(drawn.pixel(at)); };
            for (int n = 0; n < 184; ++n) { // slip 1: 01 to 18, and the count of 6
                const QPoint twips =
                        n < 180 ? QPoint(BoxX[n / 10], BoxY[n % 10]) : QPoint(5290, BoxY[n - 180]);
                const QRect at = view->twipsToView()
                                         .mapRect(QRectF(placed(a, twips), QSizeF(144, 230.4)))
                                         .toAlignedRect();
                const QPoint top(at.center().x(), at.top());
                const int edge =
                        std::min({ grey(top), grey(top + QPoint(0, 1)), grey(top + QPoint(0, 2)) });
                const int number = n / 10 % 6 * 10 + n % 10 + 1, game = n / 60;
                const bool marked =
                        n < 180 ? number > 6 * game && number <= 6 * game + 6 : n == 180;
                if (marked ? grey(at.center()) > 100 : grey(at.center()) < 200 || edge > 240)
                    named += QString::asprintf("|wrong at %d,%d", twips.x(), twips.y());
            }
        });
        m_window->findChild<QAction *>("actionVisualizar")->trigger();
        QCOMPARE(named, "Visualizar|VISUALIZAR VOLANTES");
    }

    // Without the window: the invisible characters shown (CR LF as one break, CR, LF and U+2028
    // alone as one each, a tab, blanks); a long preview tells how far it is, more each time, and
    // stops at the first no.
    void previewAlone()
    {
        QCOMPARE(visible(u"\r\n35\r2\n3\u20284\r\n\r\n\t 5 "), u"↵35↵2↵3↵4↵↵→·5·");
        QtOptionButtons options({ control<QRadioButton>("Option1") });
        QList<qsizetype> told;
        QVERIFY(!SlipPreview::of(QString("01-").repeated(200000), options,
                                 [&](qsizetype done, qsizetype total) {
                                     told << (total == 600000 ? done : 0);
                                     return told.size() < 3;
                                 }));
        QVERIFY(told.size() == 3 && 0 < told[0] && told[0] < told[1] && told[1] < told[2]);
    }

    // ANTERIOR and PRÓXIMO walk the slips one by one, and neither goes past an end.
    void previewPages()
    {
        text1()->setPlainText(QString("01-02-03-04-05-06-").repeated(7)); // three slips
        QStringList seen;
        const test::BoxAnswerer answerer({}, [&seen](QDialog *box) {
            auto *previous = box->findChild<QPushButton *>("Anterior");
            auto *next = box->findChild<QPushButton *>("Proximo");
            auto state = [&] {
                seen << box->findChild<QLabel *>("Numero")->text()
                                + (previous->isEnabled() ? " <" : "")
                                + (next->isEnabled() ? " >" : "");
            };
            state();
            for (QPushButton *button : { next, next, previous }) {
                QTest::mouseClick(button, Qt::LeftButton);
                state();
            }
        });
        m_window->findChild<QAction *>("actionVisualizar")->trigger();
        QCOMPARE(seen,
                 (QStringList { "VOLANTE 1 DE 3 >", "VOLANTE 2 DE 3 < >", "VOLANTE 3 DE 3 <",
                                "VOLANTE 2 DE 3 < >" }));
    }

    // A run whose head reads and whose games do not: marked so in the list once chosen, and the
    // slips of the run chosen before are no longer shown.
    void runUnreadable()
    {
        const RunStore store;
        QDir(store.folder()).removeRecursively();
        KeptRun run;
        run.when = QDateTime(QDate(2026, 12, 1), QTime(10, 0));
        run.printer = QStringLiteral("DEZENARIO-PDF");
        run.quantity = QStringLiteral("3");
        run.slips.push_back({ 1, { KeptRun::Game { { 1, 2, 3, 4, 5, 6 }, {} } } });
        run.slips.push_back({ 2, { KeptRun::Game { { 7, 8, 9, 10, 11, 12 }, {} } } });
        QString good, bad;
        QCOMPARE(store.keep(run, &good), QString());
        run.when = run.when.addSecs(60);
        QCOMPARE(store.keep(run, &bad), QString());
        QFile file(QDir(store.folder()).filePath(bad));
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray text = file.readAll().replace("JOGO 1: 01-", "JOGO 1: XX-");
        QVERIFY(file.resize(0) && file.write(text) == text.size());
        file.close();
        QStringList seen;
        const test::BoxAnswerer answerer({}, [&seen](QDialog *box) {
            auto *list = box->findChild<QTableView *>("Impressoes");
            auto *view = box->findChild<QWidget *>("Volante");
            const QImage blank = view->grab().toImage();
            for (const int row : { 1, 0 }) { // the older, whole one first
                list->setFocus();
                list->setCurrentIndex(list->model()->index(row, 0));
                seen << list->model()->index(row, 0).data().toString().left(9)
                     << (view->grab().toImage() == blank ? "BLANK" : "DRAWN")
                     << view->accessibleName() // a run is shown from its first slip
                     << box->findChild<QLabel *>("Resumo")->text().left(13);
                for (int column = 0; column < list->model()->columnCount(); ++column) {
                    const QModelIndex cell = list->model()->index(row, column);
                    if (cell.data(Qt::AccessibleTextRole)
                        != cell.data()) // as a screen reader reads
                        seen << QStringLiteral("COLUMN %1 READ AS %2")
                                        .arg(column)
                                        .arg(cell.data(Qt::AccessibleTextRole).toString());
                }
            }
        });
        m_window->findChild<QAction *>("actionImpressos")->trigger();
        QCOMPARE(seen,
                 (QStringList { "01/12/202", "DRAWN", "VOLANTE 1", "2 VOLANTE(S),",
                                "ILEGÍVEL:", "BLANK", "NENHUM VOLANTE", "O ARQUIVO 202" }));
    }

    // Out of memory as each menu's window shows: an error box, the text kept, and the menu works
    // again.
    void menuErrors()
    {
        text1()->setPlainText(Bets);
        for (const auto &[action, window] : { std::pair { "actionAjustar", "Ajuste" },
                                              { "actionVisualizar", "Visualizar" },
                                              { "actionSobre", "Sobre" } }) {
            FaultAtShow fault;
            fault.target = window;
            qApp->installEventFilter(&fault);
            QStringList seen;
            const test::BoxAnswerer answerer({ "OK", QString() },
                                             [&seen](QDialog *box) { seen << box->objectName(); });
            m_window->findChild<QAction *>(action)->trigger();
            seen << (QApplication::activeModalWidget() ? "STILL MODAL" : "");
            m_window->findChild<QAction *>(action)->trigger();
            QCOMPARE(seen, (QStringList { "ErrorBox", "", window }));
        }
        QCOMPARE(text1()->toPlainText(), Bets);
    }

    // The values typed by keys over what a field shows, in Brazil and in the C locale: either mark
    // is the decimal point, and what cannot be read is refused by OK, as typed.
    void fields_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys"); // "↑": the up arrow
        QTest::addColumn<QString>("seen"); // the field's text, and what OK saves or its error
        const QString refused = "%1|ERRO 13\n\"%1\" EM %2 NÃO É UM VALOR VÁLIDO: DIGITE UM NÚMERO "
                                "DE %3.";
        const std::tuple<const char *, const char *, const char *, QString> rows[] = {
            { "pt_BR", "Direita", "1,5", "1,5 MM|direita=1.5" },
            { "pt_BR", "Direita", "1.5", "1,5 MM|direita=1.5" },
            { "pt_BR", "Direita", "1.500", "1,5 MM|direita=1.5" },
            { "pt_BR", "Altura", "↑", "100,1 %|altura=100.1" },
            { "pt_BR", "Largura", "9", refused.arg("9 %", "ESTICAR NA LARGURA", "90,0 A 110,0 %") },
            { "C", "Abaixo", "-1,5", "-1.5 MM|abaixo=-1.5" },
            { "C", "Direita", "1,500", "1.5 MM|direita=1.5" },
            { "C", "Abaixo", "-", refused.arg("- MM", "MOVER PARA BAIXO", "-50.0 A 50.0 MM") },
        };
        for (const auto &[locale, field, keys, seen] : rows)
            QTest::addRow("%s %s %s", locale, field, keys) << locale << field << keys << seen;
    }
    void fields()
    {
        QFETCH(QString, locale);
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, seen);
        QLocale::setDefault(QLocale(locale)); // for the words
        m_window->setLocale(QLocale(locale)); // for the dialogs, which take the window's
        useDefault("DEZENARIO-PDF");
        settings().clear();
        QString shown;
        const QStringList all = adjust("", "", { "OK", "OK", "CANCELAR" }, [&](QDialog *box) {
            auto *typed = box->findChild<QDoubleSpinBox *>(field);
            QTest::keyClick(typed, keys == u"↑" ? Qt::Key_Up : Qt::Key_A,
                            keys == u"↑" ? Qt::NoModifier : Qt::ControlModifier);
            QTest::keyClicks(typed, keys == u"↑" ? "" : keys);
            shown = typed->text();
        });
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        QCOMPARE(shown, seen.section(u'|', 0, 0));
        if (!seen.contains("ERRO"))
            QVERIFY2(saved().contains("PDF/" + seen.section(u'|', 1)), qPrintable(saved()));
        else // nothing saved
            QCOMPARE(all.last() + u'|' + saved(), seen.section(u'|', 1) + u'|');
    }

    // IMPRIMIR of five slips kept; slip 3 printed again from VOLANTES IMPRESSOS after a shift is
    // saved: one page, its marks those of page 3 moved by the shift, the window untouched.
    void reprint()
    {
        const Alignment a { 2, -1.5 };
        const QDateTime started = QDateTime::currentDateTime();
        if (underWine()) // printed there, read here
            QCOMPARE(throughWine("reprint", "PRINTER=DEZENARIO-PDF"), 0);
        else {
            useDefault("DEZENARIO-PDF");
            settings().clear();
            QVERIFY(QDir(runsFolder()).removeRecursively());
            QString text;
            for (int n = 0; n < 90; ++n)
                text += QString::asprintf("%02d-", n * 7 % 60 + 1);
            text1()->setPlainText(text);
            click(control<QPushButton>("IMPRIMIR"), { "15", "Sim" });
            QVERIFY(SlipSettings().save(QString(), "DEZENARIO-PDF", a).isEmpty());
            text1()->setPlainText(Bets);
            const QStringList before = entries()
                    << control<QLabel>("Label1")->text() << control<QLabel>("Label4")->text();
            QStringList listed;
            const test::BoxAnswerer answerer({ "Sim" }, [&](QDialog *box) {
                auto *list = box->findChild<QTableView *>("Impressoes");
                if (!list)
                    return;
                auto row = [list](int row) {
                    QStringList cells;
                    for (int column = 1; column < 5; ++column)
                        cells << list->model()->index(row, column).data().toString();
                    return cells.join(u' ');
                };
                box->setProperty("unanswered", true);
                QTimer::singleShot(0, box, [&, box, row, list] {
                    listed << row(0);
                    for (const char *bound : { "DoVolante", "AteVolante" }) {
                        QTest::keyClick(box->findChild<QSpinBox *>(bound), Qt::Key_A,
                                        Qt::ControlModifier);
                        QTest::keyClicks(box->findChild<QSpinBox *>(bound), "3");
                    }
                    QTest::mouseClick(box->findChild<QPushButton *>("ImprimirDeNovo"),
                                      Qt::LeftButton);
                    listed << row(0) << row(1)
                           << list->model()->index(0, 0).data().toString().right(10)
                           << QString::number(list->currentIndex().row()); // the reprint chosen
                    box->reject();
                });
            });
            m_window->findChild<QAction *>("actionImpressos")->trigger(); // slip 3 again
            QCOMPARE(listed,
                     (QStringList { "DEZENARIO-PDF 5 15 DE 6 R$ 90,00",
                                    "DEZENARIO-PDF 1 3 DE 6 R$ 18,00",
                                    "DEZENARIO-PDF 5 15 DE 6 R$ 90,00", " (DE NOVO)", "0" }));
            QCOMPARE(text1()->toPlainText(), Bets);
            QCOMPARE(entries() << control<QLabel>("Label1")->text()
                               << control<QLabel>("Label4")->text(),
                     before);
            if (OnWindows) { // kept in the user's roaming data; Linux reads the sheets back
                const QString roaming = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
                QVERIFY2(RunStore().folder().startsWith(roaming + u'/', Qt::CaseInsensitive),
                         qPrintable(RunStore().folder() + " not in " + roaming));
                return;
            }
        }
        QList<QImage> first, again; // both jobs, the first printed first
        QVERIFY(rasterise("DEZENARIO-PDF", started, { "-r", "144" }, first, 2));
        if (!first.isEmpty())
            again << first.takeLast();
        QCOMPARE(first.size(), 5);
        QCOMPARE(again.size(), 1);
        const QList<QRect> marks = darkBlobs(first[2]), reprinted = darkBlobs(again[0]);
        QCOMPARE(reprinted.size(), marks.size());
        for (const QRect &mark : marks)
            QVERIFY(blobAt(reprinted, QRectF(mark).translated(placed(a, QPointF()) / 10), 1.4));
    }

    // Where no folder can be made for the runs: printed all the same, and told.
    void notKept()
    {
        const QDateTime started = QDateTime::currentDateTime();
        if (underWine())
            QCOMPARE(throughWine("notKept", "PRINTER=DEZENARIO-PDF"), 0);
        else {
            useDefault("DEZENARIO-PDF");
            settings().clear();
            text1()->setPlainText(Bets);
            QVERIFY(QDir(runsFolder()).removeRecursively()
                    && QFile(runsFolder()).open(QIODevice::WriteOnly));
            const QString told =
                    click(control<QPushButton>("IMPRIMIR"), { "3", "Sim", "OK" }).join(u'|');
            QFile::remove(runsFolder());
            QVERIFY2(told.contains(
                             "ERRO 70\nOS VOLANTES FORAM IMPRESSOS, MAS ESTA IMPRESSÃO NÃO "
                             "FOI GUARDADA EM VOLANTES IMPRESSOS: NÃO FOI POSSÍVEL GRAVAR EM "),
                     qPrintable(told));
            QCOMPARE(text1()->toPlainText(),
                     QString(Bets).mid(Bets.lastIndexOf(u'\n') + 1).mid(18 * 3));
        }
        QList<QImage> sheets; // the slip, where Linux reads it back
        QVERIFY(OnWindows
                || (rasterise("DEZENARIO-PDF", started, { "-r", "72" }, sheets)
                    && sheets.size() == 1));
    }

    // Two windows of the program, each in a process of its own, print two runs each at once: four
    // runs kept, each with its own games alone.
    void keptFromTwoWindows()
    {
        useDefault("DEZENARIO-NULL");
        const int window = qEnvironmentVariableIntValue("DEZENARIO_WINDOW");
        if (window) { // one of the two
            for (int run = 1; run <= 2; ++run) {
                text1()->setPlainText(
                        QString::asprintf("%02d-01-02-03-04-05-", window * 10 + run).repeated(3));
                const QStringList boxes = click(control<QPushButton>("IMPRIMIR"), { "3", "Sim" });
                QVERIFY2(text1()->toPlainText().isEmpty(), qPrintable(boxes.join(u'|')));
            }
            return;
        }
        QVERIFY(QDir(runsFolder()).removeRecursively());
        QProcess windows[2];
        for (int i = 0; i < 2; ++i) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("DEZENARIO_WINDOW", QString::number(i + 1));
            environment.insert("XDG_DATA_HOME", m_home.filePath(".local/share")); // this one's
            windows[i].setProcessEnvironment(environment);
            windows[i].setProcessChannelMode(QProcess::ForwardedChannels);
            windows[i].start(QCoreApplication::applicationFilePath(), { "keptFromTwoWindows" });
        }
        for (QProcess &window : windows)
            QVERIFY(window.waitForFinished(120000) && window.exitCode() == 0);
        QStringList kept;
        for (const RunStore::Listed &listed : RunStore().list()) {
            KeptRun run;
            QVERIFY(RunStore().load(listed.file, run));
            QString games;
            for (const KeptRun::Slip &slip : run.slips)
                for (const KeptRun::Game &game : slip.games)
                    games += QString::number(game.marked.value(0)) + u' ';
            kept << games;
        }
        kept.sort();
        QCOMPARE(kept, (QStringList { "11 11 11 ", "12 12 12 ", "21 21 21 ", "22 22 22 " }));
    }

    // CONFERIR on the text, by keys: a draw refused with its reason, then the games checked as the
    // slips mark them, the prized alone shown, the main window untouched.
    void check()
    {
        const QString text = "01-02-03-04-05-06-07-01-02-03-04-61-10-20-30-40-50-60-";
        text1()->setPlainText(text);
        control<QRadioButton>("Option2")->setChecked(true); // seven a game
        QStringList seen;
        const test::BoxAnswerer answerer({ "OK" }, [&](QDialog *box) {
            if (box->objectName() != u"Conferir")
                return void(seen << texts(box).last());
            box->setProperty("unanswered", true);
            QTimer::singleShot(0, box, [&seen, box] {
                auto *draw = box->findChild<QLineEdit *>("Sorteio");
                const QAbstractItemModel *games = box->findChild<QTableView *>("Jogos")->model();
                for (const char *typed : { "1 2 3 4 5", "01-02-03-04-05-60" }) {
                    draw->setFocus();
                    QTest::keyClick(draw, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(draw, typed);
                    QTest::keyClick(draw, Qt::Key_Return); // CONFERIR, the default
                }
                seen << box->findChild<QLabel *>("Resumo")->text();
                QStringList headings;
                for (int column = 0; column < games->columnCount(); ++column)
                    headings << games->headerData(column, Qt::Horizontal).toString();
                QCOMPARE(headings,
                         (QStringList { "VOLANTE", "JOGO", "DEZENAS", "ACERTOS", "SENAS", "QUINAS",
                                        "QUADRAS" }));
                box->findChild<QCheckBox *>("SoPremiados")->setFocus();
                QTest::keyClick(box->findChild<QCheckBox *>("SoPremiados"), Qt::Key_Space);
                for (int row = 0; row < games->rowCount(); ++row)
                    for (int column = 0; column < 7; ++column)
                        seen << games->index(row, column).data().toString();
                box->reject();
            });
        });
        m_window->findChild<QAction *>("actionConferir")->trigger();
        QCOMPARE(seen,
                 (QStringList { "ERRO 13\nO SORTEIO NÃO FOI CONFERIDO: HÁ 5 DEZENA(S), E NÃO SEIS. "
                                "DIGITE AS SEIS DEZENAS SORTEADAS, POR EXEMPLO 05 17 23 38 44 60.",
                                "SORTEIO 01 02 03 04 05 60: 3 JOGO(S) CONFERIDO(S), 0 SENA(S), 2 "
                                "QUINA(S) E 6 "
                                "QUADRA(S), CONTADAS COMO A LOTERIA PAGA. 1 JOGO(S) TÊM TEXTOS "
                                "SEM QUADRINHO NO VOLANTE, QUE NÃO SÃO APOSTAS.",
                                "1", "1", "[01] [02] [03] [04] [05] 06 07", "5", "0", "2", "5", "1",
                                "2", "[01] [02] [03] [04] 10 20 \"61\" (NÃO MARCADO)", "4", "0",
                                "0", "1" }));
        QCOMPARE(text1()->toPlainText(), text);
        QCOMPARE(entries(), QStringList());
    }

    // CONFERIR on more games than one print takes: the rest named, not taken for checked.
    void checkPastOnePrint()
    {
        text1()->setPlainText(QString("01-02-03-04-05-06-").repeated(300002));
        QStringList seen;
        const test::BoxAnswerer answerer({}, [&seen](QDialog *box) {
            for (const QLabel *label : box->findChildren<QLabel *>())
                seen << label->text();
        });
        m_window->findChild<QAction *>("actionConferir")->trigger();
        QVERIFY2(seen.join(u'|').contains("6 DEZENAS POR JOGO, OS DE UMA IMPRESSÃO (100000 "
                                          "VOLANTES). MAIS 2 JOGO(S) DO QUADRO NÃO SÃO CONFERIDOS "
                                          "AQUI: CONFIRA-OS DEPOIS DE IMPRIMIR ESTES.|"),
                 qPrintable(seen.join(u'|')));
    }

    void print_data()
    {
        QTest::addColumn<Queue>("queue");
        // The spooler's rows run on Windows, or on the same queues under Wine (tests/windows.sh).
        enum { Cups = 1, Spooler = 2, Both = 3 };
        const int here = OnWindows || underWine() ? 2 : 1;
        auto row = [here](int on, const char *name, const Queue &queue) {
            if (on & here)
                QTest::newRow(name) << queue;
        };
        const QString missing = "ERRO 484\nA IMPRESSORA PADRÃO \"%1\" NÃO EXISTE";
        const char *noCups = "127.0.0.1:9"; // nothing listens there
        row(Both, "A4", { "DEZENARIO-PDF", "3", 1, "18", {}, { 0, 0, 595, 842 } });
        row(Both, "US Letter, 2 slips",
            { "DEZENARIO-LETTER", "6", 4, "18 1", {}, { 0, 0, 612, 792 } });
        row(Cups, "slip's own size",
            { "DEZENARIO-SLIP", "3", 2, "18", {}, { 0, 0, 311.8, 566.9 } });
        row(Both, "PostScript, margins",
            { "DEZENARIO-PS", "3", 3, "18", {}, { 12, 12, 612, 792 } });
        row(Cups, "landscape", { "DEZENARIO-ACROSS", "3", 1, "18", {}, { 0, 0, 842, 595 }, 90 });
        row(Cups, "clockwise", { "DEZENARIO-TURNED", "3", 1, "18", {}, { 12, 12, 792, 612 }, 270 });
        row(Cups, "no such printer",
            { "NO-SUCH-QUEUE", nullptr, 1, {}, missing.arg("NO-SUCH-QUEUE") });
        row(Cups, "lpoptions' default gone",
            { "", nullptr, 1, {}, missing.arg("NO-DEFAULT-QUEUE") });
        row(Cups, "printer rejects jobs",
            { "DEZENARIO-REFUSING",
              nullptr,
              1,
              {},
              "ERRO 482\nA IMPRESSORA \"DEZENARIO-REFUSING\" NÃO" });
        row(Cups, "refused at the end",
            { "DEZENARIO-DENIED", "3", 1, {}, "ERRO 482\nA IMPRESSORA" });
        // Moved and stretched from the corner; the mark keeps its size.
        const QRectF a4(0, 0, 595, 842), letter(0, 0, 612, 792);
        auto aligned = [](const char *printer, const QRectF &sheet, Alignment alignment,
                          int option = 1, const char *chosen = nullptr) {
            Queue queue { printer, "3", option, "18", {}, sheet };
            queue.aligned = alignment;
            queue.chosen = chosen;
            return queue;
        };
        row(Both, "A4, moved", aligned("DEZENARIO-PDF", a4, { 5, 3 }));
        row(Cups, "US Letter, moved", aligned("DEZENARIO-LETTER", letter, { 5, 3 }));
        row(Cups, "A4, stretched", aligned("DEZENARIO-PDF", a4, { 0, 0, 102 }));
        row(Cups, "US Letter, both", aligned("DEZENARIO-LETTER", letter, { 5, 3, 102, 98 }, 4));
        row(Both, "values not a number", aligned("DEZENARIO-PDF", a4, { qQNaN() }));
        row(Both, "chosen over the default",
            aligned("DEZENARIO-LETTER", a4, { -2, 1 }, 1, "DEZENARIO-PDF"));
        row(Both, "chosen printer gone",
            { .printer = "DEZENARIO-PDF",
              .error = "ERRO 484\nA IMPRESSORA \"DEZENARIO-GONE\", ESCOLHIDA PARA OS VOLANTES, "
                       "NÃO ESTÁ MAIS INSTALADA. ESCOLHA OUTRA EM IMPRESSÃO > AJUSTAR VOLANTES.",
              .chosen = "DEZENARIO-GONE" });
        row(Cups, "off the paper",
            { .printer = "DEZENARIO-SLIP",
              .error = "ERRO 5\nA IMPRESSORA \"DEZENARIO-SLIP\": AS MARCAS SAIRIAM DO PAPEL PELA "
                       "DIREITA. NESTE PAPEL, \"DIREITA\" VAI NO MÁXIMO ATÉ 14,1 MM.",
              .aligned = { 20 } });
        row(Cups, "cancelled", { "DEZENARIO-PDF" });
        row(Cups, "declined", { .printer = "DEZENARIO-PDF", .quantity = "3", .confirm = "Não" });
        row(Cups, "not a number", { "DEZENARIO-PDF", "TRES", 1, {}, "ERRO 13\n" });
        row(Both, "no printing service",
            { .printer = "DEZENARIO-PDF",
              .error = "ERRO 484\nO SERVIÇO DE",
              .server = noCups,
              .spoolerRuns = false });
        row(Spooler, "refused at its start",
            { .printer = "DEZENARIO-PDF",
              .quantity = "3",
              .error = "ERRO 482\nA IMPRESSORA",
              .spoolFolderTakesJob = false });
        row(Spooler, "no printer",
            { .printer = "DEZENARIO-PDF",
              .error = "ERRO 484\nNENHUMA IMPRESSORA INSTALADA",
              .server = noCups });
    }
    void print()
    {
        QFETCH(Queue, queue);
        const QString printer = QString::fromLatin1(queue.printer);
        const QDateTime started = QDateTime::currentDateTime();
        const bool kept = !queue.error.isEmpty() || !queue.quantity
                || QString(queue.confirm) == "Não"; // the bets stay
        QStringList log; // every number of Bets is taken
        const auto pages = printRun(queue.option + 5, kept ? 0 : atoi(queue.quantity) / 3, log);
        if (underWine()) {
            const QString on =
                    queue.server ? "CUPS_SERVER=" + QString(queue.server) : "PRINTER=" + printer;
            QCOMPARE(throughWine(QStringLiteral("print:") + QTest::currentDataTag(), on,
                                 queue.spoolerRuns, queue.spoolFolderTakesJob),
                     0);
        } else { // through the window, answering its boxes
            useDefault(printer, queue.server);
            settings().clear();
            if (queue.chosen || !queue.aligned.isIdentity())
                QVERIFY(SlipSettings()
                                .save(queue.chosen, queue.chosen ? queue.chosen : printer,
                                      queue.aligned)
                                .isEmpty());
            text1()->setPlainText(Bets);
            control<QListWidget>("List1")->addItem(QStringLiteral("old"));
            control("List1")->setAccessibleDescription(QStringLiteral("old"));
            control<QRadioButton>(QStringLiteral("Option%1").arg(queue.option))->setChecked(true);
            QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
            QSignalSpy shown(control<QListWidget>("List1")->model(),
                             &QAbstractItemModel::rowsInserted);
            const FrontPaints progress(text1());
            const QStringList answers =
                    queue.quantity ? QStringList { queue.quantity, queue.confirm } : QStringList();
            const QString boxes = click(control<QPushButton>("IMPRIMIR"), answers).join(u'|');
            QVERIFY2(boxes.contains("ErrorBox|DEZENARIO|" + queue.error) == !queue.error.isEmpty()
                             && !boxes.contains(QStringLiteral("CLIPPED"))
                             && !boxes.contains(QStringLiteral("UNANSWERED"))
                             && boxes.contains(QStringLiteral("|MsgBox|")) == bool(queue.quantity),
                     qPrintable(boxes
                                + "\n(a test queue missing? scripts/setup-printers.sh adds it)"));
            QCOMPARE(boxes.contains(QStringLiteral("AS APOSTAS FORAM MANTIDAS")),
                     queue.quantity && queue.error.startsWith(QStringLiteral("ERRO 482")));
            QCOMPARE(beeps.count(), kept ? 0 : 1); // no sound of success for a print not done
            QCOMPARE(text1()->toPlainText(), kept ? Bets : QString());
            // A cleared list tells no outcome; a run shows what is left of the bets as it goes.
            QCOMPARE(control("List1")->accessibleDescription().isEmpty(),
                     kept && !entries().contains("old"));
            QCOMPARE(progress.fronts.isEmpty(), !entries().contains("01"));
            QCOMPARE(text1()->document(), progress.own); // the user's own document, once it ends
            if (!kept) {
                QCOMPARE(entries(), log);
                QVERIFY(shown.count() > 1); // the log shows as the run goes, not only at its end
                QVERIFY(!text1()->document()->isUndoAvailable()); // no edits of the user's
                QCOMPARE(control("List1")->accessibleName(), QStringLiteral("IMPRESSOS"));
            }
        }
        if (kept) // nothing reached the queue
            QCOMPARE(written(started), QStringList());
        if (kept || OnWindows)
            return; // Linux reads the sheets back

        // At 144 dpi: 10 twips a pixel.
        QList<QImage> sheets;
        QVERIFY(rasterise(queue.chosen ? queue.chosen : printer, started, { "-r", "144" }, sheets));
        QStringList counts;
        const Alignment aligned = queue.aligned.inRange() ? queue.aligned : Alignment();
        for (int i = 0; i < sheets.size(); ++i) {
            const QImage page = sheets[i]
                                        .transformed(QTransform().rotate(queue.turn))
                                        .convertToFormat(QImage::Format_Grayscale8);
            const QSizeF off = 2 * queue.sheet.size() - page.size();
            QVERIFY2(qMax(qAbs(off.width()), qAbs(off.height())) <= 1.5, "not the paper's size");
            const QList<QRect> found = darkBlobs(page);
            counts << QString::number(found.size());
            for (const QPoint &twips : pages.value(i)) {
                // Both corners within 1.4 px (0.25 mm): the mark is 0.10 by 0.16 inch.
                const QRectF mark(2 * queue.sheet.topLeft() + placed(aligned, twips) / 10,
                                  QSizeF(14.4, 23.04));
                QVERIFY2(blobAt(found, mark, 1.4),
                         qPrintable(QString::asprintf("page %d: no mark at %d,%d twips", i + 1,
                                                      twips.x(), twips.y())));
            }
        }
        QCOMPARE(counts.join(u' '), queue.sheets);
    }
};

QTEST_MAIN(TestDezenario)
#include "tst_dezenario.moc"
