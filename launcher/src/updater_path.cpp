#include "launcher/updater_path.h"

namespace launcher {

std::wstring updaterPath(std::wstring_view moduleFile) {
  const size_t slash = moduleFile.find_last_of(L'\\');
  if (slash == std::wstring_view::npos) return {};
  std::wstring path(moduleFile.substr(0, slash));
  path += kUpdaterRelativePath;
  return path;
}

std::wstring commandLine(std::wstring_view path) {
  std::wstring line = L"\"";
  line += path;
  line += L"\"";
  return line;
}

}  // namespace launcher
