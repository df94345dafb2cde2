#include <windows.h>
#include <knownfolders.h>
#include <lmcons.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "updater/run_rotation.h"

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

// The folder's oldest runs go before a new one is recorded; another user's
// run, or one in progress, can't be removed and stays.
void rotate(const std::wstring& folder) {
  std::vector<KeptRun> runs;
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((folder + L"\\*.run").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    runs.push_back({wideToUtf8(found.cFileName),
                    (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(runs.begin(), runs.end(), [](const KeptRun& a, const KeptRun& b) { return a.name < b.name; });
  rotateRuns(runs, [&folder](const std::string& name) {
    const std::wstring path = folder + L"\\" + utf8ToWide(name);
    if (!DeleteFileW(path.c_str())) return false;
    DeleteFileW((path + L".noticed").c_str());
    return true;
  });
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
  rotate(folder);
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
