// Prints for real through CUPS to the PDF queue named by PRINTER, then reads
// the sheets back with poppler and finds every mark on them.
#include "literalmodel.h"
#include "mainwindow.h"
#include "windowtesting.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "qtadapters.h"

using namespace dezenario;
using namespace dezenario::test;

namespace {
constexpr int Dpi = 144; // 10 twips a raster pixel

struct Mark
{
    QRect box;
};

// Dark connected areas of a page, as bounding boxes.
QList<QRect> findMarks(const QImage &page)
{
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    QList<QRect> marks;
    QVector<bool> seen(gray.width() * gray.height());
    for (int y = 0; y < gray.height(); ++y) {
        for (int x = 0; x < gray.width(); ++x) {
            if (seen[y * gray.width() + x] || qGray(gray.pixel(x, y)) >= 128)
                continue;
            QRect box(x, y, 1, 1);
            QList<QPoint> stack{{x, y}};
            seen[y * gray.width() + x] = true;
            while (!stack.isEmpty()) {
                const QPoint p = stack.takeLast();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= gray.width() || q.y() >= gray.height())
                        continue;
                    const int i = q.y() * gray.width() + q.x();
                    if (!seen[i] && qGray(gray.pixel(q)) < 128) {
                        seen[i] = true;
                        stack << q;
                    }
                }
            }
            marks << box;
        }
    }
    return marks;
}
} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void printsEverySlip_data();
    void printsEverySlip();
    void noPrinterLosesNoText();
    void refusingPrinterIsReported();

private:
    QStringList newPdfs(const QStringList &before);
    void clickPrint(const QList<ModalAnswers::Action> &actions);
    QString errorText();

    QString m_queue;
    QDir m_output;
    QPointF m_origin; // top-left corner of the printable area, in raster pixels
    MainWindow *m_window = nullptr;
    QStringList m_errors;
};

void TestPrinting::initTestCase()
{
    setUpApplication();
    m_queue = qEnvironmentVariable("PRINTER");
    QVERIFY2(!m_queue.isEmpty(), "PRINTER names the PDF queue the test prints to");
    m_output.setPath(qEnvironmentVariable("DEZENARIO_PDF_DIR", QDir::homePath() + QStringLiteral("/PDF")));
    QCOMPARE(QtPrinter::defaultPrinterName(), m_queue);
    // Jobs some earlier run left in the queue would only be waited for.
    QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), m_queue});
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(m_queue);
    const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Inch);
    m_origin = paint.topLeft() * Dpi;
}

void TestPrinting::init()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_errors.clear();
}

void TestPrinting::cleanup()
{
    delete m_window;
    qputenv("PRINTER", m_queue.toLocal8Bit());
}

QStringList TestPrinting::newPdfs(const QStringList &before)
{
    // CUPS has finished a job once cups-pdf has written its file.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 240000) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), m_queue});
        lpstat.waitForFinished();
        if (lpstat.readAllStandardOutput().trimmed().isEmpty())
            break;
        QTest::qWait(200);
    }
    QStringList added;
    for (const QString &name : m_output.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        if (!before.contains(name))
            added << m_output.filePath(name);
    return added;
}

void TestPrinting::clickPrint(const QList<ModalAnswers::Action> &actions)
{
    QList<ModalAnswers::Action> all = actions;
    // Whatever error box comes last is read and closed.
    all << [this](QWidget *w) {
        if (auto *box = qobject_cast<QMessageBox *>(w))
            m_errors << box->text();
        ModalAnswers::press(QStringLiteral("OK"))(w);
    };
    ModalAnswers answers(all);
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("IMPRIMIR")), Qt::LeftButton);
    QTest::qWait(50);
}

void TestPrinting::printsEverySlip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<int>("option");

    QTest::newRow("one slip, six numbers a game")
        << "01-10-11-35-51-60-02-12-22-32-42-52-09-19-29-39-49-59-" << "3" << 1;
    QTest::newRow("two slips, nine a game, text runs out")
        << "01-02-03-04-05-06-07-08-09-10-20-30-40-50-60-" << "6" << 4;
}

