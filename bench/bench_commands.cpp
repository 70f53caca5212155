// How the window's commands scale with the size of the text, driven as a user
// drives them, on the offscreen platform:
//   WindowAnalysis/lines:N/separator:S  paste N indexed lines through the
//       clipboard, then ANALIZAR with ")" (S=1) or Cancel (S=0), to the beep.
//   WindowPrint/numbers:N/kept:K  paste N numbers with dashes, then IMPRIMIR with the
//       quantity that takes them all, to the beep, the run kept (K=1) or not (K=0); PRINTER
//       names the queue (the test set-up's DEZENARIO-NULL throws the pages away).
//   WindowRuns/runs:N/slips:S  VOLANTES IMPRESSOS with N runs of S slips kept, to its first
//       slip drawn.
//   WindowCheck/N  CONFERIR on N numbers pasted, from the menu to the games checked and shown.
//   WindowPreview/numbers:N/indexed:I  VISUALIZAR VOLANTES on N numbers pasted, six a
//       game, as one run with dashes (I=0), or as N/6 indexed lines whose ends run into the
//       next line's index (I=1: one problem a line): from the menu to the window shown with
//       its first slip drawn (open_ms, and against the paste, open_per_paste), a page turn
//       with its drawing (turn_ms), and the peak memory that the paste and the preview each
//       add (paste_MB, preview_MB).
// Each reports the time per line or number and the growth of the peak memory.
#include "boxanswerer.h"
#include "mainwindow.h"
#include "peakmemory.h"
#include "qtadapters.h"
#include "runstore.h"
#include "slipprintjob.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cups/cups.h>

using namespace dezenario;

namespace {

// Indexed lines as a user pastes them: "1) 07-23-...", random numbers up to 60.
QString combinations(int count)
{
    QString text;
    text.reserve(count * 26);
    quint32 seed = 12345;
    for (int i = 1; i <= count; ++i) {
        text += QString::number(i) + QStringLiteral(") ");
        for (int k = 0; k < 6; ++k) {
            seed = seed * 1664525u + 1013904223u;
            text += QStringLiteral("%1").arg(int(seed >> 16) % 60 + 1, 2, 10, QLatin1Char('0'));
            if (k < 5)
                text += u'-';
        }
        if (i < count)
            text += u'\n';
    }
    return text;
}

// One use of the window: the text pasted through the clipboard into the empty
// Text1 until the box has laid it out, then a click on the button, its boxes
// answered as they show, until the command ends.
struct Use
{
    double pasteSeconds = 0;
    double clickSeconds = 0;
    long grownKilobytes = 0;
};

Use pasteAndClick(MainWindow &window, const QString &text, const char *button,
                  const QStringList &answers)
{
    QApplication::clipboard()->setText(text);
    dezenario::test::PeakMemory memory;
    memory.start();
    Use use;
    QElapsedTimer t;
    t.start();
    window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->paste();
    QApplication::processEvents();
    use.pasteSeconds = t.nsecsElapsed() / 1e9;
    const dezenario::test::BoxAnswerer answerer(answers);
    t.restart();
    window.findChild<QPushButton *>(QString::fromLatin1(button))->click();
    use.clickSeconds = t.nsecsElapsed() / 1e9;
    use.grownKilobytes = memory.grownKilobytes();
    QApplication::clipboard()->clear();
    return use;
}

// The best of the iterations: the least noisy figure on a shared machine.
void report(benchmark::State &state, const QList<Use> &uses, double count, const char *unit)
{
    Use best { 1e9, 1e9, 0 };
    for (const Use &use : uses) {
        best.pasteSeconds = std::min(best.pasteSeconds, use.pasteSeconds);
        best.clickSeconds = std::min(best.clickSeconds, use.clickSeconds);
        best.grownKilobytes = std::max(best.grownKilobytes, use.grownKilobytes);
    }
    state.counters["paste_ms"] = best.pasteSeconds * 1e3;
    state.counters["click_ms"] = best.clickSeconds * 1e3;
    state.counters[std::string("paste_ns_") + unit] = best.pasteSeconds / count * 1e9;
    state.counters[std::string("click_ns_") + unit] = best.clickSeconds / count * 1e9;
    state.counters[std::string("peak_bytes_") + unit] = best.grownKilobytes * 1024.0 / count;
}

// ANALIZAR on N indexed lines, the prompt answered ")" (separator 1) or Cancel (0).
void WindowAnalysis(benchmark::State &state)
{
    const int lines = int(state.range(0));
    const QString text = combinations(lines);
    MainWindow window;
    window.show();
    QList<Use> uses;
    for (auto _ : state) {
        uses << pasteAndClick(window, text, "ANALIZAR",
                              { state.range(1) ? QStringLiteral(")") : QString() });
        state.SetIterationTime(uses.last().pasteSeconds + uses.last().clickSeconds);
    }
    report(state, uses, lines, "line");
}
BENCHMARK(WindowAnalysis)
        ->ArgsProduct({ { 10000, 100000, 1000000, 2000000 }, { 1, 0 } })
        ->ArgNames({ "lines", "separator" })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);

