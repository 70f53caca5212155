#pragma once

#include "controls.h"

#include <memory>

class QPlainTextEdit;
class QTextDocument;

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
    // Brings the cuts to the document, and reads it again as the command sees it.
    void readDocument();
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

} // namespace dezenario
