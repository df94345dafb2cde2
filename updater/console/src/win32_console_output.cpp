#include "win32_console_output.h"

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
  if (statusWidth_ == 0) return;
  write(out_, "\r" + std::string(statusWidth_, ' ') + "\r");
  statusWidth_ = 0;
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
  const size_t width = updater::win32::utf8ToWide(text).size();
  std::string shown = "\r" + std::string(text);
  if (width < statusWidth_) shown += std::string(statusWidth_ - width, ' ');
  write(out_, shown);
  statusWidth_ = width > statusWidth_ ? width : statusWidth_;
}

}  // namespace qmqn::win32
