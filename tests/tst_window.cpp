// The real window on the offscreen platform.
#include "mainwindow.h"
#include "windowtesting.h"
#include "qtadapters.h"

#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

using namespace dezenario;
using namespace dezenario::test;

class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(); }
    void init();
    void cleanup() { delete m_window; }

    void controls_data();
    void controls();
    void tabOrder();
    void startState();
    void captionsAreWhole();
    void countStandsInTheHeadingsBlankLine();
    void resizingMovesNothing();
    void optionsAreOneGroup();
    void enterStartsALine();
    void qtsOwnTextsArePortuguese();

    void pasteAndAnalyse();
    void longPromptsWrapWhole();
    void lineBreaksAreCrLf_data();
    void lineBreaksAreCrLf();
    void oneUndoTakesAPasteBack();
    void noBreakSpaceStaysItself();
    void cutsThroughALineBreak();
    void clearEmptiesOnlyTheTextBox();

private:
    template<typename T> T *control(const char *name) { return m_window->findChild<T *>(QLatin1String(name)); }
    QPlainTextEdit *text1() { return control<QPlainTextEdit>("Text1"); }
    MainWindow *m_window = nullptr;
};

void TestWindow::init()
{
    QApplication::clipboard()->clear();
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    auto row = [](const char *name, const char *kind, const char *caption, int l, int t, int w, int h) {
        QTest::newRow(name) << name << kind << QString::fromUtf8(caption) << QRect(l, t, w, h);
    };
    row("Text1", "QPlainTextEdit", "", 4350, 300, 3315, 1995);
    row("ANALIZAR", "QPushButton", "ANALIZAR", 4980, 2400, 1095, 285);
    row("List1", "QListWidget", "", 3150, 300, 1155, 2010);
    row("Label1", "QLabel", "0", 3180, 2790, 465, 225);
    row("Label2", "QLabel", "FORAM\nENCONTRADAS\n\nDEZENAS", 3180, 2400, 1335, 825);
    row("Label3", "QLabel", "COLE AQUI AS  COMBINAÇÕES", 4770, 60, 2475, 255);
    row("Label4", "QLabel", "ENCONTRADAS", 3150, 60, 1245, 195);
    row("LIMPA", "QPushButton", "LIMPA", 6075, 2400, 1095, 285);
    row("Label5", "QLabel",
        "COMO USAR:\nCOPIE E COLE NO QUADRO AS COMBINAÇÕES A SEREM ANÁLIZADAS ,DEVEM ESTAR EM FORMA DE COLUNA ,"
        "SELECIONE O SEPARADOR,OU CLIQUE EM CANCELAR ,SERÃO MOSTRADAS AS DEZENAS UZADAS NA COMBINAÇÃO ,NO CASO DA "
        "MEGA SENA ,SE FOREM UZADAS 60 DEZENAS ,SUA COMBINAÇÃO É INUTIL ,PODEM SER ANALIZADAS COMBINAÇÕES COM ATÉ "
        "100 DEZENAS E 100 000 COMBINAÇÕES.\nPARA IMPRIMIR VOLANTES DA MEGA SENA O PROCEDIMENTO É O MESMO.",
        0, 60, 2925, 3285);
    row("VISITE", "QPushButton", "VISITE NOSSO SITE", 4980, 3150, 2175, 285);
    row("IMPRIMIR", "QPushButton", "IMPRIMIR", 4710, 2790, 915, 285);
    row("Option1", "QRadioButton", "06 ", 5655, 2700, 525, 225);
    row("Option2", "QRadioButton", "07 DEZENAS", 6180, 2700, 1305, 225);
    row("INKPicture1", "QLabel", "", 2400, 30, 225, 285);
    row("Option3", "QRadioButton", "08", 5655, 2925, 525, 225);
    row("Option4", "QRadioButton", "09 DEZENAS", 6180, 2925, 1305, 225);
}

void TestWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    QWidget *widget = m_window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
    QCOMPARE(widget->parentWidget(), m_window);
    QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QString shown;
    if (auto *label = qobject_cast<QLabel *>(widget))
        shown = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        shown = button->text();
    QCOMPARE(shown, caption);
}

void TestWindow::tabOrder()
{
    QStringList order;
    QWidget *w = text1();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != text1());
    QCOMPARE(order, (QStringList{"Text1", "ANALIZAR", "List1", "LIMPA", "VISITE", "IMPRIMIR", "Option1", "Option2",
                                 "Option3", "Option4"}));
}

void TestWindow::startState()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("DEZENARIO"));
    QCOMPARE(m_window->size(), QSize(7755 / 15, 3495 / 15));
    QCOMPARE(QApplication::focusWidget(), text1());
    QVERIFY(text1()->toPlainText().isEmpty());
    QCOMPARE(control<QListWidget>("List1")->count(), 0);
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!text1()->isReadOnly());
    QCOMPARE(text1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(text1()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QPixmap mark = control<QLabel>("INKPicture1")->pixmap();
    QCOMPARE(mark.size(), QSize(10, 16));
    const QImage image = mark.toImage();
    QVERIFY(qGray(image.pixel(5, 8)) < 40);
    QVERIFY(qGray(image.pixel(9, 15)) > qGray(image.pixel(5, 8)));
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 100);
    QCOMPARE(qRound(image.dotsPerMeterY() * 0.0254), 100);
}

