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

namespace {

HANDLE openForAppend(const std::wstring& name) {
  return CreateFileW(name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool heldElsewhere(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

}  // namespace

bool AppendedLog::open(const std::string& path) {
  name_ = utf8ToWide(path);
  if (name_.empty()) return false;
  HANDLE file = openForAppend(name_);
  if (file == INVALID_HANDLE_VALUE) return heldElsewhere(GetLastError());
  CloseHandle(file);
  return true;
}

LogFile::Append AppendedLog::tryAppend(std::string_view line) {
  HANDLE file = openForAppend(name_);
  if (file == INVALID_HANDLE_VALUE) return heldElsewhere(GetLastError()) ? Append::Busy : Append::Failed;
  OVERLAPPED whole{};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
    const DWORD error = GetLastError();
    CloseHandle(file);
    return heldElsewhere(error) ? Append::Busy : Append::Failed;
  }
  const std::string text = std::string(line) + "\r\n";
  DWORD written = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
  CloseHandle(file);
  return ok ? Append::Written : Append::Failed;
}

// The invariant locale's upper case: the same for every user of the host.
std::string HostCaseRules::upper(std::string_view text) const {
  std::wstring wide = utf8ToWide(text);
  if (!wide.empty()) {
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), static_cast<int>(wide.size()), wide.data(),
                  static_cast<int>(wide.size()), nullptr, nullptr, 0);
  }
  return wideToUtf8(wide);
}

}  // namespace qmqn::win32
