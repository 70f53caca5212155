// The printer through CUPS: the destination chosen for slips, or the default one (LPDEST, PRINTER,
// lpoptions or the server's default), the paper and printable area that its
// PPD gives, and the pages handed over as one PDF document, unscaled.
#include "systemprinter.h"

#include "pagepainter.h"
#include "units.h"

#include <QDir>
#include <QFile>
#include <QPainter>
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
// The default that LPDEST, PRINTER or an lpoptions file names, in the order
// CUPS reads them, whether or not such a printer exists.
QString namedDefault()
{
    for (const char *variable : { "LPDEST", "PRINTER" }) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty() && name != QLatin1String("lp"))
            return name;
    }
    for (const QString &path : { QDir::homePath() + QStringLiteral("/.cups/lpoptions"),
                                 QStringLiteral("/etc/cups/lpoptions") }) {
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
    if (const ppd_size_t *size = ppdPageSize(ppd, nullptr);
        size && size->width > 0 && size->length > 0) {
        const QPageSize paper(QSizeF(size->width, size->length), QPageSize::Point,
                              QString::fromLatin1(size->name), QPageSize::ExactMatch);
        // PPD areas count from the bottom-left corner, in points.
        const QMarginsF margins(size->left, size->length - size->top, size->width - size->right,
                                size->bottom);
        layout =
                QPageLayout(paper, QPageLayout::Portrait, margins, QPageLayout::Point, QMarginsF());
    }
    ppdClose(ppd);
    return layout;
}

// A destination whose default orientation is landscape turns its pages a
// quarter counter-clockwise (reverse landscape: clockwise) onto the sheet, so
// the page is laid out across and its printable area turns with it.
QPageLayout inDefaultOrientation(cups_dest_t *dest, const QPageLayout &portrait)
{
    const QByteArray orientation =
            cupsGetOption("orientation-requested", dest->num_options, dest->options);
    const QMarginsF m = portrait.margins();
    QMarginsF across;
    if (orientation == "4")
        across = QMarginsF(m.bottom(), m.left(), m.top(), m.right());
    else if (orientation == "5")
        across = QMarginsF(m.top(), m.right(), m.bottom(), m.left());
    else
        return portrait;
    return QPageLayout(portrait.pageSize(), QPageLayout::Landscape, across, portrait.units(),
                       QMarginsF());
}

// The destination's paper and orientation options, for the job to name: the server applies only
// its own defaults, and these may come from the user's lpoptions (lp names them too).
std::vector<std::pair<QByteArray, QByteArray>> paperAndOrientation(cups_dest_t *dest)
{
    std::vector<std::pair<QByteArray, QByteArray>> options;
    for (const char *option : { "media", "PageSize", "orientation-requested" }) {
        if (const char *value = cupsGetOption(option, dest->num_options, dest->options))
            options.emplace_back(option, value);
    }
    return options;
}
} // namespace

const QString SystemPrinter::ServiceDown = QStringLiteral(
        "O SERVIÇO DE IMPRESSÃO (CUPS) NÃO RESPONDE. INICIE-O (sudo systemctl start cups) E TENTE "
        "DE NOVO.");
const QString SystemPrinter::HowToChoose =
        QStringLiteral("(lpoptions -d NOME, OU PRINTER=NOME AO ABRIR O PROGRAMA)");

// Whether the CUPS server (CUPS_SERVER, client.conf, or the local one) answers at all.
bool SystemPrinter::serviceAnswers()
{
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    httpClose(http);
    return http != nullptr;
}

bool SystemPrinter::anyPrinterInstalled()
{
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cupsFreeDests(count, dests);
    return count > 0;
}

SystemPrinter::Installed SystemPrinter::installedPrinters()
{
    Installed installed;
    if (cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr)) {
        installed.systemDefault = QString::fromLocal8Bit(dest->name);
        cupsFreeDests(1, dest);
    }
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i)
        if (!dests[i].instance) // an instance is the same queue with other options
            installed.printers << QString::fromLocal8Bit(dests[i].name);
    cupsFreeDests(count, dests);
    return installed;
}

