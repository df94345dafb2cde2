// One simulated host for full-stack tests: the two language monitors (each
// knows only its family's printers) in front of simulated printers, the
// updater's files, and one virtual clock for everything.
#pragma once
#include <memory>

#include "core_binding.h"
#include "window_rig.h"
#include "printer_sim/sample_data.h"
#include "updater/updater.h"

namespace updater::testing {

namespace sim = printer_sim;

inline sim::Config oneStandardPrinter(sim::Family family, const sim::Timings& timings) {
  sim::Config config;
  config.timings = timings;
  sim::PrinterConfig printer;
  printer.port = u"USB001";
  printer.family = family;
  config.printers.push_back(printer);
  return config;
}

class Host {
 public:
  explicit Host(sim::Family family, const sim::Timings& timings = {})
      : qmSim_(family == sim::Family::QM ? oneStandardPrinter(family, timings) : sim::Config{}, simClock_),
        qnSim_(family == sim::Family::QN ? oneStandardPrinter(family, timings) : sim::Config{}, simClock_) {
    printers.add("Thermal Printer", "USB001");
    // Generated once per test program: the fault matrix starts many hosts.
    static const std::string qmFirmware = sim::makeSampleFirmware(sim::Family::QM);
    static const std::string qnFirmware = sim::makeSampleFirmware(sim::Family::QN);
    static const std::vector<uint8_t> qmd = sim::makeSampleColorData();
    files.put(sim::firmwareFileName(sim::Family::QM), qmFirmware);
    files.put(sim::firmwareFileName(sim::Family::QN), qnFirmware);
    files.files[std::string(sim::kColorDataFileName)] = {FileStatus::Ok, qmd};
  }

  // A program run: the libraries are loaded afresh, the printer keeps its state.
  struct Program {
    Program(Host& host)
        : qmMonitor(host.qmSim_, &host.qmCodes), qnMonitor(host.qnSim_, &host.qnCodes), qm(qmLib), qn(qnLib) {
      window.clock = &host.clock;
      qmLib.attach(&qmMonitor);
      qnLib.attach(&qnMonitor);
    }
    SimulatorMonitor qmMonitor;
    SimulatorMonitor qnMonitor;
    qmstat::StatusLibrary qmLib;
    qmstat::StatusLibrary qnLib;
    CoreBinding qm;
    CoreBinding qn;
    FakeWindow window;
    std::unique_ptr<Form1View> view;
    std::unique_ptr<Updater> updater;
  };

  std::unique_ptr<Program> start() { return std::make_unique<Program>(*this); }
  // The program's updater, shown on its window or on the controls given.
  Updater& updaterFor(Program& p) { return updaterFor(p, p.window); }
  Updater& updaterFor(Program& p, Form1Controls& controls) {
    p.view = std::make_unique<Form1View>(controls, messages);
    p.updater = std::make_unique<Updater>(Services{*p.view, p.qm, p.qn, printers, files, codePage, clock, runGuard});
    return *p.updater;
  }
  // As the window loads: printers, port dialog, check.
  StartupEnd load(Updater& updater) { return loadForm1(updater, dialog, messages); }
  const sim::PrinterState& printer(sim::Family family) {
    return *(family == sim::Family::QM ? qmSim_ : qnSim_).printer(u"USB001");
  }
  std::string checksum() { return qmSim_.checksumText(u"USB001"); }
  void setFaults(const sim::PrinterFaults& faults) { qmSim_.setPrinterFaults(u"USB001", faults); }
  sim::Simulator& simulator(sim::Family family) { return family == sim::Family::QM ? qmSim_ : qnSim_; }
  // The control code of every monitor call, in call order, per family's monitor.
  const std::vector<uint32_t>& callCodes(sim::Family family) const {
    return family == sim::Family::QM ? qmCodes : qnCodes;
  }

  VirtualClock clock;
  std::vector<uint32_t> qmCodes;
  std::vector<uint32_t> qnCodes;
  FakePrinters printers;
  FakeDialog dialog;
  FakeMessages messages;
  FakeFiles files;
  FakeCodePage codePage;
  FakeRunGuard runGuard;

 private:
  SimulatorClock simClock_{clock};
  sim::Simulator qmSim_;
  sim::Simulator qnSim_;
};

}  // namespace updater::testing
