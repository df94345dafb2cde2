#include "win32_tool_host.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "win32_text.h"

namespace qmqn::win32 {

using updater::win32::utf8ToWide;
using updater::win32::wideToUtf8;

void* UnloadingLoader::load(const char* fileName) {
  HMODULE module = LoadLibraryA(fileName);
  if (module != nullptr) loaded_.push_back(module);
  return module;
}

updater::LibraryLoader::Function UnloadingLoader::find(void* library, const char* name) {
  FARPROC proc = GetProcAddress(static_cast<HMODULE>(library), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

void UnloadingLoader::unloadAll() {
  for (HMODULE module : loaded_) FreeLibrary(module);
  loaded_.clear();
}

PortRecord SpoolerRecords::record(const std::string& deviceName) {
  PortRecord r;
  std::wstring name = utf8ToWide(deviceName);
  HANDLE printer = nullptr;
  if (name.empty() || !OpenPrinterW(name.data(), &printer, nullptr)) return r;
  DWORD needed = 0;
  GetPrinterW(printer, 5, nullptr, 0, &needed);
  if (needed >= sizeof(PRINTER_INFO_5W)) {
    std::vector<PRINTER_INFO_5W> area(needed / sizeof(PRINTER_INFO_5W) + 1);
    const DWORD size = static_cast<DWORD>(area.size() * sizeof(PRINTER_INFO_5W));
    if (GetPrinterW(printer, 5, reinterpret_cast<BYTE*>(area.data()), size, &needed)) {
      const PRINTER_INFO_5W& info = area[0];
      const auto* begin = reinterpret_cast<const wchar_t*>(area.data());
      const wchar_t* end = begin + size / sizeof(wchar_t);
      r.attributes = info.Attributes;
      // The name must lie inside the area the spooler filled.
      if (info.pPortName != nullptr && info.pPortName >= begin && info.pPortName < end) {
        r.readable = true;
        r.portField.assign(reinterpret_cast<const char16_t*>(info.pPortName),
                           static_cast<size_t>(end - info.pPortName));
      }
    }
  }
  ClosePrinter(printer);
  return r;
}

std::string SystemFacts::hostName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? wideToUtf8(std::wstring_view(name, size)) : std::string();
}

std::string SystemFacts::timestamp() {
  SYSTEMTIME t{};
  GetSystemTime(&t);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

bool AppendedLog::append(const std::string& path, std::string_view line) {
  const std::wstring name = utf8ToWide(path);
  if (name.empty()) return false;
  HANDLE file = CreateFileW(name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED whole{};
  const bool locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
  const std::string text = std::string(line) + "\r\n";
  DWORD written = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  if (locked) UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
  CloseHandle(file);
  return ok;
}

}  // namespace qmqn::win32
