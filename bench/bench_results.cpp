// RESULTADOS at the size users reach, on the offscreen platform:
//   WindowAcross/games:G/contests:C  G games of six pasted as one run with dashes (300 000: one
//       print's most), then CONFERIR against every one of C contests kept, from the menu to the
//       summary and the first rows shown (check_ms), against the paste of the same text
//       (check_per_paste), and the games with a prize listed (prized).
//   WindowPool/games:G/participants:P  a bolão of G games of six, P participants of 10 cotas and a
//       Teimosinha of 12, kept: opened from BOLÕES (open_ms) and checked by CONFERIR ESTE BOLÃO
//       against its 12 contests kept, to the shares shown (check_ms), each against the paste of
//       its games as text (open_per_paste, check_per_paste).
//   Import/form:F/contests:C  the lottery's results file of C contests, as an XLSX (F=0), the
//       old HTML page in its ZIP (F=1) or a CSV (F=2), read, checked and kept (import_ms).
#include "boxanswerer.h"
#include "keptdraws.h"
#include "mainwindow.h"
#include "poolstore.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace dezenario;

namespace {

quint32 g_seed = 2291;
int randomBelow(int n)
{
    g_seed = g_seed * 1664525u + 1013904223u;
    return int((g_seed >> 8) % quint32(n));
}

// Six different numbers, ascending.
std::array<quint8, 6> randomDraw()
{
    std::array<quint8, 6> numbers {};
    quint64 taken = 0;
    for (quint8 &n : numbers) {
        do
            n = quint8(randomBelow(60) + 1);
        while (taken >> n & 1);
        taken |= quint64(1) << n;
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Seconds to paste the text through the clipboard into the window's empty text box, as a user
// does, until it shows.
double pasteInto(MainWindow &window, const QString &text)
{
    QApplication::clipboard()->setText(text);
    QElapsedTimer t;
    t.start();
    window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->paste();
    QApplication::processEvents();
    const double seconds = t.nsecsElapsed() / 1e9;
    QApplication::clipboard()->clear();
    return seconds;
}

void WindowAcross(benchmark::State &state)
{
    const int games = int(state.range(0)), contests = int(state.range(1));
    QList<Contest> kept;
    for (int c = 1; c <= contests; ++c)
        kept << Contest { c,
                          QDate(1996, 3, 11).addDays(3 * c),
                          randomDraw(),
                          { 0, 40, 3000 },
                          { -1, 5000000, 100000 } };
    if (!KeptDraws().keep(kept).isEmpty())
        return state.SkipWithError("the contests could not be kept");
    QString text;
    text.reserve(games * 18);
    for (int g = 0; g < games; ++g)
        for (const quint8 n : randomDraw())
            text += QStringLiteral("%1-").arg(n, 2, 10, QLatin1Char('0'));
    MainWindow window;
    window.show();
    const double pasteSeconds = pasteInto(window, text);
    QElapsedTimer t;
    for (auto _ : state) {
        double checkSeconds = 0;
        int prized = 0;
        const test::BoxAnswerer answerer({ QString() }, [&](QDialog *box) {
            auto *way = box->findChild<QComboBox *>(QStringLiteral("Concursos"));
            way->setCurrentIndex(way->findText(QStringLiteral("TODOS OS CONCURSOS GUARDADOS")));
            t.restart();
            QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("ConferirJogos")),
                              Qt::LeftButton);
            box->findChild<QWidget *>(QStringLiteral("Jogos"))->grab();
            checkSeconds = t.nsecsElapsed() / 1e9;
            prized = box->findChild<QAbstractItemView *>(QStringLiteral("Jogos"))
                             ->model()
                             ->rowCount();
        });
        window.findChild<QAction *>(QStringLiteral("actionConferir"))->trigger();
        state.SetIterationTime(checkSeconds);
        state.counters["paste_ms"] = pasteSeconds * 1e3;
        state.counters["check_ms"] = checkSeconds * 1e3;
        state.counters["check_per_paste"] = checkSeconds / pasteSeconds;
        state.counters["prized"] = prized;
    }
}
BENCHMARK(WindowAcross)
        ->Args({ 300000, 3000 })
        ->ArgNames({ "games", "contests" })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

void WindowPool(benchmark::State &state)
{
    const int games = int(state.range(0)), participants = int(state.range(1));
    QList<Contest> kept;
    for (int c = 1; c <= 12; ++c)
        kept << Contest { 3000 + c,
                          QDate(2026, 1, 3).addDays(3 * c),
                          randomDraw(),
                          { 0, 40, 3000 },
                          { 123456789, 5000000, 100000 } };
    pool::Pool bolao { "BOLÃO", "ANA", {}, 3001, 12, participants * 10, 0, {}, {} };
    QString text;
    for (int g = 0; g < games; ++g) {
        const std::array<quint8, 6> numbers = randomDraw();
        bolao.games.emplace_back(numbers.begin(), numbers.end());
        for (const quint8 n : numbers)
            text += QStringLiteral("%1-").arg(n, 2, 10, QLatin1Char('0'));
    }
    for (int p = 0; p < participants; ++p)
        bolao.participants.push_back({ QStringLiteral("PESSOA %1").arg(p + 1), 10, p % 3 != 0,
                                       QDate(2026, 1, 2), pool::PaidHow::Pix, QString() });
    QString file;
    QDir(pool::PoolStore().folder()).removeRecursively();
    if (!KeptDraws().keep(kept).isEmpty() || !pool::PoolStore().keep(bolao, file).isEmpty())
        return state.SkipWithError("the contests or the bolão could not be kept");
    MainWindow window;
    window.show();
    const double pasteSeconds = pasteInto(window, text);
    QElapsedTimer t;
    for (auto _ : state) {
        double openSeconds = 0, checkSeconds = 0;
        int rows = 0;
        const test::BoxAnswerer answerer({ QString(), QString() }, [&](QDialog *box) {
            box->setProperty("unanswered", true);
            if (box->objectName() == QLatin1String("Boloes")) {
                auto *list = box->findChild<QAbstractItemView *>(QStringLiteral("ListaBoloes"));
                list->setCurrentIndex(list->model()->index(0, 0));
                QTimer::singleShot(0, box, [box, &t] {
                    t.restart();
                    QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("AbrirBolao")),
                                      Qt::LeftButton);
                    box->reject();
                });
                return;
            }
            openSeconds = t.nsecsElapsed() / 1e9;
            QTimer::singleShot(0, box, [&, box] {
                t.restart();
                QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("ConferirBolao")),
                                  Qt::LeftButton);
                auto *shares = box->findChild<QAbstractItemView *>(QStringLiteral("Partes"));
                shares->grab();
                checkSeconds = t.nsecsElapsed() / 1e9;
                rows = shares->model()->rowCount();
                box->reject();
            });
        });
        window.findChild<QAction *>(QStringLiteral("actionBoloes"))->trigger();
        state.SetIterationTime(openSeconds + checkSeconds);
        state.counters["paste_ms"] = pasteSeconds * 1e3;
        state.counters["open_ms"] = openSeconds * 1e3;
        state.counters["check_ms"] = checkSeconds * 1e3;
        state.counters["open_per_paste"] = openSeconds / pasteSeconds;
        state.counters["check_per_paste"] = checkSeconds / pasteSeconds;
        state.counters["share_rows"] = rows;
    }
}
BENCHMARK(WindowPool)
        ->Args({ 10000, 100 })
        ->ArgNames({ "games", "participants" })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

void Import(benchmark::State &state)
{
    const QTemporaryDir files;
    const int contests = int(state.range(1));
    if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                          { QStringLiteral(DEZENARIO_TESTS "/make_results.py"), files.path(),
                            QString::number(contests) })
        != 0)
        return state.SkipWithError("make_results.py failed");
    const char *names[] = { "resultados.xlsx", "D_megase.zip", "resultados.csv" };
    QFile file(files.filePath(QLatin1StringView(names[state.range(0)])));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        const KeptDraws store(files.filePath(QStringLiteral("kept.txt")));
        QFile::remove(store.file());
        QElapsedTimer t;
        t.start();
        const QString summary = importResults(bytes, store, [](const QString &) { return false; });
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        state.counters["import_ms"] = t.nsecsElapsed() / 1e6;
        state.counters["contests"] = double(store.load().size());
    }
}
BENCHMARK(Import)
        ->ArgsProduct({ { 0, 1, 2 }, { 3000 } })
        ->ArgNames({ "form", "contests" })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The contests kept go to a folder of the benchmark's own, never the user's.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
