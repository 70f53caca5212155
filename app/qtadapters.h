#pragma once

#include "controls.h"
#include "qttextbox.h"
#include "systemprinter.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <functional>

class QFormLayout;
class QAbstractItemModel;
class QLabel;
class QTableView;
class QListWidget;
class QRadioButton;
class QWidget;

namespace dezenario {

class CommandError;
struct KeptRun;
class RunStore;

// The error box of the window and its dialogs: the error's number and its description.
void showError(QWidget *parent, const CommandError &error);
// Runs what a click, a key or a menu asks for, in the window or in a dialog: whatever error it
// meets, out of memory included, becomes an error box over parent, and the program goes on.
void guarded(QWidget *parent, const std::function<void()> &action);
// A handler for a signal that runs action under guarded().
template<typename Action>
auto guard(QWidget *parent, Action action)
{
    return [parent, action] { guarded(parent, action); };
}

// A field under its caption, which a screen reader reads as its name; an "&" in the caption marks
// the letter that Alt takes to the field.
void addRow(QFormLayout *form, const QString &caption, QWidget *field);

// A list of rows, one chosen at a time, named for tests and for screen readers.
QTableView *tableView(const QString &name, const QString &spoken, QAbstractItemModel *model,
                      QWidget *parent);

// Words a window tells, which a user selects and a screen reader reaches with Tab.
QLabel *wordsLabel(const QString &name, QWidget *parent);

// Asks where, and saves a CSV there whole or not at all; throws CommandError when it cannot.
void saveFile(QWidget *parent, const QString &title, const QString &suggested,
              const QByteArray &csv);

// The printer for slips as the user set it up: the one chosen, or the system's default, each with
// the values saved for it.
SystemPrinter slipPrinter(QImage mark);

// Keeps a run once its pages reached the printer, stamped with the moment, the printer and its
// values, and gives its file; throws CommandError, saying that the slips were printed, when it
// cannot.
QString keepPrinted(KeptRun &run, const SystemPrinter &printer, const RunStore &store);

// List1. Entries are appended in batches, once a frame.
class QtListBox : public ListBox
{
public:
    explicit QtListBox(QListWidget *list);
    ~QtListBox() override;

    void clear() override;
    void addItem(const QString &item) override;
    int count() const override;
    void flush();

private:
    QListWidget *m_list;
    QStringList m_pending;
};

class QtLabel : public Label
{
public:
    explicit QtLabel(QLabel *label) : m_label(label) {}
    void setCaption(const QString &caption) override;

private:
    QLabel *m_label;
};

class QtPromptBox : public PromptBox
{
public:
    explicit QtPromptBox(QWidget *parent) : m_parent(parent) {}
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;

private:
    QWidget *m_parent;
};

class QtQuestionBox : public QuestionBox
{
public:
    explicit QtQuestionBox(QWidget *parent) : m_parent(parent) {}
    Answer askYesNo(const QString &prompt, const QString &title) override;

private:
    QWidget *m_parent;
};

// The beep, observable so that the window's tests can hear it. The outcome
// becomes the accessible description of the result list, which a screen
// reader is told of; clearing the list clears it.
class QtSpeaker : public QObject, public Speaker
{
    Q_OBJECT
public:
    QtSpeaker(QWidget *results, QObject *parent) : QObject(parent), m_results(results) {}
    void announce(const QString &outcome) override;
    void beep() override;
signals:
    void beeped();

private:
    QWidget *m_results;
};

class QtOptionButtons : public OptionButtons
{
public:
    explicit QtOptionButtons(std::array<QRadioButton *, 4> buttons) : m_buttons(buttons) {}
    bool value(int index) const override;

private:
    std::array<QRadioButton *, 4> m_buttons;
};

// The whole window: brings the text box and the list up to date, then paints, once a frame.
class QtWindow : public Window
{
public:
    QtWindow(QWidget *form, QtTextBox &text, QtListBox &list)
        : m_form(form), m_text(text), m_list(list)
    {
    }
    void refresh() override;

private:
    QWidget *m_form;
    QtTextBox &m_text;
    QtListBox &m_list;
    FrameThrottle m_throttle;
};

// The desktop's default browser.
class QtBrowser : public Browser
{
public:
    void navigate(const QString &address) override;
};

} // namespace dezenario
