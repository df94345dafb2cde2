#include <windows.h>
#include <winspool.h>

#include <cwchar>
#include <string_view>

#include "updater/usable_port.h"
#include "win32_host.h"
#include "win32_text.h"

namespace updater::win32 {
namespace {

struct PrinterHandle {
  HANDLE handle = nullptr;
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  explicit PrinterHandle(std::wstring& name) {
    if (!OpenPrinterW(name.data(), &handle, nullptr)) handle = nullptr;
  }
  ~PrinterHandle() {
    if (handle) ClosePrinter(handle);
  }
};

// One name per port for every session on the host: the spooler's ports are
// the machine's. Port names are not case-sensitive, and a backslash may not
// appear in an object name.
std::wstring portLockName(std::u16string_view port) {
  std::wstring key(port.begin(), port.end());
  if (!key.empty()) {
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, key.c_str(), static_cast<int>(key.size()),
                  key.data(), static_cast<int>(key.size()), nullptr, nullptr, 0);
  }
  for (wchar_t& c : key) {
    if (c == L'\\') c = L'/';
  }
  return L"Global\\QMQN_VerUpTool.Port." + key;
}

// The file of the language monitor the printer's driver names; empty when
// the driver or its monitor can't be read.
std::string monitorDll(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_3W)) return {};
  std::vector<DRIVER_INFO_3W> area(needed / sizeof(DRIVER_INFO_3W) + 1);
  const DWORD size = static_cast<DWORD>(area.size() * sizeof(DRIVER_INFO_3W));
  if (!GetPrinterDriverW(printer, nullptr, 3, reinterpret_cast<BYTE*>(area.data()), size, &needed)) return {};
  const wchar_t* monitor = area[0].pMonitorName;
  if (monitor == nullptr || *monitor == L'\0' || std::wcslen(monitor) > 200) return {};
  const std::wstring key = std::wstring(L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\") + monitor;
  wchar_t dll[MAX_PATH] = {};
  DWORD bytes = sizeof dll;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Driver", RRF_RT_REG_SZ, nullptr, dll, &bytes) != ERROR_SUCCESS) {
    return {};
  }
  return wideToUtf8(dll);
}

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

// The wide functions: a name the ANSI code page can't hold still opens.
PortRecord SpoolerPrinters::portRecord(const std::string& deviceName) {
  PortRecord record;
  std::wstring name = utf8ToWide(deviceName);
  if (name.empty()) return record;
  PrinterHandle printer(name);
  if (!printer.handle) return record;
  DWORD needed = 0;
  GetPrinterW(printer.handle, 5, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_5W)) return record;
  std::vector<PRINTER_INFO_5W> area(needed / sizeof(PRINTER_INFO_5W) + 1);
  const DWORD size = static_cast<DWORD>(area.size() * sizeof(PRINTER_INFO_5W));
  if (!GetPrinterW(printer.handle, 5, reinterpret_cast<BYTE*>(area.data()), size, &needed)) return record;
  const PRINTER_INFO_5W& info = area[0];
  record.attributes = info.Attributes;
  // The name must start inside the area the spooler filled.
  const auto* begin = reinterpret_cast<const wchar_t*>(area.data());
  const wchar_t* end = begin + size / sizeof(wchar_t);
  if (!info.pPortName || info.pPortName < begin || info.pPortName >= end) return record;
  record.readable = true;
  record.portField.assign(reinterpret_cast<const char16_t*>(info.pPortName),
                          static_cast<size_t>(end - info.pPortName));
  record.monitorDll = monitorDll(printer.handle);
  return record;
}

bool SpoolerPrinters::claimPort(std::u16string_view port) {
  const std::wstring name = portLockName(port);
  for (const std::wstring& held : claimed_) {
    if (held == name) return true;
  }
  HANDLE lock = CreateMutexW(nullptr, FALSE, name.c_str());
  // Already there, or there for a user whose object we may not open: either
  // way another updater has the port.
  if (lock == nullptr) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(lock);
    return false;
  }
  // Held until the process ends; the system closes it if the process dies.
  portLocks_.emplace_back(lock);
  claimed_.push_back(name);
  return true;
}

}  // namespace updater::win32
