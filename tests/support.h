// One recording stand-in for the window and the printer, and the literal model.
#pragma once

#include "commanderror.h"
#include "controls.h"

#include <QList>
#include <QPoint>
#include <QRegularExpression>
#include <QStringList>
#include <new>

namespace dezenario::test {

// A literal text box (a cut really shortens the text), the list, the labels (the caption set last),
// the prompts (answered from a queue; the empty answer is Cancel), one group of options, and a
// printer whose next paint after an ended page opens a new one.
struct Desk : TextBox,
              ListBox,
              Label,
              PromptBox,
              MessageBox,
              Speaker,
              Window,
              OptionButtons,
              Printer
{
    enum Failure { Works, Absent, FailsOnSlip2, OutOfMemoryOnSlip2, Refuses };
    QString content, caption;
    QStringList items { QStringLiteral("old entry") }, answers, asked,
            announced; // asked: each prompt's title and default
    Answer answer = Yes;
    int beeps = 0, selected = 1;
    Failure failure = Works;
    bool pageOpen = false;
    QList<QList<QPoint>> pages, printed; // painted; handed to the printer

    QString text() override { return content; }
    void setText(const QString &text) override { content = text; }
    void deleteFront(qsizetype count) override { content.remove(0, count); }
    void refresh() override {}
    void clear() override { items.clear(); }
    void addItem(const QString &item) override { items << item; }
    int count() const override { return int(items.size()); }
    void setCaption(const QString &text) override { caption = text; }
    QString inputBox(const QString &, const QString &title, const QString &preset) override
    {
        asked << title << preset;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    Answer askYesNo(const QString &, const QString &) override { return answer; }
    void announce(const QString &outcome) override { announced << outcome; }
    void beep() override { ++beeps; }
    bool value(int index) const override { return index == selected; }
    void ensureAvailable() override
    {
        if (failure == Absent)
            throw CommandError(484, QStringLiteral("SEM IMPRESSORA"));
    }
    void paintPicture(MarkPosition at) override
    {
        if (pages.size() == 1 && !pageOpen && failure == FailsOnSlip2)
            throw CommandError(482, QStringLiteral("ERRO DE IMPRESSORA"));
        if (pages.size() == 1 && !pageOpen && failure == OutOfMemoryOnSlip2)
            throw std::bad_alloc();
        if (!std::exchange(pageOpen, true))
            pages.append(QList<QPoint>());
        pages.last() << QPoint(at.x, at.y);
    }
    void endPage() override { pageOpen = false; }
    void endDocument() override
    {
        if (failure == Refuses)
            throw CommandError(482, QStringLiteral("RECUSADO"));
        printed = pages;
    }
    void discardDocument() override { pages.clear(); }
};

} // namespace dezenario::test

// The commands' rules followed literally on a plain string: a snapshot is a
// copy and a cut really removes. Slow on purpose; the fast commands must agree.
namespace dezenario::model {

inline QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The slip's boxes as measured off a blank slip, in twips: x of the tens groups
// of games 1 to 3, y of the units 1 to 9 and 0 (and of the counts 6 to 9).
constexpr int BoxX[] = { 1140, 1320, 1500, 1680, 1860, 2060, 2500, 2680, 2860,
                         3040, 3220, 3420, 3850, 4030, 4210, 4390, 4570, 4770 };
constexpr int BoxY[] = { 3730, 3360, 3010, 2640, 2280, 1930, 1550, 1180, 800, 430 }, CountX = 5290;

// The numbers that the analysis lists, from the pasted text with its line breaks as CR LF.
inline QStringList analyse(QString buffer, const QString &separator)
{
    QString text = buffer;
    if (const qsizetype first = buffer.indexOf(separator) + 1; first > 0 && !separator.isEmpty()) {
        buffer.remove(0, first);
        text.clear();
        for (;;) {
            const QString snapshot = buffer;
            const qsizetype p = snapshot.indexOf(separator) + 1,
                            r = snapshot.indexOf(QLatin1Char('\r')) + 1, before = buffer.size();
            if (p < 2 || r == 0)
                break;
            if (p < 14)
                buffer.remove(0, p);
            const QString take = buffer.left(r - 1);
            text += take + QLatin1Char('/');
            buffer.remove(0, take.size());
            if (buffer.size() == before)
                break;
        }
        text += buffer;
    }
    QStringList entries;
    for (int n = 1; n <= 100; ++n)
        if (text.contains(twoDigits(n)))
            entries << twoDigits(n);
    return entries;
}

struct PrintRun
{
    QStringList log;
    QList<QList<QPoint>> pages; // the marks of each slip, in painting order
    QString left;
};

inline PrintRun print(QString buffer, int numbersPerGame, int slipCount)
{
    PrintRun run;
    for (int slip = 1; slip <= slipCount; ++slip) {
        QList<QPoint> &page = run.pages.emplace_back();
        for (int game = 1; game <= 3; ++game) {
            for (int position = 0; position < numbersPerGame; ++position) {
                const qsizetype p = buffer.indexOf(QLatin1Char('-')) + 1;
                if (p == 0)
                    continue;
                const QString dezena = buffer.left(p - 1).remove(
                        QRegularExpression(QStringLiteral("\\A +| +\\z")));
                run.log << dezena;
                buffer.remove(0, p);
                for (int n = 1; n <= 60; ++n)
                    if (dezena == twoDigits(n))
                        page << QPoint(BoxX[6 * game - 6 + (n - 1) / 10], BoxY[(n - 1) % 10]);
            }
            run.log << QStringLiteral("* ");
        }
        page << QPoint(CountX, BoxY[numbersPerGame - 6]);
        run.log << QStringLiteral("* %1* ").arg(slip);
    }
    run.left = buffer;
    return run;
}

} // namespace dezenario::model
