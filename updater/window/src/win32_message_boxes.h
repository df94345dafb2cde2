// MessageBoxW with the program's title and an OK button; owned by Form1 once
// it is shown.
#pragma once
#include "window/dialogs.h"

namespace updater::win32 {

class Form1;

class MessageBoxWindows final : public MessageBoxes {
 public:
  explicit MessageBoxWindows(const Form1& form) : form_(form) {}
  void show(std::string_view text) override;

 private:
  const Form1& form_;
};

}  // namespace updater::win32
