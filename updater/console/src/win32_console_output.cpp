#include "win32_console_output.h"

#include <algorithm>
#include <string>

#include "win32_text.h"

namespace qmqn::win32 {
namespace {

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_CHAR &&
         GetConsoleMode(handle, &mode);
}

}  // namespace

ConsoleOutput::ConsoleOutput() {
  out_.handle = GetStdHandle(STD_OUTPUT_HANDLE);
  out_.console = isConsole(out_.handle);
  err_.handle = GetStdHandle(STD_ERROR_HANDLE);
  err_.console = isConsole(err_.handle);
}

void ConsoleOutput::write(const Handle& h, std::string_view text) {
  if (h.handle == nullptr || h.handle == INVALID_HANDLE_VALUE || text.empty()) return;
  if (h.console) {
    const std::wstring wide = updater::win32::utf8ToWide(text);
    DWORD written = 0;
    WriteConsoleW(h.handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  DWORD written = 0;
  WriteFile(h.handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void ConsoleOutput::clearStatus() {
  if (statusLines_ == 0) return;
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(out_.handle, &info)) {
    const SHORT top = static_cast<SHORT>(info.dwCursorPosition.Y - (statusLines_ - 1));
    const COORD start{0, top < 0 ? SHORT{0} : top};
    DWORD done = 0;
    FillConsoleOutputCharacterW(out_.handle, L' ', static_cast<DWORD>(info.dwSize.X) * statusLines_, start, &done);
    SetConsoleCursorPosition(out_.handle, start);
  }
  statusLines_ = 0;
}

void ConsoleOutput::line(Stream stream, std::string_view text) {
  const Handle& h = stream == Stream::Out ? out_ : err_;
  if (h.console) clearStatus();
  std::string all(text);
  // Lines may carry line ends of their own (the help text, a summary).
  std::string fixed;
  for (char c : all) {
    if (c == '\n' && !h.console) fixed += '\r';
    fixed += c;
  }
  write(h, fixed + (h.console ? "\n" : "\r\n"));
}

void ConsoleOutput::status(std::string_view text) {
  if (!out_.console) return;
  clearStatus();
  CONSOLE_SCREEN_BUFFER_INFO info{};
  const size_t width = GetConsoleScreenBufferInfo(out_.handle, &info) && info.dwSize.X > 1 ? info.dwSize.X - 1 : 79;
  std::wstring shown;
  SHORT lines = 0;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::wstring line = updater::win32::utf8ToWide(text.substr(start, end - start));
    if (line.size() > width) line.resize(width);
    if (lines > 0) shown += L"\n";
    shown += line;
    ++lines;
    start = end + 1;
  }
  if (lines == 0) return;
  DWORD written = 0;
  WriteConsoleW(out_.handle, shown.data(), static_cast<DWORD>(shown.size()), &written, nullptr);
  statusLines_ = lines;
}

}  // namespace qmqn::win32
