// Sets a printer's default orientation to landscape, as a user does in its
// printing preferences. Windows programs see it from their next start on.
#include <windows.h>
#include <winspool.h>

#include <vector>

int wmain(int argc, wchar_t **argv)
{
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access { nullptr, nullptr, PRINTER_ALL_ACCESS };
    if (argc != 2 || !OpenPrinterW(argv[1], &printer, &access))
        return 1;
    DWORD size = 0;
    GetPrinterW(printer, 2, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    auto *info = reinterpret_cast<PRINTER_INFO_2W *>(buffer.data());
    if (!GetPrinterW(printer, 2, buffer.data(), size, &size) || !info->pDevMode)
        return 1;
    info->pDevMode->dmOrientation = DMORIENT_LANDSCAPE;
    info->pDevMode->dmFields |= DM_ORIENTATION;
    info->pSecurityDescriptor = nullptr;
    const bool set = SetPrinterW(printer, 2, buffer.data(), 0);
    ClosePrinter(printer);
    return set ? 0 : 1;
}
