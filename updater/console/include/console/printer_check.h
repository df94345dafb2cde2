// One printer through the updater's start-up check, as list and update see
// it: the family, the status, the versions read and whether an update is due.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "console/commands.h"
#include "console/run_view.h"
#include "console/tool_services.h"
#include "console/update_report.h"
#include "updater/updater.h"

namespace qmqn {

class PrinterCheck {
 public:
  // quiet: the core's messages are kept, not printed.
  PrinterCheck(Tool& tool, const std::string& deviceName, bool japanese, bool quiet,
               RunListener* listener = nullptr);
  PrinterCheck(const PrinterCheck&) = delete;
  PrinterCheck& operator=(const PrinterCheck&) = delete;

  updater::StartupEnd load() { return end_ = updater_.load(); }
  updater::Updater& updater() { return updater_; }
  const RunView& view() const { return view_; }
  const MessageLines& messages() const { return messages_; }

  std::string family() const;
  // The status now, kStatusNone without a family.
  uint32_t status();
  Versions versions() const;

 private:
  FreshLibraries libraries_;
  RunView view_;
  NamedChoice choice_;
  MessageLines messages_;
  updater::Updater updater_;
  updater::StartupEnd end_ = updater::StartupEnd::NoPrinter;
};

}  // namespace qmqn
