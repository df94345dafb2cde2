// Standard output and error: UTF-16 through WriteConsoleW on a console (any
// code page shows every name), UTF-8 bytes with CR LF into a file or pipe.
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
  size_t statusWidth_ = 0;  // UTF-16 units of the status line shown, 0: none
};

}  // namespace qmqn::win32
