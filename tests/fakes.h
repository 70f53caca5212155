// Recording stand-ins for the window, the printer and the browser.
#pragma once

#include "commanderror.h"
#include "controls.h"

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QStringList>
#include <utility>

namespace dezenario::test {

// A literal text box: every cut really shortens the text.
struct FakeTextBox : TextBox
{
    QString content;
    int refreshes = 0;
    QString text() override { return content; }
    void setText(const QString &text) override { content = text; }
    void deleteFront(qsizetype count) override
    {
        if (count < 0)
            throw CommandError(380, QStringLiteral("COMPRIMENTO NEGATIVO"));
        content.remove(0, count);
    }
    void refresh() override { ++refreshes; }
};

struct FakeListBox : ListBox
{
    QStringList items;
    int clears = 0;
    void clear() override
    {
        items.clear();
        ++clears;
    }
    void addItem(const QString &item) override { items.append(item); }
    int count() const override { return int(items.size()); }
};

struct FakeLabel : Label
{
    QString caption;
    void setCaption(const QString &text) override { caption = text; }
};

// Answers prompts from a queue; an empty queue answers Cancel.
struct FakePromptBox : PromptBox
{
    QStringList answers;
    QList<QStringList> asked; // prompt, title, default
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) override
    {
        asked.append({prompt, title, defaultAnswer});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

struct FakeMessageBox : MessageBox
{
    Answer answer = Yes;
    QStringList asked;
    Answer askYesNo(const QString &prompt, const QString &title) override
    {
        asked << prompt << title;
        return answer;
    }
};

struct FakeSpeaker : Speaker
{
    int beeps = 0;
    QStringList announced;
    void announce(const QString &outcome) override { announced << outcome; }
    void beep() override { ++beeps; }
};

struct FakeWindow : Window
{
    int refreshes = 0;
    void refresh() override { ++refreshes; }
};

struct FakeOptions : OptionButtons
{
    int selected = 1;
    bool value(int index) const override { return index == selected; }
};

// Pages of marks; throws after a given number of paints to act out a failing device.
struct FakePrinter : Printer
{
    using Page = QList<QPoint>;
    bool installed = true;
    int failAfterPaints = -1;
    bool refuses = false;
    QList<Page> endedPages;
    Page openPage;
    bool pageOpen = false;
    int paints = 0;
    QList<Page> printed; // the pages that reached the printer

    void ensureAvailable() override
    {
        if (!installed)
            throw CommandError(484, QStringLiteral("SEM IMPRESSORA"));
    }
    void paintPicture(MarkPosition at) override
    {
        if (failAfterPaints >= 0 && paints >= failAfterPaints)
            throw CommandError(482, QStringLiteral("ERRO DE IMPRESSORA"));
        ++paints;
        pageOpen = true;
        openPage.append(QPoint(at.x, at.y));
    }
    void endPage() override
    {
        if (!pageOpen)
            return;
        endedPages.append(openPage);
        openPage.clear();
        pageOpen = false;
    }
    void endDocument() override
    {
        if (refuses)
            throw CommandError(482, QStringLiteral("RECUSADO"));
        printed += endedPages;
        endedPages.clear();
    }
    void discardDocument() override
    {
        endedPages.clear();
        openPage.clear();
        pageOpen = false;
    }
};

struct FakeBrowser : Browser
{
    QStringList opened;
    bool fail = false;
    void navigate(const QString &address) override
    {
        if (fail)
            throw CommandError(429, QStringLiteral("NAVEGADOR AUSENTE"));
        opened << address;
    }
};

} // namespace dezenario::test
