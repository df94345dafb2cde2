// The pieces that stand in for the window program's user in the core's
// services: the printer named on the command line instead of the port
// dialog, console lines instead of message boxes, and a port claim that a
// second look at the same port in this process passes.
#pragma once
#include <span>
#include <string>
#include <vector>

#include "console/tool_host.h"
#include "updater/host.h"

namespace qmqn {

class NamedChoice final : public updater::PortDialog {
 public:
  NamedChoice(std::string deviceName, bool japanese) : name_(std::move(deviceName)), japanese_(japanese) {}
  // Ok with the named printer's entry; Cancel when it is no longer listed.
  updater::PortChoice show(std::span<const std::string> deviceNames) override;

 private:
  std::string name_;
  bool japanese_;
};

// Lines on standard error, or kept when quiet.
class MessageLines final : public updater::MessageBoxes {
 public:
  MessageLines(Output& out, bool quiet) : out_(out), quiet_(quiet) {}
  void show(std::string_view text) override;
  std::vector<std::string> shown;

 private:
  Output& out_;
  bool quiet_;
};

class OwnClaims final : public updater::PrinterHost {
 public:
  explicit OwnClaims(updater::PrinterHost& host) : host_(host) {}
  std::vector<std::string> installedPrinters() override { return host_.installedPrinters(); }
  std::u16string printerPort(const std::string& name) override { return host_.printerPort(name); }
  bool claimPort(std::u16string_view port) override;

 private:
  updater::PrinterHost& host_;
  std::vector<std::u16string> claimed_;  // upper case (ASCII), as port names compare
};

}  // namespace qmqn
