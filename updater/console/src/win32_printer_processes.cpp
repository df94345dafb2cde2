#include "win32_printer_processes.h"

#include <string>

#include "win32_text.h"

namespace qmqn::win32 {
namespace {

// Quoted so that CommandLineToArgvW gives the argument back unchanged.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring s = L"\"";
  size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    s.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    s += c;
  }
  s.append(slashes * 2, L'\\');
  return s + L"\"";
}

std::wstring ownPath() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n < path.size() ? n : 0);
  return path;
}

// Bytes waiting in a pipe; none when the pipe is broken or empty.
std::string readWaiting(HANDLE pipe) {
  DWORD waiting = 0;
  if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0) return {};
  std::string bytes(waiting, '\0');
  DWORD got = 0;
  if (!ReadFile(pipe, bytes.data(), waiting, &got, nullptr)) return {};
  bytes.resize(got);
  return bytes;
}

}  // namespace

ChildProcesses::~ChildProcesses() {
  for (auto& [id, child] : children_) close(child);
}

void ChildProcesses::close(Child& child) {
  for (HANDLE h : {child.process, child.input, child.output}) {
    if (h) CloseHandle(h);
  }
  child = {};
}

std::optional<int> ChildProcesses::start(const std::vector<std::string>& arguments) {
  const std::wstring program = ownPath();
  if (program.empty()) return std::nullopt;
  std::wstring line = quoted(program);
  for (const std::string& arg : arguments) line += L" " + quoted(updater::win32::utf8ToWide(arg));

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
  if (!CreatePipe(&inRead, &inWrite, &inherit, 0)) return std::nullopt;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) {
    CloseHandle(inRead);
    CloseHandle(inWrite);
    return std::nullopt;
  }
  // Only the child's ends are inherited; the next child gets none of these.
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inRead;
  startup.hStdOutput = outWrite;
  startup.hStdError = outWrite;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(inRead);
  CloseHandle(outWrite);
  if (!started) {
    CloseHandle(inWrite);
    CloseHandle(outRead);
    return std::nullopt;
  }
  CloseHandle(info.hThread);
  const int id = nextId_++;
  children_[id] = Child{info.hProcess, inWrite, outRead};
  return id;
}

PrinterProcesses::Event ChildProcesses::next(uint32_t timeoutMs) {
  const ULONGLONG until = GetTickCount64() + timeoutMs;
  for (;;) {
    for (auto it = children_.begin(); it != children_.end(); ++it) {
      Child& child = it->second;
      std::string bytes = readWaiting(child.output);
      if (!bytes.empty()) return {Event::Kind::Output, it->first, std::move(bytes), 0};
      if (WaitForSingleObject(child.process, 0) != WAIT_OBJECT_0) continue;
      // Ended: what it wrote last may still be in the pipe.
      bytes = readWaiting(child.output);
      if (!bytes.empty()) return {Event::Kind::Output, it->first, std::move(bytes), 0};
      DWORD code = 0;
      GetExitCodeProcess(child.process, &code);
      const int id = it->first;
      close(child);
      children_.erase(it);
      return {Event::Kind::Ended, id, {}, static_cast<int>(code)};
    }
    if (GetTickCount64() >= until) return {};
    Sleep(20);
  }
}

void ChildProcesses::requestStop(int id) {
  const auto it = children_.find(id);
  if (it == children_.end()) return;
  DWORD written = 0;
  WriteFile(it->second.input, "stop\n", 5, &written, nullptr);
}

bool stopAskedOnInput() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD waiting = 0;
  if (!PeekNamedPipe(input, nullptr, 0, nullptr, &waiting, nullptr)) return GetLastError() == ERROR_BROKEN_PIPE;
  return waiting > 0;
}

}  // namespace qmqn::win32
