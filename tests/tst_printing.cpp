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
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "qtadapters.h"
#include "qtprinter.h"

using namespace dezenario;
using namespace dezenario::test;

namespace {
constexpr int Dpi = 144; // 10 twips a raster pixel

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

// The queue's default paper and its printable area, in points from the top-left
// corner, read from the PPD that CUPS keeps for it.
struct Paper
{
    QSizeF size;
    QRectF area;
};

Paper paperOf(const QString &queue)
{
    QFile file(QStringLiteral("/etc/cups/ppd/%1.ppd").arg(queue));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString ppd = QString::fromLatin1(file.readAll());
    auto value = [&](const QString &key) {
        const QRegularExpression line(QStringLiteral("^\\*%1(?:/[^:]*)?:\\s*\"?([^\"\\n]*)").arg(QRegularExpression::escape(key)),
                                      QRegularExpression::MultilineOption);
        return line.match(ppd).captured(1).trimmed();
    };
    auto numbers = [](const QString &text) {
        QList<double> list;
        for (const QString &word : text.split(u' ', Qt::SkipEmptyParts))
            list << word.toDouble();
        return list;
    };
    const QString name = value(QStringLiteral("DefaultPageSize"));
    const QRegularExpressionMatch custom = QRegularExpression(QStringLiteral("^Custom\\.([\\d.]+)x([\\d.]+)mm$")).match(name);
    if (custom.hasMatch()) {
        const QSizeF size(custom.captured(1).toDouble() * 72 / 25.4, custom.captured(2).toDouble() * 72 / 25.4);
        const QList<double> m = numbers(value(QStringLiteral("HWMargins"))); // left bottom right top
        return {size, QRectF(QPointF(m.value(0), m.value(3)), QPointF(size.width() - m.value(2), size.height() - m.value(1)))};
    }
    const QList<double> size = numbers(value(QStringLiteral("PaperDimension ") + name));
    const QList<double> area = numbers(value(QStringLiteral("ImageableArea ") + name)); // from the bottom left
    return {QSizeF(size.value(0), size.value(1)),
            QRectF(QPointF(area.value(0), size.value(1) - area.value(3)), QPointF(area.value(2), size.value(1) - area.value(1)))};
}
} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void printsOnEveryQueue_data();
    void printsOnEveryQueue();
    void failedPrintKeepsTheBets_data();
    void failedPrintKeepsTheBets();

private:
    void clickPrint(const QList<ModalAnswers::Action> &actions);
    QStringList rasterise(const QString &queue, const QStringList &pdfsBefore, const QString &into);

    QString m_queue;
    QDir m_output;
    MainWindow *m_window = nullptr;
    QStringList m_errors;
};

void TestPrinting::initTestCase()
{
    setUpApplication();
    m_queue = qEnvironmentVariable("PRINTER");
    QVERIFY2(!m_queue.isEmpty(), "PRINTER names the PDF queue the test prints to");
    m_output.setPath(qEnvironmentVariable("DEZENARIO_PDF_DIR", QDir::homePath() + QStringLiteral("/PDF")));
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

// Waits until CUPS has finished the queue's jobs, then turns what it wrote
// into one gray raster a page, in order.
QStringList TestPrinting::rasterise(const QString &queue, const QStringList &pdfsBefore, const QString &into)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 240000) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
        lpstat.waitForFinished();
        if (lpstat.readAllStandardOutput().trimmed().isEmpty())
            break;
        QTest::qWait(200);
    }
    const QString page = into + QStringLiteral("/page");
    const QString psFile = qEnvironmentVariable("DEZENARIO_PS_FILE");
    if (queue == QLatin1String("DEZENARIO-PS")) {
        // The PostScript that the driver chain sent to the device.
        QProcess::execute(QStringLiteral("gs"), {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                                                 QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=pgmraw"),
                                                 QStringLiteral("-r%1").arg(Dpi), QStringLiteral("-sOutputFile=%1-%03d.pgm").arg(page),
                                                 psFile});
    } else {
        for (const QString &name : m_output.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (pdfsBefore.contains(name))
                continue;
            QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"),
                                                           m_output.filePath(name), page});
            QFile::remove(m_output.filePath(name));
        }
    }
    QStringList pages;
    for (const QString &name : QDir(into).entryList({QStringLiteral("page*.pgm")}, QDir::Files, QDir::Name))
        pages << into + u'/' + name;
    return pages;
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

void TestPrinting::printsOnEveryQueue_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("turn"); // degrees from the sheet back to a landscape page, for queues in landscape

    const QString oneSlip = QStringLiteral("01-10-11-35-51-60-02-12-22-32-42-52-09-19-29-39-49-59-");
    QTest::newRow("A4, whole sheet printable") << "DEZENARIO-PDF" << oneSlip << "3" << 1 << 0;
    QTest::newRow("US Letter, two slips, nine a game, text runs out")
        << "DEZENARIO-LETTER" << "01-02-03-04-05-06-07-08-09-10-20-30-40-50-60-" << "6" << 4 << 0;
    QTest::newRow("custom paper of the slip's size") << "DEZENARIO-SLIP" << oneSlip << "3" << 2 << 0;
    QTest::newRow("PostScript driver with margins") << "DEZENARIO-PS" << oneSlip << "3" << 3 << 0;
    QTest::newRow("landscape by default") << "DEZENARIO-ACROSS" << oneSlip << "3" << 1 << 90;
    QTest::newRow("reverse landscape by default") << "DEZENARIO-REVERSE" << oneSlip << "3" << 1 << 270;
}