void SystemPrinter::ensureAvailable()
{
    cups_dest_t *dest = cupsGetNamedDest(
            CUPS_HTTP_DEFAULT, m_chosen.isEmpty() ? nullptr : m_chosen.toLocal8Bit().constData(),
            nullptr);
    if (!dest)
        throw noPrinter(namedDefault());
    m_name = QString::fromLocal8Bit(dest->name);
    // A queue that rejects jobs says so now, before anything is asked or cut.
    if (qstrcmp(cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options),
                "false")
        == 0) {
        cupsFreeDests(1, dest);
        throw CommandError(errors::PrinterError,
                           QStringLiteral("A IMPRESSORA \"%1\" NÃO ESTÁ ACEITANDO TRABALHOS. "
                                          "LIBERE-A (cupsaccept %1) OU ESCOLHA OUTRA %2.")
                                   .arg(m_name, HowToChoose));
    }
    // A queue without a PPD (a raw queue) tells only its paper, and takes the page as it is.
    m_layout = inDefaultOrientation(
            dest,
            ppdPaper(dest).value_or(QPageLayout(QPrinterInfo::printerInfo(m_name).defaultPageSize(),
                                                QPageLayout::Portrait, QMarginsF(),
                                                QPageLayout::Point, QMarginsF())));
    m_laidOutFor = paperAndOrientation(dest);
    cupsFreeDests(1, dest);
    align([this] { return page().printable.size(); });
}

SystemPrinter::Page SystemPrinter::page() const
{
    const QRectF printable = m_layout.paintRect(QPageLayout::Point);
    return { m_layout.fullRect(QPageLayout::Point).size() * 20,
             QRectF(printable.topLeft() * 20, printable.size() * 20) };
}

void SystemPrinter::deliver()
{
    QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/dezenario-XXXXXX.pdf"));
    if (!spool.open())
        throw CommandError(errors::PrinterError,
                           QStringLiteral("NÃO FOI POSSÍVEL CRIAR O ARQUIVO DE IMPRESSÃO EM %1.")
                                   .arg(QDir::tempPath()));
    spool.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(spool.fileName());
    // One device unit a twip, and the origin at the corner of the printable area.
    printer.setResolution(int(TwipsPerInch));
    printer.setPageLayout(m_layout);
    printer.setDocName(QStringLiteral("DEZENARIO"));
    printer.setCreator(QStringLiteral("DEZENARIO"));
    QPainter painter;
    if (!painter.begin(&printer))
        throw CommandError(
                errors::PrinterError,
                QStringLiteral("A IMPRESSORA \"%1\" NÃO PÔDE COMEÇAR A IMPRESSÃO.").arg(m_name));
    if (m_testSheet)
        PagePainter::paintTestSheet(painter, m_alignment, PagePainter::markSize(m_mark), m_name);
    // The same image every time, so the document holds it once.
    const bool painted = m_testSheet
            || paintPages(
                                 QSizeF(printer.resolution(), printer.resolution()),
                                 [&] { return printer.newPage(); },
                                 [&](const QRect &at) { painter.drawImage(at, m_mark); });
    if (!painter.end() || !painted || printer.printerState() == QPrinter::Error)
        throw CommandError(
                errors::PrinterError,
                QStringLiteral("NÃO FOI POSSÍVEL GRAVAR AS PÁGINAS PARA A IMPRESSORA \"%1\".")
                        .arg(m_name));

    const QByteArray name = m_name.toLocal8Bit();
    const QByteArray file = spool.fileName().toLocal8Bit();
    // The page is already laid out on the printer's own paper and in its own
    // orientation: no filter may scale or centre it, whatever the queue's default.
    cups_option_t *options = nullptr;
    int count = cupsAddOption("print-scaling", "none", 0, &options);
    for (const auto &[option, value] : m_laidOutFor)
        count = cupsAddOption(option.constData(), value.constData(), count, &options);
    const int job = cupsPrintFile(name.constData(), file.constData(), "DEZENARIO", count, options);
    cupsFreeOptions(count, options);
    if (job == 0) {
        throw CommandError(
                errors::PrinterError,
                QStringLiteral("A IMPRESSORA \"%1\" RECUSOU A IMPRESSÃO: %2")
                        .arg(m_name, QString::fromLocal8Bit(cupsLastErrorString()).toUpper()));
    }
}

} // namespace dezenario
