// The window front end over recording fakes of Form1's controls, the port
// dialog and message boxes, with the core's host fakes: one printer, one QM
// and one QN library.
#pragma once
#include "fakes.h"
#include "updater/run_files.h"
#include "updater/services.h"
#include "updater/transfers.h"
#include "updater/updater.h"
#include "window/form1_load.h"
#include "window/form1_view.h"

namespace updater::testing {

// Form1's controls as the window front end sets them.
class FakeWindow final : public Form1Controls {
 public:
  struct State {
    std::string text;
    Rgb colour = kBlack;
    bool enabled = true;
    bool visible = true;
    bool bold = false;
  };

  FakeWindow() {
    at(Element::Label3).colour = kBlue;
    at(Element::Text5).colour = kBlue;
    for (Element e : {Element::Label4, Element::Label5, Element::Label6}) at(e).colour = kDarkGreen;
  }

  void setText(Element e, std::string_view text) override { at(e).text = std::string(text); }
  std::string text(Element e) const { return at(e).text; }
  void setTextColour(Element e, Rgb colour) override { at(e).colour = colour; }
  void setEnabled(Element e, bool enabled) override { at(e).enabled = enabled; }
  void setVisible(Element e, bool visible) override { at(e).visible = visible; }
  void setBold(Element e, bool bold) override { at(e).bold = bold; }
  void setProgress(float value) override {
    progress_ = value;
    progressLog.push_back({clock ? clock->now : 0, value});
  }
  float progress() const { return progress_; }
  void setFocus(Element e) override { focus = e; }

  State& at(Element e) { return states_[static_cast<size_t>(e)]; }
  const State& at(Element e) const { return states_[static_cast<size_t>(e)]; }
  Rgb colour(Element e) const { return at(e).colour; }
  bool enabled(Element e) const { return at(e).enabled; }
  bool visible(Element e) const { return at(e).visible; }
  bool bold(Element e) const { return at(e).bold; }

  struct ProgressWrite {
    uint64_t at;
    float value;
  };
  std::optional<Element> focus;
  std::vector<ProgressWrite> progressLog;
  const VirtualClock* clock = nullptr;

 private:
  std::array<State, kElementCount> states_{};
  float progress_ = 0.0f;
};

class FakeDialog final : public PortDialog {
 public:
  PortChoice show(std::span<const std::string> names) override {
    ++shows;
    shown.assign(names.begin(), names.end());
    return choice;
  }
  PortChoice choice{PortChoice::End::Ok, 0, false};
  int shows = 0;
  std::vector<std::string> shown;
};

class FakeMessages final : public MessageBoxes {
 public:
  void show(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

// Everything wired together: one QM and one QN library, one printer.
struct Rig {
  Rig() {
    window.clock = &clock;
    printers.add("QM Printer", "USB001");
    files.put("QM_M0500S0500.S", "S00600004844521B\r\nS1130000\r\n");
    files.put("QN_M0200S0200.S", "S00600004844521B\r\nS1130000\r\n");
    files.put("QM0210.QMD", std::string(24632, '\x11'));
  }

  // A QM printer that answers ready with the given firmware and colour data.
  void qmPrinter(const std::string& version, const std::string& colorVersion,
                 const std::string& checksum) {
    qm.lastStatus = kReady;
    qm.firmwareVersion = reply(version);
    qm.colorVersion = reply(colorVersion);
    qm.colorChecksum = {checksum, static_cast<int32_t>(checksum.size()) - 1};
  }
  void qnPrinter(const std::string& version) {
    qn.lastStatus = kReady;
    qn.firmwareVersion = reply(version);
    qn.colorVersion = reply("qn0100.qmd");
    qn.colorChecksum = reply("ab12\r");
  }

  // The run's printer calls after the start-up check.
  void clearLogs() {
    for (ScriptedBinding* b : {&qm, &qn}) {
      b->calls.clear();
      b->times.clear();
    }
    clock.sleeps.clear();
  }

  FakeWindow window;
  VirtualClock clock;
  ScriptedBinding qm{clock};
  ScriptedBinding qn{clock};
  FakePrinters printers;
  FakeDialog dialog;
  FakeMessages messages;
  FakeFiles files;
  FakeCodePage codePage;
  FakeRunGuard runGuard;
  Form1View view{window, messages};
  ReleaseRecord record;  // nothing recorded unless a test fills it
  FakeJournal journal;
  Services services{view, qm, qn, printers, files, codePage, clock, runGuard, &record, &journal};
  Updater updater{services};

  // As the window loads: printers, port dialog, check.
  StartupEnd load() { return loadForm1(updater, dialog, messages); }
};

// Start's file check, then one transfer with what it read, as the run does,
// on a copy of the state the check left.
template <typename Transfer_>
Transfer afterFileCheck(Rig& r, Transfer_ transfer) {
  UpdateState state = r.updater.state();
  StateWriter out(state, r.view);
  RunFiles files;
  const Transfer read = readRunFiles(r.services, out, files);
  return read == Transfer::Succeeded ? transfer(out, files) : read;
}
inline Transfer firmwareFromFiles(Rig& r) {
  return afterFileCheck(r, [&r](StateWriter& out, RunFiles& files) {
    return transferFirmware(r.services, out, std::move(files.firmware));
  });
}
inline Transfer colorDataFromFiles(Rig& r) {
  return afterFileCheck(r, [&r](StateWriter& out, RunFiles& files) {
    return transferColorData(r.services, out, files.colorData);
  });
}

}  // namespace updater::testing
