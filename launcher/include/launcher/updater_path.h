// Where the launcher finds the updater: "\tool\QMQN_VerUpTool.exe" appended
// to the directory of the launcher's own file, whatever that directory ends in.
#pragma once
#include <string>
#include <string_view>

namespace launcher {

inline constexpr std::wstring_view kUpdaterRelativePath = L"\\tool\\QMQN_VerUpTool.exe";

// moduleFile: the launcher's full path. Empty when it holds no backslash.
std::wstring updaterPath(std::wstring_view moduleFile);
// The command line: the quoted path and no arguments.
std::wstring commandLine(std::wstring_view path);

}  // namespace launcher
