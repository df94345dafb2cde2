// The directory of the running program, without a trailing backslash.
#pragma once
#include <string>

namespace updater::win32 {

std::wstring moduleDirectory();

}  // namespace updater::win32
