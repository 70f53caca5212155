// The operations that the commands ask of the window, the printer and the
// desktop. The command libraries own these interfaces and know nothing of
// widgets; app/ implements them with Qt, printer/ the printer.
//
// The window's controls that the commands are handed, by their names on the form:
//   Text1                 the combination buffer (TextBox)
//   List1                 the numbers found, or the log of a print run (ListBox)
//   Label1                the count of numbers found (Label)
//   Label4                the list's heading: "ENCONTRADAS" or "IMPRESSOS" (Label)
//   Option1 to Option4    6, 7, 8 or 9 numbers a game (OptionButtons)
//   INKPicture1           the mark printed in each box (the printer's picture)
//   Form1                 the whole window, repainted while a command runs (Window)
#pragma once

#include <QString>
#include <QtGlobal>

namespace dezenario {

// The combination buffer. Line breaks are seen as CR LF.
class TextBox
{
public:
    virtual ~TextBox() = default;
    virtual QString text() = 0;
    virtual void setText(const QString &text) = 0;
    // Deletes the first count characters.
    virtual void deleteFront(qsizetype count) = 0;
    // Repaint the box now (an implementation may drop repaints faster than the display).
    virtual void refresh() = 0;
};

class ListBox
{
public:
    virtual ~ListBox() = default;
    virtual void clear() = 0;
    virtual void addItem(const QString &item) = 0;
    virtual int count() const = 0;
};

class Label
{
public:
    virtual ~Label() = default;
    virtual void setCaption(const QString &caption) = 0;
};

// Modal prompt: the text typed, or the empty text on Cancel.
class PromptBox
{
public:
    virtual ~PromptBox() = default;
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultAnswer) = 0;
};

// Modal question, answered Yes or No.
class QuestionBox
{
public:
    enum Answer { Yes, No };
    virtual ~QuestionBox() = default;
    virtual Answer askYesNo(const QString &prompt, const QString &title) = 0;
};

// The sound at the end of a command, and its outcome in words for a screen reader.
class Speaker
{
public:
    virtual ~Speaker() = default;
    virtual void announce(const QString &outcome) = 0;
    virtual void beep() = 0;
};

// The whole main window, for repaints while a command runs.
class Window
{
public:
    virtual ~Window() = default;
    virtual void refresh() = 0;
};

// Option buttons, index 1 to 4.
class OptionButtons
{
public:
    virtual ~OptionButtons() = default;
    virtual bool value(int index) const = 0;
};

// Where the top-left corner of a mark goes, in whole twips from the top-left
// corner of the printable area.
struct MarkPosition
{
    qint32 x = 0;
    qint32 y = 0;
    friend bool operator==(const MarkPosition &, const MarkPosition &) = default;
};

// The printer: paints the mark picture at its own size; the first paint after
// the start or after an end of page opens a new page. The pages of a run reach
// the printer together, with endDocument, so a run that fails prints nothing.
class Printer
{
public:
    virtual ~Printer() = default;
    // Throws CommandError, naming what is missing, when there is no printer to print on.
    virtual void ensureAvailable() = 0;
    virtual void paintPicture(MarkPosition at) = 0;
    virtual void endPage() = 0;
    // Hands every ended page to the printer; throws CommandError when it refuses them.
    virtual void endDocument() = 0;
    // Drops every page painted so far: none of them is printed.
    virtual void discardDocument() = 0;
};

// Shows a web address in a new, visible browser window and keeps no hold on it.
class Browser
{
public:
    virtual ~Browser() = default;
    virtual void navigate(const QString &address) = 0;
};

} // namespace dezenario
