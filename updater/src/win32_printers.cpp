#include <windows.h>
#include <winspool.h>

#include <string_view>

#include "updater/port_area.h"
#include "win32_host.h"
#include "win32_text.h"

namespace updater::win32 {
namespace {

struct PrinterHandle {
  HANDLE handle = nullptr;
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  explicit PrinterHandle(std::string& ansiName) {
    if (!OpenPrinterA(ansiName.data(), &handle, nullptr)) handle = nullptr;
  }
  ~PrinterHandle() {
    if (handle) ClosePrinter(handle);
  }
};

}  // namespace

std::vector<std::string> SpoolerPrinters::installedPrinters() {
  std::vector<std::string> names;
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return names;
  // Aligned for the PRINTER_INFO_4W records at the area's start.
  std::vector<PRINTER_INFO_4W> area(needed / sizeof(PRINTER_INFO_4W) + 1);
  const DWORD size = static_cast<DWORD>(area.size() * sizeof(PRINTER_INFO_4W));
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, reinterpret_cast<BYTE*>(area.data()), size,
                     &needed, &count)) {
    return names;
  }
  for (DWORD i = 0; i < count && i < area.size(); ++i) {
    if (area[i].pPrinterName) names.push_back(wideToUtf8(area[i].pPrinterName));
  }
  return names;
}

std::string SpoolerPrinters::printerPort(const std::string& deviceName) {
  std::string ansiName = wideToAnsi(utf8ToWide(deviceName));
  if (ansiName.empty()) return {};
  PrinterHandle printer(ansiName);
  if (!printer.handle) return {};
  DWORD needed = 0;
  GetPrinterA(printer.handle, 5, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_5A)) return {};
  std::vector<PRINTER_INFO_5A> area(needed / sizeof(PRINTER_INFO_5A) + 1);
  const DWORD size = static_cast<DWORD>(area.size() * sizeof(PRINTER_INFO_5A));
  if (!GetPrinterA(printer.handle, 5, reinterpret_cast<BYTE*>(area.data()), size, &needed)) {
    return {};
  }
  const PRINTER_INFO_5A& info = area[0];
  if (!info.pPortName) return {};
  // The name must end inside the area the spooler filled.
  const char* begin = reinterpret_cast<const char*>(area.data());
  const char* end = begin + size;
  if (info.pPortName < begin || info.pPortName >= end) return {};
  return usablePortName(info.Attributes,
                        std::string_view(info.pPortName, static_cast<size_t>(end - info.pPortName)));
}

}  // namespace updater::win32
