// Standard output and error: UTF-16 through WriteConsoleW on a console (any
// code page shows every name), UTF-8 bytes with CR LF into a file or pipe.
// The status, one line or several, is drawn under the last line and cleared
// before the next line, each of its lines cut to the console's width.
#pragma once
#include <windows.h>

#include "console/tool_host.h"

namespace qmqn::win32 {

class ConsoleOutput final : public Output {
 public:
  ConsoleOutput();
  void line(Stream stream, std::string_view text) override;
  void status(std::string_view text) override;
  bool console() const override { return out_.console; }

 private:
  struct Handle {
    HANDLE handle = nullptr;
    bool console = false;
  };
  void write(const Handle& h, std::string_view text);
  void clearStatus();

  Handle out_;
  Handle err_;
  SHORT statusLines_ = 0;  // lines of the status shown under the last line, 0: none
};

}  // namespace qmqn::win32
