// Text conversions between UTF-8 (the logic's), UTF-16 (the W API's) and the
// host's ANSI code page (the spooler's and the status libraries').
#pragma once
#include <string>
#include <string_view>

namespace updater::win32 {

std::wstring utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::wstring_view wide);
std::wstring ansiToWide(std::string_view ansi);

}  // namespace updater::win32
