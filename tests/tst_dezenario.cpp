// The program through its real window on the offscreen platform, the quantity's
// conversion, the fuzz corpus against the literal model, and printing for real
// through CUPS to the queues of scripts/setup-printers.sh, every mark found again on the sheets.
#include "mainwindow.h"
#include "peakmemory.h"
#include "qtadapters.h"
#include "slipprintjob.h"
#include "support.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>
#ifndef Q_OS_WIN
#    include <cups/cups.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

using namespace dezenario;

namespace {
// Clicks a button and answers the boxes it opens in order by keyboard: Enter, with the answer typed
// first into an input box; Esc for a null answer, or when none is left. Gives each box's name,
// title and texts, "CLIPPED" where a question of ours does not show whole (above its buttons, at
// most 700 px wide, unshrinkable), and "UNANSWERED" for answers left over.
QStringList click(QWidget *window, const char *button, QStringList answers)
{
    QStringList seen;
    QPointer<QWidget> last;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!box || box == last)
            return;
        seen << box->objectName() << (last = box)->windowTitle();
        for (QLabel *label : box->findChildren<QLabel *>())
            seen << label->text();
        const auto *prompt = box->findChild<QLabel *>(QStringLiteral("prompt"));
        if (box->objectName() == QLatin1String("MsgBox")
            && !(prompt && box->width() <= 700 && box->minimumSize() == box->size()
                 && prompt->heightForWidth(prompt->width()) <= prompt->height()
                 && prompt->geometry().bottom() < box->findChild<QDialogButtonBox *>()->y()))
            seen << QStringLiteral("CLIPPED");
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        if (auto *input = qobject_cast<QInputDialog *>(box); input && !answer.isNull())
            input->setTextValue(answer);
        QTest::keyClick(box, answer.isNull() ? Qt::Key_Escape : Qt::Key_Return);
    });
    timer.start(5);
    QTest::mouseClick(window->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    seen.removeAll(QString());
    return answers.isEmpty() ? seen : seen << QStringLiteral("UNANSWERED");
}

// Counts the paints of a text box that show another document than its own: the front of what a
// command has left.
struct FrontPaints : QObject
{
    explicit FrontPaints(QPlainTextEdit *box) : box(box)
    {
        box->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint && box->document() != own;
        return false;
    }
    QPlainTextEdit *box;
    QTextDocument *own = box->document();
    int count = 0;
};

// One slip of six a game; two slips at nine a game, the second of them blank. The
// line break stays with the number after it, which is then no number of the slip.
const QString NoService = QString::fromUtf8("ERRO 484\nO SERVIÇO DE IMPRESSÃO");

const QString Bets = QStringLiteral("01-10-11-35-51-60-\n02-12-22-32-42-52-09-19-29-39-49-59-");

bool onWindows()
{
    return QSysInfo::kernelType() == QLatin1String("winnt");
}

