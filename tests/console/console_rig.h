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
};

class Rig final : public HostFacts, public LogFile, public StopSignal {
 public:
  explicit Rig(const std::vector<RigPrinter>& printers);
  ~Rig();

  int run(std::vector<std::string> args);
  const sim::PrinterState& printer(sim::Family family, std::u16string_view port);

  std::string hostName() override { return "DESK-7"; }
  std::string timestamp() override { return "2026-12-08T12:00:00Z"; }
  bool append(const std::string& path, std::string_view line) override {
    logs[path].emplace_back(line);
    return true;
  }
  bool requested() override { return stopAt != 0 && clock.now >= stopAt; }

  VirtualClock clock;
  FakePrinters printers;
  FakeFiles files;
  FakeCodePage codePage;
  FakeRunGuard runGuard;
  RecordingOutput output;
  std::map<std::string, std::vector<std::string>> logs;
  uint64_t stopAt = 0;  // Ctrl+C at this virtual time, 0: never

 private:
  SimulatorClock simClock_{clock};
  sim::Simulator qmSim_;
  sim::Simulator qnSim_;
  SimulatorMonitor qmMonitor_{qmSim_};
  SimulatorMonitor qnMonitor_{qnSim_};
};

}  // namespace qmqn::testing