// CUPS still handing on an earlier run's pages would share the processor.
void waitForIdlePrinter()
{
    for (;;) {
        cups_job_t *jobs = nullptr;
        const int active =
                cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active, jobs);
        if (active <= 0)
            return;
        QThread::msleep(100);
    }
}

// A run of numbers from 01 to 60, each followed by a dash.
QString numbersWithDashes(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1-").arg((i * 7) % 60 + 1, 2, 10, QLatin1Char('0'));
    return text;
}

// IMPRIMIR on a run of N numbers with dashes, nine numbers a game, with the quantity that takes
// them all: as the window does it, the run kept (kept:1), or the same job without the record
// (kept:0), one after the other.
void WindowPrint(benchmark::State &state)
{
    const int numbers = int(state.range(0));
    const QString text = numbersWithDashes(numbers);
    MainWindow window;
    window.show();
    window.findChild<QRadioButton *>(QStringLiteral("Option4"))->setChecked(true);
    QPushButton unkept(&window); // IMPRIMIR's handler but the record
    unkept.setObjectName(QStringLiteral("unkept"));
    QObject::connect(&unkept, &QPushButton::clicked, [&window] {
        window.runCommand([&window] {
            QtTextBox text1(window.findChild<QPlainTextEdit *>(QStringLiteral("Text1")));
            QtListBox list1(window.findChild<QListWidget *>(QStringLiteral("List1")));
            QtLabel label4(window.findChild<QLabel *>(QStringLiteral("Label4")));
            QtPromptBox prompt(&window);
            QtQuestionBox question(&window);
            QtOptionButtons options(
                    { window.findChild<QRadioButton *>(QStringLiteral("Option1")),
                      window.findChild<QRadioButton *>(QStringLiteral("Option2")),
                      window.findChild<QRadioButton *>(QStringLiteral("Option3")),
                      window.findChild<QRadioButton *>(QStringLiteral("Option4")) });
            QtWindow repaint(&window, text1, list1);
            SystemPrinter printer = slipPrinter(QImage(QStringLiteral(":/dezenario/mark.jpg")));
            runPrintJob({ text1, list1, label4, prompt, question, options, repaint, printer,
                          *window.speaker() });
        });
    });
    const QString quantity = QString::number(3 * ((numbers + 26) / 27));
    QList<Use> uses;
    for (auto _ : state) {
        waitForIdlePrinter();
        uses << pasteAndClick(window, text, state.range(1) ? "IMPRIMIR" : "unkept",
                              { quantity, QStringLiteral("Sim") });
        state.SetIterationTime(uses.last().clickSeconds);
        if (!window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->document()->isEmpty())
            state.SkipWithError("the run did not take every number");
    }
    report(state, uses, numbers, "number");
}
BENCHMARK(WindowPrint)
        ->ArgsProduct({ { 10000, 100000, 1000000, 2000000 }, { 1, 0 } })
        ->ArgNames({ "numbers", "kept" })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

// VOLANTES IMPRESSOS with N runs kept, each of S slips: from the menu to the window shown with
// the newest run's first slip drawn. One run of 100 000 slips is the most that one print takes.
void WindowRuns(benchmark::State &state)
{
    const QTemporaryDir data; // these runs alone
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    KeptRun run {
        QDateTime::currentDateTime(), QStringLiteral("DEZENARIO-PDF"), {}, 6, "300", {}, {}
    };
    run.slips.resize(state.range(1), { 1, { KeptRun::Game { { 1, 2, 3, 4, 5, 60 }, {} } } });
    for (int i = 0; i < state.range(0); ++i)
        RunStore().keep(run);
    MainWindow window;
    window.show();
    for (auto _ : state) {
        QElapsedTimer t;
        double openSeconds = 0;
        const dezenario::test::BoxAnswerer answerer({}, [&](QDialog *box) {
            box->findChild<QWidget *>(QStringLiteral("Volante"))->grab();
            openSeconds = t.nsecsElapsed() / 1e9;
        });
        t.start();
        window.findChild<QAction *>(QStringLiteral("actionImpressos"))->trigger();
        state.SetIterationTime(openSeconds);
        state.counters["open_ms"] = openSeconds * 1e3;
    }
    qputenv("XDG_DATA_HOME", before);
}
BENCHMARK(WindowRuns)
        ->Args({ 200, 100 })
        ->Args({ 1, 100000 })
        ->ArgNames({ "runs", "slips" })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);