void TestWindow::captionsAreWhole()
{
    for (QLabel *label : m_window->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics fm(label->font());
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 10000), flags, label->text());
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(QStringLiteral("%1 needs %2x%3").arg(label->objectName()).arg(needed.width()).arg(needed.height())));
        // No single word is wider than the label, or wrapping would cut it.
        for (const QString &word : label->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            QVERIFY2(fm.horizontalAdvance(word) <= label->width(), qPrintable(label->objectName() + QLatin1Char(' ') + word));
    }
    for (QAbstractButton *button : m_window->findChildren<QAbstractButton *>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QFontMetrics fm(button->font());
        const QStyle *style = button->style();
        // A trailing blank shows nothing, so only the glyphs have to fit.
        int needed = fm.horizontalAdvance(button->text().trimmed());
        if (qobject_cast<QRadioButton *>(button))
            needed += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, button)
                + style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, button);
        else
            needed += 2 * style->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
        QVERIFY2(needed <= button->width(), qPrintable(QStringLiteral("%1 needs %2").arg(button->objectName()).arg(needed)));
        QVERIFY2(fm.height() <= button->height(), qPrintable(button->objectName()));
    }
}

void TestWindow::countStandsInTheHeadingsBlankLine()
{
    auto *label1 = control<QLabel>("Label1");
    auto *label2 = control<QLabel>("Label2");
    const int line = QFontMetrics(label2->font()).lineSpacing();
    QCOMPARE(label1->y() - label2->y(), 2 * line); // "FORAM", "ENCONTRADAS", then the count
    QCOMPARE(label1->x(), label2->x());
    // In front of the heading, whatever number it shows.
    label1->setText(QStringLiteral("100"));
    QCOMPARE(m_window->childAt(label1->geometry().topLeft() + QPoint(2, 2)), label1);
    QVERIFY(QFontMetrics(label1->font()).horizontalAdvance(QStringLiteral("100")) <= label1->width());
}

void TestWindow::resizingMovesNothing()
{
    QMap<QString, QRect> before;
    for (QWidget *w : m_window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        before.insert(w->objectName(), w->geometry());
    m_window->resize(900, 600);
    QApplication::processEvents();
    m_window->resize(200, 100);
    QApplication::processEvents();
    for (QWidget *w : m_window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        QCOMPARE(w->geometry(), before.value(w->objectName()));
}

void TestWindow::optionsAreOneGroup()
{
    auto *option1 = control<QRadioButton>("Option1");
    auto *option3 = control<QRadioButton>("Option3");
    QTest::mouseClick(option3, Qt::LeftButton);
    QVERIFY(option3->isChecked());
    QVERIFY(!option1->isChecked());
    QTest::mouseClick(option3, Qt::LeftButton);
    QVERIFY(option3->isChecked());
    // The arrow keys move through the group, as a keyboard user expects.
    option3->setFocus();
    QTest::keyClick(option3, Qt::Key_Right);
    QVERIFY(control<QRadioButton>("Option4")->isChecked());
    const QList<QRadioButton *> options = m_window->findChildren<QRadioButton *>();
    const auto checked = std::count_if(options.cbegin(), options.cend(), [](QRadioButton *b) { return b->isChecked(); });
    QCOMPARE(checked, 1);
}

void TestWindow::enterStartsALine()
{
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);
    text1()->setFocus();
    QTest::keyClicks(text1(), QStringLiteral("01"));
    QTest::keyClick(text1(), Qt::Key_Return);
    QTest::keyClick(text1(), Qt::Key_Escape);
    QTest::keyClicks(text1(), QStringLiteral("02"));
    QCOMPARE(text1()->toPlainText(), QStringLiteral("01\n02"));
    QCOMPARE(QtTextBox(text1()).text(), QStringLiteral("01\r\n02"));
    QCOMPARE(beeps.count(), 0);
    QApplication::processEvents();
    QVERIFY(!QApplication::activeModalWidget());
}

void TestWindow::qtsOwnTextsArePortuguese()
{
    // The text box's context menu comes from Qt.
    QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Paste"), QStringLiteral("Co&lar"));
}

void TestWindow::pasteAndAnalyse()
{
    QApplication::clipboard()->setText(QStringLiteral("01) 01-05-35-51-38-07\r\n02) 03-11-20-33-41-59\r\n03) 02-08-15-27-44-60"));
    text1()->paste();
    control<QListWidget>("List1")->addItem(QStringLiteral("old"));
    control<QLabel>("Label4")->setText(QStringLiteral("IMPRESSOS"));
    QSignalSpy beeps(m_window->speaker(), &QtSpeaker::beeped);

    ModalAnswers answers({ModalAnswers::type(QStringLiteral(")"))});
    QTest::mouseClick(control<QPushButton>("ANALIZAR"), Qt::LeftButton);
    QVERIFY(answers.done());
    QCOMPARE(answers.seen.value(0), QStringLiteral("ELIMINAR SEPARADORES"));

    QCOMPARE(listEntries(m_window), (QStringList{"01", "02", "03", "05", "07", "08", "11", "15", "20", "27", "33",
                                                 "35", "38", "41", "44", "51", "59", "60"}));
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("18"));
    QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("ENCONTRADAS"));
    QCOMPARE(text1()->toPlainText(), QString());
    QCOMPARE(beeps.count(), 1);
}

