#include "qtadapters.h"

#include "combinationedit.h"
#include "commanderror.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace dezenario {

namespace {
constexpr int MessageWidth = 640; // pixels; wider texts wrap
} // namespace

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

// --- Text1 -----------------------------------------------------------------

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
    flush();
    // The document keeps one character per line break, a paragraph or a line
    // separator; the commands count two. The raw text keeps what plain text
    // would alter (a no-break space stays one). Widened in place, from the
    // end: QString::replace with a longer text would move the rest of the
    // text at every line, and a second buffer would double the peak memory.
    m_seen = m_document->toRawText();
    auto isBreak = [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    qsizetype from = m_seen.size();
    qsizetype to = from + std::count_if(m_seen.cbegin(), m_seen.cend(), isBreak);
    m_seen.resize(to);
    QChar *text = m_seen.data();
    while (from > 0) {
        const QChar c = text[--from];
        if (isBreak(c)) {
            text[--to] = u'\n';
            text[--to] = u'\r';
        } else {
            text[--to] = c;
        }
    }
    m_seenFront = 0;
    m_documentAsRead = true;
    return m_seen;
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
    this->text(); // what the document made of the line breaks
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

// --- List1 -----------------------------------------------------------------

QtListBox::QtListBox(QListWidget *list) : m_list(list) {}

QtListBox::~QtListBox()
{
    flush();
}

void QtListBox::clear()
{
    m_pending.clear();
    m_list->clear();
    m_list->setAccessibleDescription(QString()); // the outcome it told of is gone
}

void QtListBox::addItem(const QString &item)
{
    m_pending.append(item);
}

int QtListBox::count() const
{
    return m_list->count() + int(m_pending.size());
}

void QtListBox::flush()
{
    if (m_pending.isEmpty())
        return;
    m_list->addItems(m_pending);
    m_pending.clear();
}

// --- Labels, boxes, sound, options, window ----------------------------------

void QtLabel::setCaption(const QString &caption)
{
    m_label->setText(caption);
    // A heading names the control it heads, for a screen reader too.
    if (QWidget *headed = m_label->buddy())
        headed->setAccessibleName(caption);
}

QString QtPromptBox::inputBox(const QString &prompt, const QString &title,
                              const QString &defaultAnswer)
{
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancelar"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

MessageBox::Answer QtMessageBox::askYesNo(const QString &prompt, const QString &title)
{
    // A dialog of our own: QMessageBox sizes its text before wrapping a line
    // too long for the screen, and then cuts it off. Line breaking keeps runs
    // like "20-22" together, so an invisible break opportunity follows each dash.
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("MsgBox"));
    dialog.setWindowTitle(title);
    QString shown = prompt;
    shown.replace(u'-', QStringLiteral("-\u200B"));
    auto *text = new QLabel(shown, &dialog);
    text->setObjectName(QStringLiteral("prompt"));
    text->setTextFormat(Qt::PlainText);
    const int width =
            std::min(text->sizeHint().width(), MessageWidth); // the widest line, unwrapped
    text->setWordWrap(true);
    text->setFixedWidth(width);
    text->setMinimumHeight(text->heightForWidth(width));
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *yes = buttons->addButton(QStringLiteral("Sim"), QDialogButtonBox::YesRole);
    QPushButton *no = buttons->addButton(QStringLiteral("Não"), QDialogButtonBox::NoRole);
    yes->setDefault(true);
    QObject::connect(yes, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(no, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return dialog.exec() == QDialog::Accepted ? Yes : No;
}

void QtSpeaker::announce(const QString &outcome)
{
    m_results->setAccessibleDescription(outcome);
}

void QtSpeaker::beep()
{
    QApplication::beep();
    emit beeped();
}

bool QtOptionButtons::value(int index) const
{
    Q_ASSERT(index >= 1 && index <= 4);
    return m_buttons[index - 1]->isChecked();
}

void QtWindow::refresh()
{
    if (!m_throttle.due())
        return;
    m_text.showFront();
    m_list.flush();
    m_form->repaint();
}

// --- Browser -----------------------------------------------------------------

void QtBrowser::navigate(const QString &address)
{
    if (!QDesktopServices::openUrl(QUrl(address))) {
        throw CommandError(errors::CannotCreateObject,
                           QStringLiteral("NÃO FOI POSSÍVEL ABRIR O NAVEGADOR PARA %1. VERIFIQUE "
                                          "SE HÁ UM NAVEGADOR PADRÃO INSTALADO.")
                                   .arg(address.toUpper()));
    }
}

} // namespace dezenario
