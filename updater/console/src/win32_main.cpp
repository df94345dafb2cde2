// qmqn: the command-line front end. Wide arguments become UTF-8, the core
// gets the same Windows services as the window program, and the command's
// outcome is the exit code.
#include <windows.h>

#include <string>
#include <vector>

#include "console/arguments.h"
#include "console/child_protocol.h"
#include "console/commands.h"
#include "console/exit_codes.h"
#include "updater/release_record.h"
#include "win32_console_output.h"
#include "win32_dll_search.h"
#include "win32_host.h"
#include "win32_printer_processes.h"
#include "win32_run_folder.h"
#include "win32_run_session.h"
#include "win32_stop_requests.h"
#include "win32_text.h"
#include "win32_tool_host.h"

namespace {

// A printer process of a parallel update stops on Ctrl+C as any qmqn does,
// and on its parent's word.
class ChildStop final : public qmqn::StopSignal {
 public:
  explicit ChildStop(qmqn::StopSignal& console) : console_(console) {}
  bool requested() override {
    asked_ = asked_ || console_.requested() || qmqn::win32::stopAskedOnInput();
    return asked_;
  }

 private:
  qmqn::StopSignal& console_;
  bool asked_ = false;
};

void writeOut(std::string_view bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace updater;
  win32::restrictDllSearch();
  qmqn::win32::ConsoleOutput out;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(win32::wideToUtf8(argv[i]));
  const qmqn::ParsedArguments parsed = qmqn::parseArguments(args);
  if (!parsed.arguments) {
    out.line(qmqn::Stream::Err, "qmqn: " + parsed.error);
    out.line(qmqn::Stream::Err, "Run qmqn --help for the commands and options.");
    return qmqn::exitCode(qmqn::Outcome::BadUsage);
  }

  win32::SystemLibraryLoader libraries;
  win32::SpoolerPrinters printers;
  win32::ModuleDirectoryFiles files;
  win32::AnsiCodePage codePage;
  win32::PumpingClock clock;
  qmqn::win32::RunSession session;
  qmqn::win32::SystemFacts facts;
  qmqn::win32::AppendedLog log;
  qmqn::win32::HostCaseRules caseRules;
  qmqn::win32::HostRunFolder runs;
  win32::RunFolderJournal journal;
  const bool update = parsed.arguments->command == qmqn::Command::Update;
  qmqn::win32::StopRequests stop(update);
  stop.setBusy(update);
  const bool child = parsed.arguments->child != qmqn::Arguments::Child::None;
  qmqn::ChildOutput childOut(writeOut, parsed.arguments->child == qmqn::Arguments::Child::Rows);
  ChildStop childStop(stop);
  qmqn::win32::ChildProcesses processes;
  qmqn::Tool tool{printers,
                  libraries,
                  files,
                  codePage,
                  clock,
                  session,
                  child ? static_cast<qmqn::Output&>(childOut) : out,
                  facts,
                  log,
                  child ? static_cast<qmqn::StopSignal&>(childStop) : stop,
                  caseRules,
                  runs,
                  &journal,
                  &builtInRelease(),
                  parsed.arguments->parallel != 0 ? &processes : nullptr};
  const int code = qmqn::runCommand(*parsed.arguments, tool);
  stop.setBusy(false);
  return code;
}
