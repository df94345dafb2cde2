#include "win32_run_folder.h"

#include <windows.h>

#include <algorithm>

#include "win32_host.h"
#include "win32_text.h"

namespace qmqn::win32 {
namespace {

using updater::win32::OwnedHandle;
using updater::win32::runsFolder;
using updater::win32::utf8ToWide;
using updater::win32::wideToUtf8;

const wchar_t kNoticed[] = L".noticed";

// Read while its writer may still append to it.
bool readWhole(const std::wstring& path, std::string& text) {
  OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxRunFileBytes) return false;
  text.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return false;
  text.resize(read);
  return true;
}

// Its writer holds it with write access until the run ends, or its process dies.
bool heldByWriter(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

std::vector<RunFolder::File> HostRunFolder::files() {
  std::vector<File> files;
  const std::wstring folder = runsFolder();
  if (folder.empty()) return files;
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((folder + L"\\*.run").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = folder + L"\\" + found.cFileName;
    File f;
    f.name = wideToUtf8(found.cFileName);
    f.readable = readWhole(path, f.text);
    f.running = heldByWriter(path);
    f.noticed = GetFileAttributesW((path + kNoticed).c_str()) != INVALID_FILE_ATTRIBUTES;
    files.push_back(std::move(f));
  } while (FindNextFileW(find, &found));
  FindClose(find);
  // Names begin with the start time.
  std::sort(files.begin(), files.end(), [](const File& a, const File& b) { return a.name < b.name; });
  return files;
}

void HostRunFolder::markNoticed(const std::string& name) {
  const std::wstring folder = runsFolder();
  if (folder.empty() || name.find_first_of("\\/") != std::string::npos) return;
  HANDLE marker = CreateFileW((folder + L"\\" + utf8ToWide(name) + kNoticed).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

}  // namespace qmqn::win32
