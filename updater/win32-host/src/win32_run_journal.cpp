#include <windows.h>
#include <knownfolders.h>
#include <lmcons.h>
#include <shlobj.h>

#include <cstdio>

#include "win32_host.h"
#include "win32_module_path.h"
#include "win32_text.h"

namespace updater::win32 {
namespace {

std::string utcNow(const char* format) {
  SYSTEMTIME t{};
  GetSystemTime(&t);
  char text[32];
  std::snprintf(text, sizeof text, format, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

// Characters a file name can't hold become '_'.
std::wstring fileNamePart(std::string_view text) {
  std::wstring part = utf8ToWide(text);
  for (wchar_t& c : part) {
    if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) c = L'_';
  }
  return part;
}

bool writeLine(HANDLE file, std::string_view line) {
  const std::string text = std::string(line) + "\r\n";
  DWORD written = 0;
  // Flushed at once: a run cut off keeps every line it wrote.
  return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size() &&
         FlushFileBuffers(file);
}

}  // namespace

std::wstring runsFolder() {
  PWSTR data = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &data))) folder = data;
  CoTaskMemFree(data);
  if (folder.empty()) return {};
  // The folders inherit the common data folder's rights: every user may read
  // every run and change only the runs that user made.
  folder += L"\\QMQN";
  CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\runs";
  CreateDirectoryW(folder.c_str(), nullptr);
  return GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : folder;
}

std::vector<RecordField> RunFolderJournal::origin() {
  wchar_t host[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD hostSize = MAX_COMPUTERNAME_LENGTH + 1;
  wchar_t user[UNLEN + 1] = {};
  DWORD userSize = UNLEN + 1;
  const std::wstring program = moduleFile();
  const size_t slash = program.find_last_of(L'\\');
  return {
      {"start", utcNow("%04u-%02u-%02uT%02u:%02u:%02uZ")},
      {"host", GetComputerNameW(host, &hostSize) ? wideToUtf8(host) : std::string()},
      {"user", GetUserNameW(user, &userSize) ? wideToUtf8(user) : std::string()},
      {"program", wideToUtf8(slash == std::wstring::npos ? program : program.substr(slash + 1))},
      {"version", QMQN_VERSION},
      {"pid", std::to_string(GetCurrentProcessId())},
  };
}

bool RunFolderJournal::create(std::string_view port, std::string_view firstLine) {
  close();
  const std::wstring folder = runsFolder();
  if (folder.empty()) return false;
  const std::wstring name = folder + L"\\" + utf8ToWide(utcNow("%04u%02u%02uT%02u%02u%02uZ")) + L"-" +
                            std::to_wstring(GetCurrentProcessId()) + L"-" + fileNamePart(port) + L".run";
  // Created new and held for writing until the run ends: a reader that can't
  // open it without sharing write access knows the run is in progress.
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  file_.reset(file);
  return write(firstLine);
}

bool RunFolderJournal::write(std::string_view line) { return file_ && writeLine(file_.get(), line); }

void RunFolderJournal::close() { file_.reset(); }

}  // namespace updater::win32
