// The printer through the Windows spooler: the printer chosen for slips or the default one, on that
// printer's own default paper and orientation (its default DEVMODE), painted
// through GDI at the driver's own resolution from the corner of the printable
// area, which is where a printer's device context has its origin. Not through
// QPrinter: Qt's Windows engine cannot abort a job once begun, and it takes a
// StartDoc that fails with 0 rather than SP_ERROR for a started job.
#include "systemprinter.h"

#include "pagepainter.h"
#include "textpages.h"
#include "units.h"

#include <QPainter>
#include <string>

#include <windows.h>
#include <winspool.h>

namespace dezenario {

const QString SystemPrinter::ServiceDown =
        QStringLiteral("O SERVIÇO DE IMPRESSÃO DO WINDOWS (SPOOLER DE IMPRESSÃO) NÃO ESTÁ "
                       "FUNCIONANDO. INICIE-O EM SERVIÇOS E TENTE DE NOVO.");
const QString SystemPrinter::HowToChoose =
        QStringLiteral("(CONFIGURAÇÕES > IMPRESSORAS E SCANNERS)");

bool SystemPrinter::serviceAnswers()
{
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceW(manager, L"Spooler", SERVICE_QUERY_STATUS) : nullptr;
    SERVICE_STATUS status {};
    const bool running = service && QueryServiceStatus(service, &status)
            && status.dwCurrentState == SERVICE_RUNNING;
    if (service)
        CloseServiceHandle(service);
    if (manager)
        CloseServiceHandle(manager);
    return running;
}

bool SystemPrinter::anyPrinterInstalled()
{
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                  &count);
    return needed > 0;
}

namespace {
QString defaultPrinter()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size == 0 || !GetDefaultPrinterW(name.data(), &size))
        return QString();
    return QString::fromWCharArray(name.c_str());
}

// A printer's default paper and its printable area, in twips; none when no device context opens.
SystemPrinter::Page pageOf(const QString &printer)
{
    const std::wstring name = printer.toStdWString();
    HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
    if (!dc)
        return {};
    const double x = TwipsPerInch / GetDeviceCaps(dc, LOGPIXELSX),
                 y = TwipsPerInch / GetDeviceCaps(dc, LOGPIXELSY);
    const SystemPrinter::Page page {
        QSizeF(GetDeviceCaps(dc, PHYSICALWIDTH) * x, GetDeviceCaps(dc, PHYSICALHEIGHT) * y),
        QRectF(GetDeviceCaps(dc, PHYSICALOFFSETX) * x, GetDeviceCaps(dc, PHYSICALOFFSETY) * y,
               GetDeviceCaps(dc, HORZRES) * x, GetDeviceCaps(dc, VERTRES) * y)
    };
    DeleteDC(dc);
    return page;
}
} // namespace

SystemPrinter::Installed SystemPrinter::installedPrinters()
{
    Installed installed { defaultPrinter(), {} };
    DWORD needed = 0, count = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed > 0 && EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) {
        const auto *printers = reinterpret_cast<const PRINTER_INFO_4W *>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            installed.printers << QString::fromWCharArray(printers[i].pPrinterName);
    }
    return installed;
}

void SystemPrinter::ensureAvailable()
{
    m_name = m_chosen.isEmpty() ? defaultPrinter() : m_chosen;
    if (m_name.isEmpty())
        throw noPrinter(QString());
    std::wstring name = m_name.toStdWString();
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name.data(), &printer, nullptr))
        throw noPrinter(m_name);
    ClosePrinter(printer);
    align([this] { return pageOf(m_name).printable.size(); });
}

SystemPrinter::Page SystemPrinter::page() const
{
    return pageOf(m_name);
}

namespace {
// Paints an image onto the page, stretched to the rectangle given in device dots.
bool paintImage(HDC dc, const QImage &image, const QRect &at)
{
    BITMAPINFO bitmap {};
    bitmap.bmiHeader.biSize = sizeof bitmap.bmiHeader;
    bitmap.bmiHeader.biWidth = image.width();
    bitmap.bmiHeader.biHeight = -image.height(); // top row first, as QImage holds it
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 32;
    bitmap.bmiHeader.biCompression = BI_RGB;
    return StretchDIBits(dc, at.x(), at.y(), at.width(), at.height(), 0, 0, image.width(),
                         image.height(), image.constBits(), &bitmap, DIB_RGB_COLORS, SRCCOPY)
            > 0;
}
} // namespace

