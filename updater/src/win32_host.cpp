#include "win32_host.h"

#include <string>

#include "updater/texts.h"
#include "win32_form1.h"
#include "win32_module_path.h"
#include "win32_text.h"

namespace updater::win32 {

void MessageBoxWindows::show(std::string_view text) {
  HWND owner = form_.alive() && IsWindowVisible(form_.handle()) ? form_.handle() : nullptr;
  MessageBoxW(owner, utf8ToWide(text).c_str(), utf8ToWide(kProgramTitle).c_str(), MB_OK);
}

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

bool AnsiCodePage::isLeadByte(uint8_t byte) const { return IsDBCSLeadByte(byte) != FALSE; }

std::string AnsiCodePage::toUtf8(std::string_view ansi) const {
  return wideToUtf8(ansiToWide(ansi));
}

WindowClock::WindowClock(Form1& form) : form_(form) { QueryPerformanceFrequency(&frequency_); }

void WindowClock::sleep(uint32_t ms) {
  // A window that stops answering for seconds is marked "Not responding",
  // and a technician may then end it in the middle of an update.
  const uint64_t deadline = nowMs() + ms;
  for (;;) {
    const uint64_t now = nowMs();
    if (now >= deadline) return;
    const auto left = static_cast<DWORD>(deadline - now);
    if (!form_.alive()) {
      Sleep(left);
      return;
    }
    if (MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
      yield();
    }
  }
}

uint64_t WindowClock::nowMs() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  if (frequency_.QuadPart <= 0) return GetTickCount64();
  const auto ticks = static_cast<uint64_t>(now.QuadPart);
  const auto perSecond = static_cast<uint64_t>(frequency_.QuadPart);
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

bool WindowClock::yield() {
  MSG msg;
  while (form_.alive() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    form_.dispatch(msg);
  }
  return form_.alive();
}

namespace {
constexpr wchar_t kShutdownReason[] = L"Updating printer firmware - do not switch off";
constexpr wchar_t kRunGuardProp[] = L"QMQN.RunGuard";
}  // namespace

void PowerRunGuard::runStarted() {
  HWND hwnd = form_.handle();
  uintptr_t held = 0;
  if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0) held |= 1;
  if (hwnd && ShutdownBlockReasonCreate(hwnd, kShutdownReason)) held |= 2;
  // What was granted, for the GUI tests to read.
  if (hwnd) SetPropW(hwnd, kRunGuardProp, reinterpret_cast<HANDLE>(held | 0x100));
}

void PowerRunGuard::runEnded() {
  HWND hwnd = form_.handle();
  if (hwnd) ShutdownBlockReasonDestroy(hwnd);
  SetThreadExecutionState(ES_CONTINUOUS);
  if (hwnd) SetPropW(hwnd, kRunGuardProp, reinterpret_cast<HANDLE>(uintptr_t{0x100}));
}

}  // namespace updater::win32
