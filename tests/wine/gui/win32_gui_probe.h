// Reading and driving another process's windows, as a user would: by window
// class, control ID and posted clicks. Everything waits by polling with a
// deadline, because the program under test blocks its thread for seconds.
#pragma once
#include <windows.h>

#include <string>

namespace gui {

inline constexpr DWORD kPollMs = 100;

// Visible top-level window of this class (and title, and process, when given).
HWND findTopLevel(const wchar_t* windowClass, const wchar_t* title = nullptr, DWORD processId = 0);

template <class Predicate>
bool waitFor(Predicate ready, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

HWND waitTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId, DWORD timeoutMs);

// False when the window's thread did not answer in time.
bool tryText(HWND window, std::wstring& text);
// The text, or "<no answer>" when the window's thread did not answer.
std::wstring text(HWND window);
HWND control(HWND parent, int id);

// "QMQN.*" properties: 0 when absent.
ULONG_PTR property(HWND window, const wchar_t* name);

int progressPosition(HWND bar);
void click(HWND button);

DWORD processOf(HWND window);
bool waitProcessEnd(DWORD processId, DWORD timeoutMs);
std::wstring processImage(DWORD processId);
void terminate(DWORD processId);
// The process and the processes it started.
void terminateTree(DWORD processId);

// Starts a program with its directory as the current one; 0 on failure.
DWORD start(const std::wstring& path);
// The same in the given current directory, with pathFirst put in front of PATH.
DWORD startIn(const std::wstring& path, const std::wstring& directory, const std::wstring& pathFirst);

std::string utf8(const std::wstring& text);
// Runs a console program with arguments to its end; its standard output.
std::string runForOutput(const std::wstring& path, const std::wstring& arguments);

}  // namespace gui