QString defaultPrinterName()
{
    return defaultPrinter();
}

QString printTextPages(const QString &printer, const QString &title, const QList<TextPage> &pages)
{
    const std::wstring name = printer.toStdWString(), job = title.toStdWString();
    HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
    if (!dc)
        return QStringLiteral("A IMPRESSORA \"%1\" NÃO ESTÁ INSTALADA.").arg(printer);
    DOCINFOW document {};
    document.cbSize = sizeof document;
    document.lpszDocName = job.c_str();
    if (StartDocW(dc, &document) <= 0) {
        DeleteDC(dc);
        return QStringLiteral("A IMPRESSORA \"%1\" RECUSOU A IMPRESSÃO.").arg(printer);
    }
    // Each page painted by Qt onto a bitmap of the printable area, at no more than 300 dots an
    // inch, as the test sheet is.
    const QSize dots(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    const double scale = std::min(1.0, 300.0 / GetDeviceCaps(dc, LOGPIXELSY));
    QImage sheet((QSizeF(dots) * scale).toSize(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    bool printed = StartPage(dc) > 0;
    auto send = [&] { printed = printed && paintImage(dc, sheet, QRect(QPoint(), dots)); };
    {
        QPainter painter(&sheet);
        paintTextPages(
                painter, sheet.size(), int(GetDeviceCaps(dc, LOGPIXELSY) * scale),
                [&] {
                    send();
                    printed = printed && EndPage(dc) > 0 && StartPage(dc) > 0;
                    painter.fillRect(QRect(QPoint(), sheet.size()), Qt::white);
                },
                pages);
    }
    send();
    printed = printed && EndPage(dc) > 0 && EndDoc(dc) > 0;
    if (!printed)
        AbortDoc(dc);
    DeleteDC(dc);
    return printed ? QString()
                   : QStringLiteral("A IMPRESSORA \"%1\" NÃO ACEITOU AS PÁGINAS.").arg(printer);
}

void SystemPrinter::deliver()
{
    const std::wstring name = m_name.toStdWString();
    HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
    if (!dc)
        throw noPrinter(m_name);
    DOCINFOW document {};
    document.cbSize = sizeof document;
    document.lpszDocName = L"DEZENARIO";
    // The job exists from StartDoc on; a failure after it aborts the job, so
    // that none of its pages is printed.
    if (StartDocW(dc, &document) <= 0) {
        DeleteDC(dc);
        throw CommandError(errors::PrinterError,
                           QStringLiteral("A IMPRESSORA \"%1\" RECUSOU A IMPRESSÃO.").arg(m_name));
    }
    const QSizeF dotsPerInch(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    bool printed = StartPage(dc) > 0;
    if (m_testSheet) {
        // Qt paints the sheet onto a bitmap of the whole printable area, at no more than 300 dots
        // an inch (a tenth of a millimetre), and the driver takes it as one picture.
        const QSize dots(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
        const double scale = std::min(1.0, 300 / dotsPerInch.width());
        QImage sheet((QSizeF(dots) * scale).toSize(), QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        painter.scale(dotsPerInch.width() * scale / TwipsPerInch,
                      dotsPerInch.height() * scale / TwipsPerInch);
        PagePainter::paintTestSheet(painter, m_alignment, PagePainter::markSize(m_mark), m_name);
        painter.end();
        printed = printed && paintImage(dc, sheet, QRect(QPoint(), dots));
    } else {
        const QImage mark = m_mark.convertToFormat(QImage::Format_RGB32);
        printed = printed
                && paintPages(
                          dotsPerInch, [dc] { return EndPage(dc) > 0 && StartPage(dc) > 0; },
                          [&](const QRect &at) { paintImage(dc, mark, at); });
    }
    printed = printed && EndPage(dc) > 0;
    if (printed)
        printed = EndDoc(dc) > 0;
    else
        AbortDoc(dc);
    DeleteDC(dc);
    if (!printed) {
        throw CommandError(
                errors::PrinterError,
                QStringLiteral("A IMPRESSORA \"%1\" NÃO ACEITOU AS PÁGINAS.").arg(m_name));
    }
}

} // namespace dezenario
