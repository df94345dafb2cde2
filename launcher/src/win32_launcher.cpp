// QMQN_VerUpTool at the package root: starts tool\QMQN_VerUpTool.exe and ends.
#include <windows.h>

#include <iterator>
#include <string>

#include "launcher/updater_path.h"
#include "win32_module_path.h"

namespace {

std::wstring systemErrorText(DWORD error) {
  wchar_t text[512] = {};
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error, 0, text, static_cast<DWORD>(std::size(text)),
                                 nullptr);
  if (n == 0) return L"Error " + std::to_wstring(error) + L".";
  std::wstring out(text, n);
  while (!out.empty() && (out.back() == L'\r' || out.back() == L'\n' || out.back() == L' ')) {
    out.pop_back();
  }
  return out;
}

int reportFailure(const std::wstring& path, DWORD error) {
  const std::wstring message = L"The updater could not be started:\r\n" + path + L"\r\n\r\n" +
                               systemErrorText(error);
  MessageBoxW(nullptr, message.c_str(), L"QM/QN Version Up Tool", MB_OK | MB_ICONERROR);
  return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring path = launcher::updaterPath(updater::win32::moduleFile());
  if (path.empty()) return reportFailure(L"\\tool\\QMQN_VerUpTool.exe", GetLastError());

  // CreateProcessW may write into the command line.
  std::wstring line = launcher::commandLine(path);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return reportFailure(path, GetLastError());
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