void TestPrinting::printsEverySlip()
{
    QFETCH(QString, text);
    QFETCH(QString, quantity);
    QFETCH(int, option);

    m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->setPlainText(text);
    m_window->findChild<QRadioButton *>(QStringLiteral("Option%1").arg(option))->setChecked(true);
    const QStringList before = m_output.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    clickPrint({ModalAnswers::type(quantity), ModalAnswers::press(QString::fromUtf8("Sim"))});
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(u'\n')));
    QCOMPARE(beeps.count(), 1);

    const QStringList pdfs = newPdfs(before);
    QCOMPARE(pdfs.size(), 1);
    const model::PrintRun expected = model::print(text, option + 5, quantity.toInt() / 3);

    QTemporaryDir raster;
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"), pdfs.first(),
                                raster.filePath(QStringLiteral("page"))}),
             0);
    const QStringList pages = QDir(raster.path()).entryList({QStringLiteral("page*.pgm")}, QDir::Files, QDir::Name);
    QCOMPARE(pages.size(), expected.pages.size());
    for (int i = 0; i < pages.size(); ++i) {
        const QImage page(raster.filePath(pages.at(i)));
        QVERIFY(!page.isNull());
        QList<QRect> found = findMarks(page);
        QCOMPARE(found.size(), expected.pages.at(i).size());
        for (const QPoint &twips : expected.pages.at(i)) {
            const QPointF want = m_origin + QPointF(twips) * Dpi / 1440.0;
            auto it = std::find_if(found.begin(), found.end(), [&](const QRect &box) {
                return qAbs(box.x() - want.x()) <= 1.5 && qAbs(box.y() - want.y()) <= 1.5;
            });
            QVERIFY2(it != found.end(), qPrintable(QStringLiteral("page %1: no mark at %2,%3 twips")
                                                       .arg(i + 1).arg(twips.x()).arg(twips.y())));
            // 0.10 by 0.16 inch: 14.4 by 23.04 raster pixels.
            QVERIFY2(qAbs(it->width() - 14.4) <= 1.5 && qAbs(it->height() - 23.04) <= 1.5,
                     qPrintable(QStringLiteral("mark of %1x%2").arg(it->width()).arg(it->height())));
            found.erase(it);
        }
    }
    QFile::remove(pdfs.first());

    // LIMPA after a print run empties the text box and leaves the log.
    const QStringList log = listEntries(m_window);
    QCOMPARE(log, expected.log);
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("LIMPA")), Qt::LeftButton);
    QCOMPARE(m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->toPlainText(), QString());
    QCOMPARE(m_window->findChild<QListWidget *>(QStringLiteral("List1"))->count(), log.size());
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label4"))->text(), QStringLiteral("IMPRESSOS"));
}

void TestPrinting::noPrinterLosesNoText()
{
    qputenv("PRINTER", "NO-SUCH-QUEUE");
    auto *text1 = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    text1->setPlainText(QStringLiteral("01-02-03-"));
    clickPrint({});
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().contains(QStringLiteral("NENHUMA IMPRESSORA")), qPrintable(m_errors.first()));
    QVERIFY(m_errors.first().startsWith(QStringLiteral("ERRO 484")));
    QCOMPARE(text1->toPlainText(), QStringLiteral("01-02-03-"));
}

void TestPrinting::refusingPrinterIsReported()
{
    const QString refusing = qEnvironmentVariable("DEZENARIO_REFUSING_PRINTER");
    QVERIFY2(!refusing.isEmpty(), "DEZENARIO_REFUSING_PRINTER names a queue that rejects jobs");
    qputenv("PRINTER", refusing.toLocal8Bit());
    auto *text1 = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    text1->setPlainText(QStringLiteral("01-02-03-04-05-06-07-08-09-10-11-12-13-14-15-16-17-18-19-"));
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    clickPrint({ModalAnswers::type(QStringLiteral("3")), ModalAnswers::press(QString::fromUtf8("Sim"))});
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().startsWith(QStringLiteral("ERRO 482")), qPrintable(m_errors.first()));
    QCOMPARE(beeps.count(), 0); // no sound of success for a print that did not happen
    // The numbers taken stay taken, and the log shows them.
    QCOMPARE(text1->toPlainText(), QStringLiteral("19-"));
    QCOMPARE(m_window->findChild<QListWidget *>(QStringLiteral("List1"))->count(), 18 + 3 + 1);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
