#include "qttextbox.h"

#include "combinationedit.h"

#include <QDeadlineTimer>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace dezenario {

qint64 FrameThrottle::steadyMilliseconds()
{
    return QDeadlineTimer::current().deadline();
}

bool FrameThrottle::due()
{
    // A command asks millions of times; reading the clock only every 64th
    // time still finds each frame within microseconds.
    if (m_started && ++m_calls % CallsPerClockReading != 0)
        return false;
    const qint64 now = m_now();
    if (m_started && now - m_last < FrameMilliseconds)
        return false;
    m_started = true;
    m_last = now;
    return true;
}

QtTextBox::QtTextBox(QPlainTextEdit *edit)
    : m_edit(edit), m_document(edit->document()), m_undoWasEnabled(m_document->isUndoRedoEnabled())
{
    // A command's cuts are not the user's edits, and an undo history of a
    // consumed megabyte list would only hold memory.
    m_document->setUndoRedoEnabled(false);
}

QtTextBox::~QtTextBox()
{
    flush();
    showDocument();
    m_document->setUndoRedoEnabled(m_undoWasEnabled);
}

QString QtTextBox::text()
{
    readDocument();
    return m_seen;
}

void QtTextBox::readDocument()
{
    flush();
    m_seen = QString(); // the old text goes before the new one is widened: one copy at a time
    m_seen = CombinationEdit::fromDocument(m_document->toRawText());
    m_seenFront = 0;
    m_documentAsRead = true;
}

void QtTextBox::setText(const QString &text)
{
    showDocument();
    if (m_documentAsRead && text == m_seen) {
        // The text as it was read: the user's document still holds it.
        m_pendingDocumentChars = 0;
        m_seenFront = 0;
        return;
    }
    m_pendingDocumentChars = 0;
    m_edit->setPlainText(CombinationEdit::forDocument(text));
    readDocument(); // what the document made of the line breaks
}

void QtTextBox::deleteFront(qsizetype count)
{
    Q_ASSERT(count >= 0 && m_seenFront + count <= m_seen.size());
    // Every LF follows the CR that stands for the document's line break, so an
    // LF costs the document nothing, even when its CR went in an earlier cut.
    const QStringView cut = QStringView(m_seen).mid(m_seenFront, count);
    m_pendingDocumentChars += count - cut.count(u'\n');
    m_seenFront += count;
}

void QtTextBox::refresh()
{
    if (!m_throttle.due())
        return;
    showFront();
    m_edit->repaint();
}

void QtTextBox::showFront()
{
    if (m_pendingDocumentChars == 0 && !m_front)
        return; // nothing cut yet: the user's document shows it as it is
    if (!m_front) {
        m_front = std::make_unique<QTextDocument>();
        m_front->setDocumentLayout(new QPlainTextDocumentLayout(m_front.get()));
        m_front->setUndoRedoEnabled(false);
        m_front->setDefaultFont(m_document->defaultFont());
        m_front->setDefaultTextOption(m_document->defaultTextOption());
        // The box would delete a document of its own that it no longer shows.
        m_document->setParent(m_edit);
        m_edit->setDocument(m_front.get());
    }
    // More than the box can show at once.
    constexpr qsizetype ShownCharacters = 4096;
    m_front->setPlainText(
            CombinationEdit::forDocument(QStringView(m_seen).mid(m_seenFront, ShownCharacters)));
}

void QtTextBox::showDocument()
{
    if (!m_front)
        return;
    m_edit->setDocument(m_document);
    m_front.reset();
}

void QtTextBox::flush()
{
    if (m_pendingDocumentChars == 0)
        return;
    QTextCursor cursor(m_document);
    cursor.setPosition(0);
    cursor.setPosition(int(m_pendingDocumentChars), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_pendingDocumentChars = 0;
    m_documentAsRead = false;
}

} // namespace dezenario