void TestPrinting::printsOnEveryQueue()
{
    QFETCH(QString, queue);
    QFETCH(QString, text);
    QFETCH(QString, quantity);
    QFETCH(int, option);
    QFETCH(int, turn);

    qputenv("PRINTER", queue.toLocal8Bit());
    // Jobs some earlier run left in the queue would only be waited for.
    QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), queue});
    Paper paper = paperOf(queue);
    QVERIFY2(!paper.size.isEmpty(), qPrintable(queue));
    // A landscape page lies turned on the sheet: turn the sheet back to read it.
    const QTransform turned = QTransform().rotate(turn);
    const QRectF sheet = turned.mapRect(QRectF(QPointF(), paper.size));
    paper = {sheet.size(), turned.mapRect(paper.area).translated(-sheet.topLeft())};
    m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->setPlainText(text);
    m_window->findChild<QRadioButton *>(QStringLiteral("Option%1").arg(option))->setChecked(true);
    const QStringList before = m_output.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    clickPrint({ModalAnswers::type(quantity), ModalAnswers::press(QString::fromUtf8("Sim"))});
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(u'\n')));
    QCOMPARE(beeps.count(), 1);

    const model::PrintRun expected = model::print(text, option + 5, quantity.toInt() / 3);
    QTemporaryDir raster;
    const QStringList pages = rasterise(queue, before, raster.path());
    QCOMPARE(pages.size(), expected.pages.size());
    const double pixelsPerPoint = Dpi / 72.0;
    for (int i = 0; i < pages.size(); ++i) {
        const QImage page = QImage(pages.at(i)).transformed(turned);
        // The printer's own paper, unscaled and unrotated.
        QVERIFY2(qAbs(page.width() - paper.size.width() * pixelsPerPoint) <= 1.5
                     && qAbs(page.height() - paper.size.height() * pixelsPerPoint) <= 1.5,
                 qPrintable(QStringLiteral("page of %1x%2 px").arg(page.width()).arg(page.height())));
        QList<QRect> found = findMarks(page);
        QCOMPARE(found.size(), expected.pages.at(i).size());
        for (const QPoint &twips : expected.pages.at(i)) {
            const QPointF want = paper.area.topLeft() * pixelsPerPoint + QPointF(twips) * Dpi / 1440.0;
            auto it = std::min_element(found.begin(), found.end(), [&](const QRect &a, const QRect &b) {
                return QLineF(a.topLeft(), want).length() < QLineF(b.topLeft(), want).length();
            });
            // Both corners, so that the mark has its own size too: 0.10 by 0.16 inch.
            const QPointF off = QPointF(it->topLeft()) - want;
            const QPointF farOff = QPointF(it->topLeft() + QPoint(it->width(), it->height())) - want - QPointF(14.4, 23.04);
            QVERIFY2(qMax(qAbs(off.x()), qAbs(off.y())) <= 1.5 && qMax(qAbs(farOff.x()), qAbs(farOff.y())) <= 1.5,
                     qPrintable(QStringLiteral("page %1: the mark of %2,%3 twips is %4,%5 px off, its far corner %6,%7")
                                    .arg(i + 1).arg(twips.x()).arg(twips.y()).arg(off.x()).arg(off.y()).arg(farOff.x()).arg(farOff.y())));
            found.erase(it);
        }
    }
    QCOMPARE(listEntries(m_window), expected.log);
}

void TestPrinting::failedPrintKeepsTheBets_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("boxes"); // prompt and confirmation answered before the error
    QTest::newRow("no such printer") << "NO-SUCH-QUEUE" << QString::fromUtf8("ERRO 484\nA IMPRESSORA PADRÃO \"NO-SUCH-QUEUE\" NÃO EXISTE") << 0;
    QTest::newRow("printer refuses") << qEnvironmentVariable("DEZENARIO_REFUSING_PRINTER") << "ERRO 482\nA IMPRESSORA" << 2;
}

void TestPrinting::failedPrintKeepsTheBets()
{
    QFETCH(QString, queue);
    QFETCH(QString, error);
    QFETCH(int, boxes);
    qputenv("PRINTER", queue.toLocal8Bit());
    auto *text1 = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    const QString bets = QStringLiteral("01-02-03-04-05-06-07-08-09-10-11-12-13-14-15-16-17-18-\n19-");
    text1->setPlainText(bets);
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    clickPrint(QList<ModalAnswers::Action>{ModalAnswers::type(QStringLiteral("3")), ModalAnswers::press(QString::fromUtf8("Sim"))}.first(boxes));
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().startsWith(error), qPrintable(m_errors.first()));
    QCOMPARE(m_errors.first().contains(QStringLiteral("AS APOSTAS FORAM MANTIDAS")), boxes > 0);
    QCOMPARE(beeps.count(), 0); // no sound of success for a print that did not happen
    QCOMPARE(text1->toPlainText(), bets);
    // The list is named by its heading, for a screen reader too.
    QCOMPARE(m_window->findChild<QListWidget *>(QStringLiteral("List1"))->accessibleName(), QStringLiteral("IMPRESSOS"));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