void TestWindow::longPromptsWrapWhole()
{
    const QString prompt = QStringLiteral("DESEJA CONTINUAR ?\n") + QStringLiteral("18-23-52-58-28-20-").repeated(10)
        + QStringLiteral("\nFIM");
    QString shown;
    QRect textArea, buttonArea;
    int needed = 0, width = 0;
    ModalAnswers answers({[&](QWidget *box) {
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("prompt"))) {
            shown = label->text();
            needed = label->heightForWidth(label->width());
            textArea = label->geometry();
            auto *yes = box->findChild<QPushButton *>();
            buttonArea = QRect(yes->mapTo(box, QPoint()), yes->size());
            width = box->width();
        }
        ModalAnswers::press(QString::fromUtf8("Não"))(box);
    }});
    QtMessageBox box(m_window);
    QCOMPARE(box.askYesNo(prompt, QStringLiteral("DEZENARIO")), MessageBox::No);
    QVERIFY(answers.done());
    QCOMPARE(shown.remove(QChar(0x200B)), prompt); // the same text on screen
    QVERIFY(needed <= textArea.height()); // every wrapped line shows
    QVERIFY(textArea.bottom() < buttonArea.top());
    QVERIFY(width <= 700);
}

void TestWindow::lineBreaksAreCrLf_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::newRow("CR LF") << "01) 05\r\n02) 06\r\n";
    QTest::newRow("LF") << "01) 05\n02) 06\n";
    QTest::newRow("CR") << "01) 05\r02) 06\r";
    QTest::newRow("Unicode separators") << QString::fromUtf8("01) 05\u202802) 06\u2029");
    QTest::newRow("blocks of many lines") << QStringLiteral("01) 05\n02) 06\n").repeated(200);
}

void TestWindow::lineBreaksAreCrLf()
{
    QFETCH(QString, pasted);
    QApplication::clipboard()->setText(pasted);
    text1()->paste();
    // The same text as a plain text box would show and copy.
    QPlainTextEdit plain;
    plain.paste();
    QCOMPARE(text1()->toPlainText(), plain.toPlainText());
    QCOMPARE(QtTextBox(text1()).text(), QStringLiteral("01) 05\r\n02) 06\r\n").repeated(pasted.size() / 14));
}

void TestWindow::oneUndoTakesAPasteBack()
{
    text1()->setPlainText(QStringLiteral("01-"));
    text1()->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("02-\n03-").repeated(500));
    text1()->paste();
    text1()->undo();
    QCOMPARE(text1()->toPlainText(), QStringLiteral("01-"));
}

void TestWindow::noBreakSpaceStaysItself()
{
    text1()->setPlainText(QString::fromUtf8("07\u00A0-08-"));
    QCOMPARE(QtTextBox(text1()).text(), QString::fromUtf8("07\u00A0-08-"));
}

void TestWindow::cutsThroughALineBreak()
{
    text1()->setPlainText(QStringLiteral("ab\ncd\nef"));
    {
        QtTextBox box(text1());
        QCOMPARE(box.text(), QStringLiteral("ab\r\ncd\r\nef"));
        box.deleteFront(3); // "ab" and the CR: the box loses the line break
        QCOMPARE(box.text(), QStringLiteral("cd\r\nef"));
    }
    text1()->setPlainText(QStringLiteral("ab\ncd\nef"));
    {
        QtTextBox box(text1());
        box.text();
        box.deleteFront(3);
        box.deleteFront(1); // the LF left behind costs nothing
        box.deleteFront(4); // "cd" CR LF
    }
    QCOMPARE(text1()->toPlainText(), QStringLiteral("ef"));
    QVERIFY(text1()->document()->isUndoRedoEnabled());
}

void TestWindow::clearEmptiesOnlyTheTextBox()
{
    auto *list = control<QListWidget>("List1");
    list->addItems({"05", "10"});
    control<QLabel>("Label1")->setText(QStringLiteral("2"));
    control<QRadioButton>("Option4")->setChecked(true);
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    for (const QString &text : {QStringLiteral("01-02-03-"), QString()}) {
        text1()->setPlainText(text);
        QTest::mouseClick(control<QPushButton>("LIMPA"), Qt::LeftButton);
        QCOMPARE(text1()->toPlainText(), QString());
        QCOMPARE(list->count(), 2);
        QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("2"));
        QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("ENCONTRADAS"));
        QVERIFY(control<QRadioButton>("Option4")->isChecked());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    }
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
