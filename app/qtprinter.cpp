#include "qtprinter.h"

#include "commanderror.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <optional>

#include <cups/cups.h>
#include <cups/ppd.h>
#include <unistd.h>

// CUPS still describes a local queue's paper and printable area only in its PPD.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace dezenario {

namespace {
constexpr int TwipsPerInch = 1440;
constexpr double MetresPerInch = 0.0254;

// The default that LPDEST, PRINTER or an lpoptions file names, in the order
// CUPS reads them, whether or not such a printer exists.
QString namedDefault()
{
    for (const char *variable : {"LPDEST", "PRINTER"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty() && name != QLatin1String("lp"))
            return name;
    }
    for (const QString &path : {QDir::homePath() + QStringLiteral("/.cups/lpoptions"), QStringLiteral("/etc/cups/lpoptions")}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        while (!file.atEnd()) {
            const QList<QByteArray> words = file.readLine().simplified().split(' ');
            if (words.size() >= 2 && words.first().toLower() == "default")
                return QString::fromLocal8Bit(words.at(1).split('/').first());
        }
    }
    return QString();
}

CommandError noPrinter()
{
    const QString named = namedDefault();
    if (!named.isEmpty()) {
        return CommandError(errors::NoPrinter,
                            QStringLiteral("A IMPRESSORA PADRÃO \"%1\" NÃO EXISTE. ESCOLHA UMA IMPRESSORA INSTALADA "
                                           "(lpoptions -d NOME, OU PRINTER=NOME AO ABRIR O PROGRAMA).")
                                .arg(named));
    }
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cupsFreeDests(count, dests);
    if (count > 0) {
        return CommandError(errors::NoPrinter,
                            QStringLiteral("NENHUMA IMPRESSORA FOI ESCOLHIDA COMO PADRÃO. ESCOLHA UMA "
                                           "(lpoptions -d NOME, OU PRINTER=NOME AO ABRIR O PROGRAMA)."));
    }
    return CommandError(errors::NoPrinter,
                        QStringLiteral("NENHUMA IMPRESSORA INSTALADA. INSTALE UMA IMPRESSORA E TENTE DE NOVO."));
}

// The destination's default paper, its default options (lpoptions) applied,
// with the printable area as margins, as its PPD describes them.
std::optional<QPageLayout> ppdPaper(cups_dest_t *dest)
{
    const char *file = cupsGetPPD(dest->name);
    if (!file)
        return std::nullopt;
    ppd_file_t *ppd = ppdOpenFile(file);
    unlink(file);
    if (!ppd)
        return std::nullopt;
    ppdMarkDefaults(ppd);
    cupsMarkOptions(ppd, dest->num_options, dest->options);
    std::optional<QPageLayout> layout;
    if (const ppd_size_t *size = ppdPageSize(ppd, nullptr); size && size->width > 0 && size->length > 0) {
        const QPageSize paper(QSizeF(size->width, size->length), QPageSize::Point, QString::fromLatin1(size->name),
                              QPageSize::ExactMatch);
        // PPD areas count from the bottom-left corner, in points.
        const QMarginsF margins(size->left, size->length - size->top, size->width - size->right, size->bottom);
        layout = QPageLayout(paper, QPageLayout::Portrait, margins, QPageLayout::Point, QMarginsF());
    }
    ppdClose(ppd);
    return layout;
}

// A destination whose default orientation is landscape turns its pages a
// quarter counter-clockwise (reverse landscape: clockwise) onto the sheet, so
// the page is laid out across and its printable area turns with it.
QPageLayout inDefaultOrientation(cups_dest_t *dest, const QPageLayout &portrait)
{
    const QByteArray orientation = cupsGetOption("orientation-requested", dest->num_options, dest->options);
    const QMarginsF m = portrait.margins();
    QMarginsF across;
    if (orientation == "4")
        across = QMarginsF(m.bottom(), m.left(), m.top(), m.right());
    else if (orientation == "5")
        across = QMarginsF(m.top(), m.right(), m.bottom(), m.left());
    else
        return portrait;
    return QPageLayout(portrait.pageSize(), QPageLayout::Landscape, across, portrait.units(), QMarginsF());
}
} // namespace

