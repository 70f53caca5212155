#pragma once

#include "controls.h"

#include <QObject>
#include <QStringList>
#include <memory>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QTextDocument;
class QWidget;

namespace dezenario {

// Lets through at most one repaint per display frame: the first asked for, then one once a frame
// has gone by since the last.
class FrameThrottle
{
public:
    using Clock = qint64 (*)(); // milliseconds, never going back
    static constexpr qint64 FrameMilliseconds = 16; // about 60 repaints a second
    static constexpr unsigned CallsPerClockReading = 64;

    explicit FrameThrottle(Clock now = steadyMilliseconds) : m_now(now) {}
    bool due();
    static qint64 steadyMilliseconds();

private:
    Clock m_now;
    qint64 m_last = 0;
    bool m_started = false;
    unsigned m_calls = 0;
};

// Text1. A command cuts it thousands of times a second. While it runs, the box
// shows the front of what is left in a small document of its own, renewed
// once a frame, and the cuts reach the user's document in one go when the
// adapter goes (or before the text is read again): laying out and cutting a
// document of megabytes once a frame would cost its size every frame.
class QtTextBox : public TextBox
{
public:
    explicit QtTextBox(QPlainTextEdit *edit);
    ~QtTextBox() override;

    QString text() override;
    void setText(const QString &text) override;
    void deleteFront(qsizetype count) override;
    void refresh() override;
    // Shows the front of what is left, without painting.
    void showFront();

private:
    void flush();
    void showDocument();

    QPlainTextEdit *m_edit;
    QTextDocument *m_document; // the user's
    std::unique_ptr<QTextDocument> m_front;
    bool m_undoWasEnabled;
    // The text as the command sees it (CR LF line breaks), and how much of it is cut.
    QString m_seen;
    qsizetype m_seenFront = 0;
    qsizetype m_pendingDocumentChars = 0; // a line break is one character in the document
    bool m_documentAsRead = false; // no cut has reached the document since it was read
    FrameThrottle m_throttle;
};

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

class QtMessageBox : public MessageBox
{
public:
    explicit QtMessageBox(QWidget *parent) : m_parent(parent) {}
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
