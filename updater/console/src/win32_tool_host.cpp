#include "win32_tool_host.h"

#include <windows.h>

#include <cstdio>

#include "win32_text.h"

namespace qmqn::win32 {

using updater::win32::utf8ToWide;
using updater::win32::wideToUtf8;

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