QtPrinter::QtPrinter(QImage mark) : m_mark(std::move(mark)) {}

QtPrinter::~QtPrinter()
{
    discardDocument();
}

void QtPrinter::ensureAvailable()
{
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        throw noPrinter();
    m_name = QString::fromLocal8Bit(dest->name);
    // A queue without a PPD (a raw queue) tells only its paper, and takes the page as it is.
    m_layout = inDefaultOrientation(dest, ppdPaper(dest).value_or(QPageLayout(
        QPrinterInfo::printerInfo(m_name).defaultPageSize(), QPageLayout::Portrait, QMarginsF(), QPageLayout::Point, QMarginsF())));
    cupsFreeDests(1, dest);
}

void QtPrinter::open()
{
    m_spool = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/dezenario-XXXXXX.pdf"));
    if (!m_spool->open())
        throw CommandError(errors::PrinterError, QStringLiteral("NÃO FOI POSSÍVEL CRIAR O ARQUIVO DE IMPRESSÃO EM %1.").arg(QDir::tempPath()));
    m_spool->close();
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(m_spool->fileName());
    // One device unit a twip, and the origin at the corner of the printable area.
    m_printer->setResolution(TwipsPerInch);
    m_printer->setPageLayout(m_layout);
    m_printer->setDocName(QStringLiteral("DEZENARIO"));
    m_printer->setCreator(QStringLiteral("DEZENARIO"));
    if (!m_painter.begin(m_printer.get()))
        throw CommandError(errors::PrinterError, QStringLiteral("A IMPRESSORA \"%1\" NÃO PÔDE COMEÇAR A IMPRESSÃO.").arg(m_name));

    // The mark at its stored density, whatever the printer's dots.
    m_markSize = QSizeF(m_mark.width() / (m_mark.dotsPerMeterX() * MetresPerInch) * TwipsPerInch,
                        m_mark.height() / (m_mark.dotsPerMeterY() * MetresPerInch) * TwipsPerInch);
    m_page = Page::Open;
}

void QtPrinter::paintPicture(MarkPosition at)
{
    if (!m_printer) {
        open();
    } else if (m_page == Page::Ended) {
        if (!m_printer->newPage())
            throw CommandError(errors::PrinterError, QStringLiteral("A IMPRESSORA \"%1\" NÃO ACEITOU UMA NOVA PÁGINA.").arg(m_name));
        m_page = Page::Open;
    }
    // The same image every time, so the document holds it once.
    m_painter.drawImage(QRectF(QPointF(at.x, at.y), m_markSize), m_mark);
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
        return; // nothing was painted, so there is nothing to print
    const bool written = m_painter.end();
    const bool failed = !written || m_printer->printerState() == QPrinter::Error;
    m_printer.reset();
    m_page = Page::None;
    if (failed)
        throw CommandError(errors::PrinterError, QStringLiteral("NÃO FOI POSSÍVEL GRAVAR AS PÁGINAS PARA A IMPRESSORA \"%1\".").arg(m_name));

    const QByteArray name = m_name.toLocal8Bit();
    const QByteArray file = m_spool->fileName().toLocal8Bit();
    // The page is already laid out on the printer's own paper and in its own
    // orientation: no filter may scale or centre it, whatever the queue's default.
    cups_option_t *options = nullptr;
    const int count = cupsAddOption("print-scaling", "none", 0, &options);
    const int job = cupsPrintFile(name.constData(), file.constData(), "DEZENARIO", count, options);
    cupsFreeOptions(count, options);
    m_spool.reset(); // CUPS has its own copy now
    if (job == 0) {
        throw CommandError(errors::PrinterError,
                           QStringLiteral("A IMPRESSORA \"%1\" RECUSOU A IMPRESSÃO: %2")
                               .arg(m_name, QString::fromLocal8Bit(cupsLastErrorString()).toUpper()));
    }
}

void QtPrinter::discardDocument()
{
    if (m_printer) {
        m_painter.end();
        m_printer.reset();
    }
    m_spool.reset();
    m_page = Page::None;
}

} // namespace dezenario