struct Queue
{
    const char *name, *printer, *quantity; // an empty printer: the default that lpoptions names
    int option, turn; // turn: the degrees that turn the sheet back into the page, for queues in
                      // landscape
    QRectF sheet; // the page in points, at the corner of its printable area
    QString marks; // on each page, in order; or the error's start
    const char *server = nullptr; // a printing service in its place, CUPS_SERVER's form
};
} // namespace
Q_DECLARE_METATYPE(Queue)

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
    QStringList entries()
    {
        const auto *list = control<QListWidget>("List1");
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        return shown;
    }

    // Prints Bets through the window, answering its boxes, and checks what the window shows after.
    void clickPrint(const Queue &queue, const model::PrintRun &want)
    {
        const QString marks = queue.marks;
        const bool failed = marks.startsWith(QStringLiteral("ERRO"));
#ifndef Q_OS_WIN
        queue.server ? qputenv("CUPS_SERVER", queue.server) : qunsetenv("CUPS_SERVER");
        cupsSetServer(nullptr); // CUPS reads the variable again
#endif
        text1()->setPlainText(Bets);
        control<QRadioButton>(QStringLiteral("Option%1").arg(queue.option))->setChecked(true);
        QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
        QSignalSpy shown(control<QListWidget>("List1")->model(), &QAbstractItemModel::rowsInserted);
        // A missing printer, or one that takes no jobs, is told before anything is asked.
        const bool asked = !marks.startsWith(QStringLiteral("ERRO 484"))
                && !marks.contains(QStringLiteral("NÃO ESTÁ ACEITANDO"));
        const QStringList answers { QString::fromUtf8(queue.quantity), QStringLiteral("Sim") };
        const QString boxes = click(m_window, "IMPRIMIR", answers.mid(asked ? 0 : 2)).join(u'|');
        QVERIFY2(
                boxes.contains(QStringLiteral("ErrorBox|DEZENARIO|") + (failed ? marks : QString()))
                                == failed
                        && !boxes.contains(QStringLiteral("CLIPPED"))
                        && !boxes.contains(QStringLiteral("UNANSWERED")),
                qPrintable(boxes));
        QCOMPARE(boxes.contains(QStringLiteral("AS APOSTAS FORAM MANTIDAS")),
                 asked && marks.startsWith(QStringLiteral("ERRO 482")));
        QCOMPARE(beeps.count(),
                 failed ? 0 : 1); // no sound of success for a print that did not happen
        QCOMPARE(text1()->toPlainText(), failed ? Bets : want.left);
        if (failed)
            return;
        QCOMPARE(entries(), want.log);
        QVERIFY(shown.count() > 1); // the log shows as the run goes, not only at its end
        QVERIFY(!text1()->document()->isUndoAvailable()); // the cuts are no edits of the user's
        QCOMPARE(control("List1")->accessibleName(),
                 QStringLiteral("IMPRESSOS")); // named by its heading
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        // A home whose lpoptions name a default printer that does not exist; CUPS reads it at its
        // first call.
        QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral(".cups")));
        QFile lpoptions(m_home.filePath(QStringLiteral(".cups/lpoptions")));
        QVERIFY(lpoptions.open(QIODevice::WriteOnly)
                && lpoptions.write("Dest ANOTHER-QUEUE\nDefault NO-DEFAULT-QUEUE\n") > 0);
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("LPDEST");
    }
    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup()
    {
        delete m_window;
    }

    void quantity_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("slips"); // or the error's number
        const struct
        {
            const char *quantity, *locale;
            int slips;
        } rows[] = { { "1", "C", 0 },
                     { "2", "C", 1 },
                     { "4", "C", 1 },
                     { "5", "C", 2 },
                     { "  9 ", "C", 3 },
                     { "7,5", "pt_BR", 2 },
                     { "4,5", "pt_BR", 2 },
                     { "7.5", "C", 2 },
                     { "3.000", "pt_BR", 1000 },
                     { "-3", "C", -1 },
                     { "3e2", "C", 100 },
                     { "300000", "C", 100000 },
                     { "300003", "C", 6 },
                     { "999999999999", "C", 6 },
                     { "-999999999999", "C", 6 },
                     { "1e9", "C", 6 },
                     { "abc", "C", 13 },
                     { "3x", "C", 13 },
                     { "   ", "C", 13 },
                     { "NaN", "C", 13 },
                     { "∞", "C", 13 },
                     { "1e400", "C", 13 } };
        for (const auto &row : rows)
            QTest::addRow("%s", row.quantity)
                    << QString::fromUtf8(row.quantity) << row.locale << row.slips;
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

    void fuzzCorpus()
    {
        int inputs = 0; // a difference from the literal model aborts, naming the input
        for (QDirIterator it(QStringLiteral(DEZENARIO_CORPUS), QDir::Files); it.hasNext();
             ++inputs) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray input = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                                   size_t(input.size()));
        }
        QVERIFY(inputs > 500);
    }

    void startsWhole()
    {
        // The whole frame, title bar included, where there is one (Windows).
        QVERIFY((m_window->frameGeometry().center()
                 - QGuiApplication::primaryScreen()->availableGeometry().center())
                        .manhattanLength()
                <= 4);
        QCOMPARE(QFontInfo(m_window->font()).family(),
                 QStringLiteral("DejaVu Sans Condensed")); // the system's, or the one carried
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Paste"),
                 QStringLiteral("Co&lar")); // Qt's own menu
        // Every caption whole at the window's font: its wrapped text fits the label (a word too
        // wide widens the box).
        for (QLabel *label : m_window->findChildren<QLabel *>()) {
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed =
                    QFontMetrics(label->font())
                            .boundingRect(QRect(0, 0, label->width(), 10000), flags, label->text());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                     qPrintable(label->objectName()));
        }
        for (QAbstractButton *button : m_window->findChildren<QAbstractButton *>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            auto metric = [&](QStyle::PixelMetric m) {
                return button->style()->pixelMetric(m, &option, button);
            };
            const int room = qobject_cast<QRadioButton *>(button)
                    ? metric(QStyle::PM_ExclusiveIndicatorWidth)
                            + metric(QStyle::PM_RadioButtonLabelSpacing)
                    : 2 * metric(QStyle::PM_ButtonMargin);
            QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(button->text().trimmed()) + room
                             <= button->width(),
                     qPrintable(button->objectName()));
        }
        // The count reads in the heading's blank line, in front of it, and the mark over the how-to
        // text.
        auto *label1 = control<QLabel>("Label1");
        QCOMPARE(label1->y() - control("Label2")->y(),
                 2 * QFontMetrics(label1->font()).lineSpacing());
        label1->setText(QStringLiteral("100"));
        QCOMPARE(m_window->childAt(label1->geometry().topLeft() + QPoint(2, 2)), label1);
        QCOMPARE(m_window->childAt(control("INKPicture1")->geometry().center()),
                 control("INKPicture1"));
    }

    void analysis_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("separator"); // null: Cancel
        QTest::addColumn<QString>("entries");
        const QString worked = QStringLiteral(
                "01) 01-05-35-51-38-07\r\n02) 03-11-20-33-41-59\r\n03) 02-08-15-27-44-60");
        const char *all = "01 02 03 05 07 08 11 15 20 27 33 35 38 41 44 51 59 60";
        QTest::newRow("worked example: each line keeps its last number") << worked << ")" << all;
        QTest::newRow("two-character separator, lines of LF alone")
                << QString(worked).remove(u'\r') << ") " << all;
        QTest::newRow("lines of CR alone and Unicode separators, 300 of them")
                << QString(worked)
                           .replace(QStringLiteral("\r\n"), QStringLiteral("\r"))
                           .append(QChar(0x2028))
                           .repeated(100)
                << ")" << all;
        QTest::newRow("default separator on dash indexes counts them") << "02-  01 05\r\n03-  04 12"
                                                                       << ")"
                                                                       << "01 02 03 04 05 12";
        QTest::newRow("heading cut with the first index; an index cut within 13 characters")
                << "MEGA 99 01) 11\r\n8888888888) 22\r\n77777777777) 33\r\n"
                << ")"
                << "11 22 33 77";
        QTest::newRow("no line breaks: only the first index goes") << "44) 05 77) 06"
                                                                   << ")"
                                                                   << "05 06 77";
        QTest::newRow("a pass that removes nothing ends the passes")
                << "\n01)\r\n0123456789012345) 07"
                << ")"
                << "01 07 12 23 34 45 56 67 78 89 90";
        QTest::newRow("cancel: pairs of ASCII digits, 100 as itself")
                << QString::fromUtf8("42 61 99 00 5 /7 0135 ١٢ １２ 100") << QString()
                << "01 10 13 35 42 61 99 100";
        QTest::newRow("NUL and control characters")
                << QString::fromLatin1("01) 05\0006\x01\x1b\r\n02) 0\x07"
                                       "7-08\x7f",
                                       30)
                << ")"
                << "08";
        QTest::newRow("non-Latin text and emoji")
                << QString::fromUtf8("01) ΑΒΓ 12-13\r\n02) 中文 😀 14\r\n03) 15") << ")"
                << "12 13 14 15";
        QTest::newRow("separator longer than the text") << "01) 02"
                                                        << ")))))))))))"
                                                        << "01 02";
        QTest::newRow("separator of blanks") << "01  02  03"
                                             << "  "
                                             << "02 03";
        QTest::newRow("empty") << ""
                               << ")"
                               << "";
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
        QVERIFY(text1()->blockCount()
                <= 1 + pasted.size() / 1024); // lines go in blocks of about a kilobyte
        text1()->undo(); // one undo takes the whole paste back
        QCOMPARE(text1()->toPlainText(), QString());
        text1()->redo();
        const QString read = QtTextBox(text1()).text(); // line breaks as CR LF
        QCOMPARE(read,
                 QString(pasted).replace(QRegularExpression(QStringLiteral("\r\n|\r|\n|\u2028")),
                                         QStringLiteral("\r\n")));
        control<QLabel>("Label4")->setText(QStringLiteral("IMPRESSOS"));
        control<QListWidget>("List1")->addItem(QStringLiteral("old"));
        QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
        QCOMPARE(click(m_window, "ANALIZAR", { separator }).mid(0, 2),
                 (QStringList { "InputBox", "ELIMINAR SEPARADORES" }));
        const QStringList want = entries.split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(this->entries(), want);
        QCOMPARE(model::analyse(read, separator), want);
        QCOMPARE(control<QLabel>("Label1")->text(), QString::number(want.size()));
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("ENCONTRADAS"));
        QCOMPARE(control("List1")->accessibleDescription(),
                 QStringLiteral("DEZENAS ENCONTRADAS: %1").arg(want.size()));
        QCOMPARE(text1()->toPlainText(), QString());
        QVERIFY(text1()->document()->isUndoRedoEnabled());
        QCOMPARE(beeps.count(), 1);
    }

    void tenMegabytes()
    {
        // Indexes far past 100 000 lines before the same six numbers: an index left in would add
        // numbers.
        QString text;
        for (int i = 1; text.size() < 10'000'000; ++i)
            text += QString::number(i) + QStringLiteral(") 11-12-13-14-15-16\r\n");
        QApplication::clipboard()->setText(std::exchange(text, QString()));
        text1()->paste();
        QApplication::clipboard()->clear();
        test::PeakMemory memory;
        QVERIFY(memory.start());
        const FrontPaints progress(text1());
        click(m_window, "ANALIZAR", { QStringLiteral(")") });
        QCOMPARE(entries(), (QStringList { "11", "12", "13", "14", "15", "16" }));
        QVERIFY(progress.count > 0); // the box shows what is left as the command goes
        const long grown = memory.grownKilobytes(); // the command's own copies: a few times the
                                                    // text's 20 MB of UTF-16 at most
        QVERIFY2(grown > 0 && grown * 1024 < 4 * 20'000'000, qPrintable(QString::number(grown)));
    }

    void print_data()
    {
        QTest::addColumn<Queue>("queue");
        const QString missing =
                QString::fromUtf8("ERRO 484\nA IMPRESSORA PADRÃO \"%1\" NÃO EXISTE");
        const QList<Queue> cups {
            Queue { "A4, whole sheet printable",
                    "DEZENARIO-PDF",
                    "3",
                    1,
                    0,
                    { 0, 0, 595, 842 },
                    "18" },
            Queue { "US Letter, nine a game: the second slip blank",
                    "DEZENARIO-LETTER",
                    "6",
                    4,
                    0,
                    { 0, 0, 612, 792 },
                    "18 1" },
            Queue { "custom paper of the slip's size",
                    "DEZENARIO-SLIP",
                    "3",
                    2,
                    0,
                    { 0, 0, 311.8, 566.9 },
                    "18" },
            Queue { "PostScript with margins, set to fit",
                    "DEZENARIO-PS",
                    "3",
                    3,
                    0,
                    { 12, 12, 612, 792 },
                    "18" },
            Queue { "landscape by default",
                    "DEZENARIO-ACROSS",
                    "3",
                    1,
                    90,
                    { 0, 0, 842, 595 },
                    "18" },
            Queue { "reverse landscape, margins",
                    "DEZENARIO-TURNED",
                    "3",
                    1,
                    270,
                    { 12, 12, 792, 612 },
                    "18" },
            Queue { "no such printer",
                    "NO-SUCH-QUEUE",
                    "3",
                    1,
                    0,
                    {},
                    missing.arg("NO-SUCH-QUEUE") },
            Queue { "lpoptions name one missing",
                    "",
                    "3",
                    1,
                    0,
                    {},
                    missing.arg("NO-DEFAULT-QUEUE") },
            Queue { "printer rejects jobs",
                    "DEZENARIO-REFUSING",
                    "3",
                    1,
                    0,
                    {},
                    QString::fromUtf8(
                            "ERRO 482\nA IMPRESSORA \"DEZENARIO-REFUSING\" NÃO ESTÁ ACEITANDO") },
            Queue { "not a number", "DEZENARIO-PDF", "TRES", 1, 0, {}, "ERRO 13\n" },
            Queue { "no printing service",
                    "DEZENARIO-PDF",
                    "3",
                    1,
                    0,
                    {},
                    NoService,
                    "127.0.0.1:9" }
        };
        // Wine shows the same CUPS queues as Windows printers. These rows run on Windows, or on
        // Linux under Wine through the installed Windows test that tests/windows.sh names.
        const QList<Queue> spooler {
            Queue { "A4", "DEZENARIO-PDF", "3", 1, 0, { 0, 0, 595, 842 }, "18" },
            Queue { "US Letter", "DEZENARIO-LETTER", "6", 4, 0, { 0, 0, 612, 792 }, "18 1" },
            Queue { "PostScript with margins",
                    "DEZENARIO-PS",
                    "3",
                    3,
                    0,
                    { 12, 12, 612, 792 },
                    "18" },
            Queue { "landscape", "DEZENARIO-WIDE", "3", 1, 0, { 0, 0, 842, 595 }, "18" },
            Queue { "job refused at its start",
                    "DEZENARIO-PDF",
                    "3",
                    1,
                    0,
                    {},
                    "ERRO 482\nA IMPRESSORA" },
            Queue { "no printing service",
                    "DEZENARIO-PDF",
                    "3",
                    1,
                    0,
                    {},
                    NoService,
                    "127.0.0.1:9" },
            Queue { "no printer",
                    "DEZENARIO-PDF",
                    "3",
                    1,
                    0,
                    {},
                    "ERRO 484\nNENHUMA IMPRESSORA INSTALADA",
                    "127.0.0.1:9" }
        };
        for (const Queue &q :
             onWindows() || qEnvironmentVariableIsSet("DEZENARIO_WINE_TEST") ? spooler : cups)
            QTest::newRow(q.name) << q;
    }
    void print()
    {
        QFETCH(Queue, queue);
        const QString printer = QString::fromLatin1(queue.printer),
                      quantity = QString::fromUtf8(queue.quantity), &marks = queue.marks;
        const QString psFile = qEnvironmentVariable("DEZENARIO_PS_FILE");
        QFile::remove(psFile);
        const QDir pdfs(qEnvironmentVariable("DEZENARIO_PDF_DIR"));
        const QStringList before = pdfs.entryList({ QStringLiteral("*.pdf") });
        const bool failed = marks.startsWith(QStringLiteral("ERRO"));
        const model::PrintRun want =
                model::print(QString(Bets).replace(u'\n', QStringLiteral("\r\n")), queue.option + 5,
                             failed ? 0 : quantity.toInt() / 3);
        if (qEnvironmentVariableIsSet("DEZENARIO_WINE_TEST") && !onWindows()) {
            // The Windows program's own row, under Wine; its sheets are read back here.
            auto run = [](const char *program,
                          const QStringList
                                  &arguments) { // quietly: a server left running keeps no pipe open
                QProcess process;
                process.setStandardOutputFile(QProcess::nullDevice());
                process.setStandardErrorFile(QProcess::nullDevice());
                process.start(qEnvironmentVariable(program), arguments);
                process.waitForFinished();
            };
            run("WINESERVER", { "-k" }); // Wine reads the default printer once per server
            run("WINESERVER", { "-p" }); // which keeps the spooler service running, as Windows does
            if (!marks.startsWith(NoService))
                run("WINE", { "net", "start", "spooler" });
            // Wine drops CUPS's refusal of a job. A spool folder that cannot take the job is a
            // refusal that Windows reports, at the job's start.
            const QString spool = qEnvironmentVariable("WINEPREFIX")
                    + QStringLiteral("/drive_c/windows/system32/spool/printers");
            const bool refuse = marks.startsWith(QStringLiteral("ERRO 482"));
            QVERIFY(!refuse || (QDir().rmdir(spool) && QFile(spool).open(QIODevice::WriteOnly)));
            auto mend = qScopeGuard([&] { refuse &&QFile::remove(spool) && QDir().mkdir(spool); });
            QProcess wine;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(queue.server ? "CUPS_SERVER" : "PRINTER",
                       QString::fromLatin1(queue.server ? queue.server : queue.printer));
            wine.setProcessEnvironment(env);
            QTemporaryFile log; // Wine does not pass a console's output on
            QVERIFY(log.open());
            wine.start(qEnvironmentVariable("WINE"),
                       { qEnvironmentVariable("DEZENARIO_WINE_TEST"),
                         QStringLiteral("print:") + QTest::currentDataTag(), "-o",
                         "Z:" + log.fileName() + ",txt" });
            QVERIFY(wine.waitForFinished(180000));
            QVERIFY2(wine.exitCode() == 0, log.readAll().constData());
        } else {
            printer.isEmpty() ? qunsetenv("PRINTER") : qputenv("PRINTER", printer.toLocal8Bit());
            clickPrint(queue, want);
            if (QTest::currentTestFailed())
                return;
        }
        if (failed)
            QCOMPARE(pdfs.entryList({ QStringLiteral("*.pdf") }),
                     before); // nothing reached the queue
        if (failed || onWindows())
            return; // Linux reads the sheets back

        // What CUPS wrote, one gray raster a page at 144 dpi: 2 pixels a point, 10 twips a pixel.
        QTRY_VERIFY_WITH_TIMEOUT(
                QProcess::execute("sh",
                                  { "-c", QStringLiteral("lpstat -o %1 | grep -q .").arg(printer) })
                        == 1,
                240000);
        QTemporaryDir raster;
        if (QFile::exists(psFile))
            QProcess::execute("gs",
                              { "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", "-r144",
                                "-sOutputFile=" + raster.filePath("%03d.pgm"), psFile });
        for (const QString &name : pdfs.entryList({ QStringLiteral("*.pdf") }))
            if (!before.contains(name)
                && QProcess::execute(
                           "pdftoppm",
                           { "-r", "144", "-gray", pdfs.filePath(name), raster.filePath("p") })
                        == 0)
                QFile::remove(pdfs.filePath(name));
        const QStringList pages = QDir(raster.path()).entryList(QDir::Files, QDir::Name);
        QStringList counts;
        for (int i = 0; i < pages.size(); ++i) {
            const QImage page = QImage(raster.filePath(pages[i]))
                                        .transformed(QTransform().rotate(queue.turn))
                                        .convertToFormat(QImage::Format_Grayscale8);
            QVERIFY2(qAbs(page.width() - 2 * queue.sheet.width()) <= 1.5
                             && qAbs(page.height() - 2 * queue.sheet.height()) <= 1.5,
                     qPrintable(QStringLiteral("a sheet of %1x%2 px")
                                        .arg(page.width())
                                        .arg(page.height())));
            QList<QRect> found; // every dark blob, as its bounding box
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (page.constScanLine(y)[x] < 128) {
                        auto blob = std::find_if(found.begin(), found.end(), [&](const QRect &r) {
                            return r.adjusted(-2, -2, 2, 2).contains(x, y);
                        });
                        blob == found.end() ? found.append(QRect(x, y, 1, 1))
                                            : void(*blob |= QRect(x, y, 1, 1));
                    }
            counts << QString::number(found.size());
            auto near = [](QPointF a, QPointF b) {
                return qMax(qAbs(a.x() - b.x()), qAbs(a.y() - b.y())) <= 1.5;
            };
            for (const QPoint &twips :
                 want.pages.value(i)) { // both corners: the mark is 0.10 by 0.16 inch
                const QRectF mark(2 * queue.sheet.topLeft() + QPointF(twips) / 10,
                                  QSizeF(14.4, 23.04));
                QVERIFY2(std::any_of(found.cbegin(), found.cend(),
                                     [&](QRectF r) {
                                         return near(r.topLeft(), mark.topLeft())
                                                 && near(r.bottomRight(), mark.bottomRight());
                                     }),
                         qPrintable(QStringLiteral("page %1: no mark at %2,%3 twips")
                                            .arg(i + 1)
                                            .arg(twips.x())
                                            .arg(twips.y())));
            }
        }
        QCOMPARE(counts.join(u' '), marks);
    }
};

QTEST_MAIN(TestDezenario)
#include "tst_dezenario.moc"
