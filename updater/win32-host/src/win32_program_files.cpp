#include <string>

#include "win32_host.h"
#include "win32_module_path.h"
#include "win32_text.h"

namespace updater::win32 {

FileContents ModuleDirectoryFiles::read(std::string_view name, size_t maxBytes) {
  FileContents out;
  const std::wstring directory = moduleDirectory();
  if (directory.empty()) return out;
  const std::wstring path = directory + L"\\" + utf8ToWide(name);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    out.status = missing ? FileStatus::Missing : FileStatus::Unreadable;
    return out;
  }
  LARGE_INTEGER size{};
  out.status = FileStatus::Unreadable;
  if (GetFileSizeEx(file, &size) && size.QuadPart >= 0) {
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
      out.status = FileStatus::TooLarge;
    } else {
      out.bytes.resize(static_cast<size_t>(size.QuadPart));
      size_t done = 0;
      bool failed = false;
      while (done < out.bytes.size()) {
        const size_t left = out.bytes.size() - done;
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file, out.bytes.data() + done, chunk, &got, nullptr) || got == 0) {
          failed = true;
          break;
        }
        done += got;
      }
      if (failed) {
        out.bytes.clear();
      } else {
        out.status = FileStatus::Ok;
      }
    }
  }
  CloseHandle(file);
  return out;
}

}  // namespace updater::win32
