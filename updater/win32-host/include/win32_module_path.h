// Where the running program lies.
#pragma once
#include <string>

namespace updater::win32 {

// The program's full path; empty when it can't be read.
std::wstring moduleFile();
// Its directory, without a trailing backslash.
std::wstring moduleDirectory();

}  // namespace updater::win32
