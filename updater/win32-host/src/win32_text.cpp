#include "win32_text.h"

#include <windows.h>

#include <climits>

namespace updater::win32 {
namespace {

std::wstring toWide(UINT codePage, std::string_view in) {
  if (in.empty() || in.size() > INT_MAX) return {};
  const int n = MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), out.data(), n);
  return out;
}

std::string fromWide(UINT codePage, std::wstring_view in) {
  if (in.empty() || in.size() > INT_MAX) return {};
  const int n = WideCharToMultiByte(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, in.data(), static_cast<int>(in.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

}  // namespace

std::wstring utf8ToWide(std::string_view utf8) { return toWide(CP_UTF8, utf8); }
std::string wideToUtf8(std::wstring_view wide) { return fromWide(CP_UTF8, wide); }
std::wstring ansiToWide(std::string_view ansi) { return toWide(CP_ACP, ansi); }

}  // namespace updater::win32
