// The printer through the Windows spooler: its default printer, on that
// printer's own default paper and orientation (its default DEVMODE), painted
// through GDI at the driver's own resolution from the corner of the printable
// area, which is where a printer's device context has its origin. Not through
// QPrinter: Qt's Windows engine cannot abort a job once begun, and it takes a
// StartDoc that fails with 0 rather than SP_ERROR for a started job.
#include "systemprinter.h"

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

void SystemPrinter::ensureAvailable()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size == 0 || !GetDefaultPrinterW(name.data(), &size))
        throw noPrinter(QString());
    m_name = QString::fromWCharArray(name.c_str());
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name.data(), &printer, nullptr))
        throw noPrinter(m_name);
    ClosePrinter(printer);
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
    const QImage mark = m_mark.convertToFormat(QImage::Format_RGB32);
    BITMAPINFO bitmap {};
    bitmap.bmiHeader.biSize = sizeof bitmap.bmiHeader;
    bitmap.bmiHeader.biWidth = mark.width();
    bitmap.bmiHeader.biHeight = -mark.height(); // top row first, as QImage holds it
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 32;
    bitmap.bmiHeader.biCompression = BI_RGB;
    const QSizeF dotsPerInch(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    bool printed = StartPage(dc) > 0
            && paintPages(
                           dotsPerInch, [dc] { return EndPage(dc) > 0 && StartPage(dc) > 0; },
                           [&](const QRect &at) {
                               StretchDIBits(dc, at.x(), at.y(), at.width(), at.height(), 0, 0,
                                             mark.width(), mark.height(), mark.constBits(), &bitmap,
                                             DIB_RGB_COLORS, SRCCOPY);
                           })
            && EndPage(dc) > 0;
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
