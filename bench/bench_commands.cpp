// How the commands scale with the size of the text.
//   Analysis/N     separator removal and census of N combinations, against a
//                  text box that only counts; ratio_to_scan compares it with one
//                  indexOf of an absent character over the same text.
//   WindowAnalysis/N  the same through the real window's adapters (click to beep,
//                  the prompt answered at once), on the offscreen platform.
//   PrintSlips/N   N slips of six-number games printed to the PDF queue named by
//                  PRINTER: time per slip, bytes per page, and how much the
//                  peak memory grew during the run.
#include "analysiscommand.h"
#include "mainwindow.h"
#include "peakmemory.h"
#include "qtadapters.h"
#include "qtprinter.h"
#include "slipprintjob.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <benchmark/benchmark.h>

using namespace dezenario;

namespace {

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
            text += QStringLiteral("\r\n");
    }
    return text;
}

struct CountingTextBox : TextBox
{
    QString content;
    qsizetype cut = 0;
    QString text() override { return content; }
    void setText(const QString &) override {}
    void deleteFront(qsizetype count) override { cut += count; }
    void refresh() override {}
};
struct NullList : ListBox
{
    int n = 0;
    void clear() override { n = 0; }
    void addItem(const QString &) override { ++n; }
    int count() const override { return n; }
};
struct NullLabel : Label
{
    void setCaption(const QString &) override {}
};
struct Answer : PromptBox
{
    QString answer;
    QString inputBox(const QString &, const QString &, const QString &) override { return answer; }
};
struct Yes : MessageBox
{
    Answer askYesNo(const QString &, const QString &) override { return MessageBox::Yes; }
};
struct Quiet : Speaker
{
    void beep() override {}
};

// One indexOf of a character that is not in the text: the floor of any pass over it.
double secondsOfScan(const QString &text)
{
    constexpr int Scans = 50;
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < Scans; ++i)
            benchmark::DoNotOptimize(text.indexOf(QChar(u'#')));
        best = std::min(best, t.nsecsElapsed() / 1e9 / Scans);
    }
    return best;
}

void Analysis(benchmark::State &state)
{
    const QString text = combinations(int(state.range(0)));
    const double scan = secondsOfScan(text);
    CountingTextBox box;
    NullList list;
    NullLabel label1, label4;
    Answer prompt;
    prompt.answer = QStringLiteral(")");
    Quiet speaker;
    // Best against best: the least noisy figures on a shared machine.
    double best = 1e9;
    for (auto _ : state) {
        box.content = text;
        QElapsedTimer t;
        t.start();
        runAnalysis({box, list, label1, label4, prompt, speaker});
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    state.counters["numbers"] = list.n;
    state.counters["ratio_to_scan"] = best / scan;
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(Analysis)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void WindowAnalysis(benchmark::State &state)
{
    const QString text = combinations(int(state.range(0)));
    MainWindow window;
    window.show();
    auto *edit = window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    for (auto _ : state) {
        state.PauseTiming();
        edit->setPlainText(text);
        QApplication::processEvents();
        state.ResumeTiming();
        QtTextBox text1(edit);
        QtListBox list1(window.findChild<QListWidget *>(QStringLiteral("List1")));
        QtLabel label1(window.findChild<QLabel *>(QStringLiteral("Label1")));
        QtLabel label4(window.findChild<QLabel *>(QStringLiteral("Label4")));
        Answer prompt;
        prompt.answer = QStringLiteral(")");
        runAnalysis({text1, list1, label1, label4, prompt, *window.speaker()});
    }
    state.counters["numbers"] = window.findChild<QListWidget *>(QStringLiteral("List1"))->count();
}
BENCHMARK(WindowAnalysis)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void PrintSlips(benchmark::State &state)
{
    const int slips = int(state.range(0));
    const QString text = combinations(slips * 3).split(QStringLiteral("\r\n")).replaceInStrings(QRegularExpression(QStringLiteral("^\\d+\\) ")), QString()).join(u'-') + u'-';
    MainWindow window;
    QImage mark = window.findChild<QLabel *>(QStringLiteral("INKPicture1"))->pixmap().toImage();
    qint64 bytes = 0;
    long grownKilobytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        dezenario::test::PeakMemory memory;
        memory.start();
        state.ResumeTiming();
        CountingTextBox box;
        box.content = text;
        NullList list;
        NullLabel label4;
        Answer prompt;
        prompt.answer = QString::number(slips * 3);
        Yes yes;
        struct : OptionButtons { bool value(int i) const override { return i == 1; } } options;
        struct : Window { void refresh() override {} } repaint;
        QtPrinter printer(mark);
        Quiet speaker;
        runPrintJob({box, list, label4, prompt, yes, options, repaint, printer, speaker});
        bytes = printer.documentBytes();
        grownKilobytes = std::max(grownKilobytes, memory.grownKilobytes());
    }
    state.counters["peak_growth_kB"] = double(grownKilobytes);
    state.counters["bytes_per_page"] = double(bytes) / slips;
    state.counters["slips_per_s"] = benchmark::Counter(double(slips) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(PrintSlips)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
