#include "win32_gui_probe.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <array>
#include <vector>

namespace gui {
namespace {

constexpr UINT kAnswerMs = 3000;

struct Search {
  const wchar_t* windowClass;
  const wchar_t* title;
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(window)) return TRUE;
  std::array<wchar_t, 64> cls{};
  if (GetClassNameW(window, cls.data(), static_cast<int>(cls.size())) == 0) return TRUE;
  if (lstrcmpW(cls.data(), search->windowClass) != 0) return TRUE;
  if (search->processId != 0 && processOf(window) != search->processId) return TRUE;
  if (search->title != nullptr) {
    std::wstring title;
    if (!tryText(window, title) || title != search->title) return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

HWND findTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId) {
  Search search{windowClass, title, processId, nullptr};
  EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND waitTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId, DWORD timeoutMs) {
  HWND found = nullptr;
  waitFor([&] { return (found = findTopLevel(windowClass, title, processId)) != nullptr; }, timeoutMs);
  return found;
}

bool tryText(HWND window, std::wstring& text) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length)) return false;
  if (length > 4096) return false;
  std::vector<wchar_t> buffer(length + 2, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kAnswerMs, &copied)) {
    return false;
  }
  text.assign(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
  return true;
}

std::wstring text(HWND window) {
  std::wstring result;
  if (window == nullptr) return L"<no window>";
  return tryText(window, result) ? result : L"<no answer>";
}

HWND control(HWND parent, int id) { return parent == nullptr ? nullptr : GetDlgItem(parent, id); }

ULONG_PTR property(HWND window, const wchar_t* name) {
  return window == nullptr ? 0 : reinterpret_cast<ULONG_PTR>(GetPropW(window, name));
}

int progressPosition(HWND bar) {
  DWORD_PTR position = 0;
  if (bar == nullptr || !SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &position)) {
    return -1;
  }
  return static_cast<int>(position);
}

// Posted, so that a click that opens a modal window does not block the driver.
void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

DWORD processOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

bool waitProcessEnd(DWORD processId, DWORD timeoutMs) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return true;  // already gone
  const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

std::wstring processImage(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return L"<no process>";
  std::array<wchar_t, MAX_PATH * 2> path{};
  DWORD size = static_cast<DWORD>(path.size());
  std::wstring result = QueryFullProcessImageNameW(process, 0, path.data(), &size) ? std::wstring(path.data(), size)
                                                                                    : L"<unknown>";
  CloseHandle(process);
  return result;
}

void terminate(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
  if (process == nullptr) return;
  TerminateProcess(process, 99);
  CloseHandle(process);
}

void terminateTree(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot != INVALID_HANDLE_VALUE) {
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
      if (entry.th32ParentProcessID == processId && entry.th32ProcessID != processId) {
        terminate(entry.th32ProcessID);
      }
    }
    CloseHandle(snapshot);
  }
  terminate(processId);
}

DWORD start(const std::wstring& path) { return startIn(path, path.substr(0, path.find_last_of(L'\\')), L""); }

DWORD startIn(const std::wstring& path, const std::wstring& directory, const std::wstring& pathFirst) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // The child's PATH is ours with pathFirst in front.
  std::wstring oldPath(32767, L'\0');
  oldPath.resize(GetEnvironmentVariableW(L"PATH", oldPath.data(), static_cast<DWORD>(oldPath.size())));
  if (!pathFirst.empty()) SetEnvironmentVariableW(L"PATH", (pathFirst + L";" + oldPath).c_str());
  const BOOL started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      directory.c_str(), &startup, &info);
  if (!pathFirst.empty()) SetEnvironmentVariableW(L"PATH", oldPath.c_str());
  if (!started) return 0;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return info.dwProcessId;
}

std::string runForOutput(const std::wstring& path, const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return {};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = write;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(write);
  std::string output;
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    WaitForSingleObject(info.hProcess, 30000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(read);
  return output;
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  }
  return out;
}

}  // namespace gui