void WindowPreview(benchmark::State &state)
{
    const int numbers = int(state.range(0));
    const QString text = state.range(1) ? combinations(numbers / 6) : numbersWithDashes(numbers);
    MainWindow window;
    window.show();
    dezenario::test::PeakMemory memory;
    QApplication::clipboard()->setText(text);
    memory.start();
    QElapsedTimer t;
    t.start();
    window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->paste();
    QApplication::processEvents();
    const double pasteSeconds = t.nsecsElapsed() / 1e9;
    const long pasteKilobytes = memory.grownKilobytes();
    QApplication::clipboard()->clear();
    constexpr int Turns = 200;
    for (auto _ : state) {
        double openSeconds = 0, turnSeconds = 0;
        const dezenario::test::BoxAnswerer answerer({}, [&](QDialog *box) {
            auto *view = box->findChild<QWidget *>(QStringLiteral("Volante"));
            view->grab(); // the slip drawn
            openSeconds = t.nsecsElapsed() / 1e9;
            t.restart();
            for (int turn = 0; turn < Turns; ++turn) {
                QTest::keyClick(view, Qt::Key_PageDown);
                view->grab();
            }
            turnSeconds = t.nsecsElapsed() / 1e9 / Turns;
        });
        memory.start();
        t.start();
        window.findChild<QAction *>(QStringLiteral("actionVisualizar"))->trigger();
        state.SetIterationTime(openSeconds);
        state.counters["paste_ms"] = pasteSeconds * 1e3;
        state.counters["open_ms"] = openSeconds * 1e3;
        state.counters["open_per_paste"] = openSeconds / pasteSeconds;
        state.counters["turn_ms"] = turnSeconds * 1e3;
        state.counters["paste_MB"] = pasteKilobytes / 1024.0;
        state.counters["preview_MB"] = memory.grownKilobytes() / 1024.0;
    }
}
BENCHMARK(WindowPreview)
        ->ArgsProduct({ { 100000, 1000000 }, { 0, 1 } })
        ->ArgNames({ "numbers", "indexed" })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

// CONFERIR on N numbers pasted as one run with dashes, six a game: from the menu to every game
// checked and the first rows shown (check_ms), against the paste (check_per_paste).
void WindowCheck(benchmark::State &state)
{
    MainWindow window;
    window.show();
    auto *text1 = window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    QApplication::clipboard()->setText(numbersWithDashes(int(state.range(0))));
    QElapsedTimer t;
    t.start();
    text1->paste();
    QApplication::processEvents();
    const double pasteSeconds = t.nsecsElapsed() / 1e9;
    QApplication::clipboard()->clear();
    for (auto _ : state) {
        double checkSeconds = 0;
        const dezenario::test::BoxAnswerer answerer({ QString() }, [&](QDialog *box) {
            auto *draw = box->findChild<QLineEdit *>(QStringLiteral("Sorteio"));
            draw->setText(QStringLiteral("05 17 23 38 44 60"));
            QTest::keyClick(draw, Qt::Key_Return);
            box->findChild<QWidget *>(QStringLiteral("Jogos"))->grab();
            checkSeconds = t.nsecsElapsed() / 1e9;
        });
        t.restart();
        window.findChild<QAction *>(QStringLiteral("actionConferir"))->trigger();
        state.SetIterationTime(checkSeconds);
        state.counters["paste_ms"] = pasteSeconds * 1e3;
        state.counters["check_ms"] = checkSeconds * 1e3;
        state.counters["check_per_paste"] = checkSeconds / pasteSeconds;
    }
}
BENCHMARK(WindowCheck)
        ->Arg(1000000)
        ->Arg(2000000)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                 : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    setUpApplication();
    // The runs that the benchmark prints are kept in a folder of its own, never the user's.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
