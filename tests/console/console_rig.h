// qmqn's commands on one simulated host: printers of both families behind
// their language monitors, the real library cores reached through their
// export names (as GetProcAddress finds them), and one virtual clock.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "console/commands.h"
#include "console/exit_codes.h"
#include "core_binding.h"
#include "fakes.h"
#include "printer_sim/sample_data.h"
#include "updater/export_binding.h"
#include "updater/usable_port.h"

namespace qmqn::testing {

namespace sim = printer_sim;
using namespace updater::testing;

// Export names to functions over two library cores on the rig's monitors;
// unloading gives fresh cores.
class CoreLoader final : public updater::LibraryLoader {
 public:
  CoreLoader(qmstat::Monitor& qm, qmstat::Monitor& qn);
  ~CoreLoader();
  void* load(const char* fileName) override;
  Function find(void* library, const char* name) override;
  void unloadAll() override;
  int unloads = 0;

 private:
  qmstat::Monitor& qmMonitor_;
  qmstat::Monitor& qnMonitor_;
  std::unique_ptr<qmstat::StatusLibrary> qm_;
  std::unique_ptr<qmstat::StatusLibrary> qn_;
};

class RecordingOutput final : public Output {
 public:
  void line(Stream s, std::string_view text) override { (s == Stream::Out ? out : err).emplace_back(text); }
  void status(std::string_view text) override { statuses.emplace_back(text); }
  bool console() const override { return onConsole; }
  std::string all(Stream s) const {
    std::string t;
    for (const std::string& l : s == Stream::Out ? out : err) t += l + "\n";
    return t;
  }
  bool onConsole = false;
  std::vector<std::string> out, err, statuses;
};

struct RigPrinter {
  std::string name;
  std::u16string port;
  std::optional<sim::Family> family;  // none: a printer that answers nothing
  uint32_t attributes = 0x840;
  sim::PrinterFaults faults;
  std::string statusAnswer = "0";  // what the printer answers while idle
};

// The runs folder in memory, written by the core's journal and read by qmqn.
class MemoryRuns final : public updater::RunJournal, public RunFolder {
 public:
  std::vector<updater::RecordField> origin() override {
    return {{"start", "2026-12-08T12:00:00Z"}, {"host", "DESK-7"}, {"user", "tech"}, {"program", "qmqn.exe"}};
  }
  bool create(std::string_view port, std::string_view firstLine) override {
    if (!writable) return false;
    current_ = std::to_string(files_.size() + 10) + "-" + std::string(port) + ".run";
    files_.push_back({current_, std::string(firstLine) + "\n", true, true, false});
    return true;
  }
  bool write(std::string_view line) override {
    if (!writable) return false;
    file(current_).text += std::string(line) + "\n";
    return true;
  }
  void close() override { file(current_).running = false; }
  std::vector<File> files() override { return files_; }
  void markNoticed(const std::string& name) override { file(name).noticed = true; }
  File& file(const std::string& name) {
    for (File& f : files_) {
      if (f.name == name) return f;
    }
    return files_.emplace_back(File{name, "", true, false, false});
  }
  bool writable = true;

 private:
  std::vector<File> files_;
  std::string current_;
};

// Upper case for ASCII, Latin-1 and Cyrillic letters, as a host would.
class FakeCaseRules final : public CaseRules {
 public:
  std::string upper(std::string_view text) const override;
};

class Rig final : public HostFacts, public LogFile, public StopSignal {
 public:
  explicit Rig(const std::vector<RigPrinter>& printers);
  ~Rig();

  int run(std::vector<std::string> args);
  const sim::PrinterState& printer(sim::Family family, std::u16string_view port);

  std::string hostName() override { return "DESK-7"; }
  std::string timestamp() override { return "2026-12-08T12:00:00Z"; }
  bool open(const std::string& path) override {
    logPath_ = path;
    return path.find("missing/") == std::string::npos;
  }
  Append tryAppend(std::string_view line) override {
    if (clock.now < logBusyUntil) return Append::Busy;
    logs[logPath_].emplace_back(line);
    return Append::Written;
  }
  bool requested() override { return stopAt != 0 && clock.now >= stopAt; }

  VirtualClock clock;
  FakePrinters printers;
  FakeFiles files;
  FakeCodePage codePage;
  FakeRunGuard runGuard;
  RecordingOutput output;
  std::map<std::string, std::vector<std::string>> logs;
  uint64_t logBusyUntil = 0;  // another process holds the log until then
  MemoryRuns runs;
  FakeCaseRules caseRules;
  uint64_t stopAt = 0;  // Ctrl+C at this virtual time, 0: never
  PrinterProcesses* processes = nullptr;  // for update --all --parallel

 private:
  std::string logPath_;
  SimulatorClock simClock_{clock};
  sim::Simulator qmSim_;
  sim::Simulator qnSim_;
  SimulatorMonitor qmMonitor_{qmSim_};
  SimulatorMonitor qnMonitor_{qnSim_};
};

}  // namespace qmqn::testing
