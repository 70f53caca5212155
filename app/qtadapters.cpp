#include "qtadapters.h"

#include "commanderror.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include <cups/cups.h>

namespace dezenario {

namespace {
constexpr qint64 FrameMilliseconds = 16; // about 60 repaints a second
constexpr double TwipsPerInch = 1440.0;
constexpr double MetresPerInch = 0.0254;
constexpr int MessageWidth = 640; // pixels; wider texts wrap
} // namespace

bool FrameThrottle::due()
{
    if (m_last.isValid() && m_last.elapsed() < FrameMilliseconds)
        return false;
    m_last.start();
    return true;
}

// --- Text1 -----------------------------------------------------------------

QtTextBox::QtTextBox(QPlainTextEdit *edit)
    : m_edit(edit), m_undoWasEnabled(edit->document()->isUndoRedoEnabled())
{
    // A command's cuts are not the user's edits, and an undo history of a
    // consumed megabyte list would only hold memory.
    m_edit->document()->setUndoRedoEnabled(false);
}

QtTextBox::~QtTextBox()
{
    flush();
    m_edit->document()->setUndoRedoEnabled(m_undoWasEnabled);
}

QString QtTextBox::text()
{
    flush();
    // The document keeps one character per line break; the commands count two.
    // The raw text keeps what plain text would alter (a no-break space stays one).
    m_seen = m_edit->document()->toRawText();
    m_seen.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    m_seen.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    m_seenFront = 0;
    return m_seen;
}

void QtTextBox::setText(const QString &text)
{
    m_pendingDocumentChars = 0;
    m_edit->setPlainText(text);
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
    flush();
    m_edit->repaint();
}

void QtTextBox::flush()
{
    if (m_pendingDocumentChars == 0)
        return;
    QTextCursor cursor(m_edit->document());
    cursor.setPosition(0);
    cursor.setPosition(int(m_pendingDocumentChars), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_pendingDocumentChars = 0;
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
}

QString QtPromptBox::inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer)
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
    const int width = std::min(text->sizeHint().width(), MessageWidth); // the widest line, unwrapped
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
    m_text.flush();
    m_list.flush();
    m_form->repaint();
}

// --- Printer -----------------------------------------------------------------

QtPrinter::QtPrinter(QImage mark) : m_mark(std::move(mark)), m_printerName(defaultPrinterName()) {}

QtPrinter::~QtPrinter()
{
    try {
        endDocument();
    } catch (const CommandError &) {
        // Already failing: the first error is the one the user is shown.
    }
}

QString QtPrinter::defaultPrinterName()
{
    // The default destination; CUPS lets LPDEST and PRINTER choose another.
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return QString();
    const QString name = QString::fromLocal8Bit(dest->name);
    cupsFreeDests(1, dest);
    return name;
}

bool QtPrinter::isInstalled() const
{
    return !m_printerName.isEmpty();
}

void QtPrinter::open()
{
    if (!isInstalled())
        throw noPrinterError();
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setPrinterName(m_printerName);
    // The printer's own paper, printable area and resolution, written to a spool file.
    const QPageLayout layout = m_printer->pageLayout();
    const int resolution = m_printer->resolution();
    m_spool = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/dezenario-XXXXXX.pdf"));
    if (!m_spool->open())
        throw CommandError(errors::PrinterError, QStringLiteral("NÃO FOI POSSÍVEL CRIAR O ARQUIVO DE IMPRESSÃO."));
    m_spool->close();
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(m_spool->fileName());
    m_printer->setResolution(resolution);
    m_printer->setFullPage(false);
    m_printer->setPageLayout(layout);
    m_printer->setDocName(QStringLiteral("DEZENARIO"));
    m_printer->setCreator(QStringLiteral("DEZENARIO"));
    if (!m_painter.begin(m_printer.get()))
        throw CommandError(errors::PrinterError, QStringLiteral("A IMPRESSORA %1 NÃO PÔDE COMEÇAR A IMPRESSÃO.").arg(m_printerName.toUpper()));

    m_pixelsPerTwip = resolution / TwipsPerInch;
    // The mark at its stored density, whatever the printer's dots.
    const double dpmX = m_mark.dotsPerMeterX() > 0 ? m_mark.dotsPerMeterX() : 96 / MetresPerInch;
    const double dpmY = m_mark.dotsPerMeterY() > 0 ? m_mark.dotsPerMeterY() : 96 / MetresPerInch;
    m_markSize = QSizeF(m_mark.width() / (dpmX * MetresPerInch) * resolution,
                        m_mark.height() / (dpmY * MetresPerInch) * resolution);
    m_page = Page::Open;
}

void QtPrinter::paintPicture(float xTwips, float yTwips)
{
    if (!m_printer) {
        open();
    } else if (m_page == Page::Ended) {
        if (!m_printer->newPage())
            throw CommandError(errors::PrinterError, QStringLiteral("A IMPRESSORA %1 NÃO ACEITOU UMA NOVA PÁGINA.").arg(m_printerName.toUpper()));
        m_page = Page::Open;
    }
    // The same image every time, so the document holds it once.
    m_painter.drawImage(QRectF(QPointF(xTwips * m_pixelsPerTwip, yTwips * m_pixelsPerTwip), m_markSize), m_mark);
}

void QtPrinter::endPage()
{
    // The next paint opens the next page; a run never ends a page it did not paint on.
    if (m_page == Page::Open)
        m_page = Page::Ended;
}

void QtPrinter::endDocument()
{
    if (!m_printer)
        return;
    const bool written = m_painter.end();
    std::unique_ptr<QPrinter> printer = std::move(m_printer);
    m_page = Page::None;
    if (!written || printer->printerState() == QPrinter::Error)
        throw CommandError(errors::PrinterError, QStringLiteral("NÃO FOI POSSÍVEL GRAVAR AS PÁGINAS PARA A IMPRESSORA %1.").arg(m_printerName.toUpper()));
    submit();
}

void QtPrinter::submit()
{
    const QByteArray name = m_printerName.toLocal8Bit();
    const QByteArray file = m_spool->fileName().toLocal8Bit();
    m_documentBytes = m_spool->size();
    const int job = cupsPrintFile(name.constData(), file.constData(), "DEZENARIO", 0, nullptr);
    m_spool.reset(); // CUPS has its own copy now
    if (job == 0) {
        throw CommandError(errors::PrinterError,
                           QStringLiteral("A IMPRESSORA %1 RECUSOU A IMPRESSÃO: %2")
                               .arg(m_printerName.toUpper(), QString::fromLocal8Bit(cupsLastErrorString()).toUpper()));
    }
}

// --- Browser -----------------------------------------------------------------

void QtBrowser::navigate(const QString &address)
{
    if (!QDesktopServices::openUrl(QUrl(address))) {
        throw CommandError(errors::CannotCreateObject,
                           QStringLiteral("NÃO FOI POSSÍVEL ABRIR O NAVEGADOR PARA %1. VERIFIQUE SE HÁ UM NAVEGADOR PADRÃO INSTALADO.")
                               .arg(address.toUpper()));
    }
}

} // namespace dezenario
