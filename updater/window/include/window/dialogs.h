// What the window front end asks of the user besides Form1: the port and
// language dialog, and message boxes.
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace updater {

struct PortChoice {
  enum class End { Ok, Cancel, Closed };
  End end = End::Closed;
  int listIndex = 0;     // meaningful with Ok
  bool japanese = false; // meaningful with Ok
};

class PortDialog {
 public:
  // Modal; lists the names, first selected, "English" selected.
  virtual PortChoice show(std::span<const std::string> deviceNames) = 0;

 protected:
  ~PortDialog() = default;
};

class MessageBoxes {
 public:
  // OK button only; caption kProgramTitle.
  virtual void show(std::string_view text) = 0;

 protected:
  ~MessageBoxes() = default;
};

}  // namespace updater
