// The updater against the simulated printer, in the console: the real status
// library cores, the printer simulator and the updater's logic on one virtual
// clock, with every change of the window printed as it happens. Runs a QM and
// a QN printer through the start-up check, the update and a second start.
//
//   qmqn_console_demo [qm|qn|both] [en|ja]
#include <cstdio>
#include <cstring>
#include <string>

#include "host_rig.h"

namespace updater::testing {
namespace {

constexpr const char* kElementNames[] = {
    "Label3",    "Text5",     "Label10",   "Text2",     "Label4",    "Label7",    "Text1",
    "Label5",    "Label6",    "Label21",   "Text3",     "Label20",   "Text4",     "Label12",
    "Label13",   "Label14",   "Label15",   "Label16",   "Picture1",  "Picture2",  "Picture3",
    "Picture4",  "Picture5",  "Picture6",  "Picture7",  "Picture8",  "Picture9",  "Picture10",
    "Picture11", "Picture12", "Picture13", "Picture14", "Command1",  "Command2",  "Command3",
    "ProgressBar1"};
static_assert(std::size(kElementNames) == kElementCount);

const char* colourName(Rgb c) {
  if (c == kRed) return "red";
  if (c == kBlue) return "blue";
  if (c == kDarkGreen) return "dark green";
  if (c == kBlack) return "black";
  return "other";
}

// Prints each change with the virtual time; the progress bar only when it
// crosses a multiple of 5, so the flash wait's 650 ticks stay readable.
class ConsoleWindow final : public Form1Controls {
 public:
  explicit ConsoleWindow(const VirtualClock& clock) : clock_(clock) {}

  void setText(Element e, std::string_view text) override {
    texts_[index(e)] = std::string(text);
    print(e, "= \"" + std::string(text) + "\"");
  }
  std::string text(Element e) const { return texts_[index(e)]; }
  void setTextColour(Element e, Rgb colour) override { print(e, std::string("colour ") + colourName(colour)); }
  void setEnabled(Element e, bool enabled) override { print(e, enabled ? "enabled" : "disabled"); }
  void setVisible(Element e, bool visible) override { print(e, visible ? "shown" : "hidden"); }
  void setBold(Element e, bool bold) override { print(e, bold ? "bold" : "normal weight"); }
  void setProgress(float value) override {
    if (static_cast<int>(value / 5) != static_cast<int>(progress_ / 5) || value < progress_) {
      print(Element::ProgressBar1, "at " + std::to_string(static_cast<int>(value + 0.05f)));
    }
    progress_ = value;
  }
  void setFocus(Element e) override { print(e, "has the focus"); }

 private:
  static size_t index(Element e) { return static_cast<size_t>(e); }
  void print(Element e, const std::string& what) const {
    std::printf("  [%8.3f s] %-12s %s\n", static_cast<double>(clock_.now) / 1000.0, kElementNames[index(e)],
                what.c_str());
  }

  const VirtualClock& clock_;
  std::array<std::string, kElementCount> texts_{};
  float progress_ = 0.0f;
};

void programStart(Host& host, bool japanese, int number) {
  std::printf("\n-- program start %d: start-up check\n", number);
  auto program = host.start();
  ConsoleWindow window(host.clock);
  host.dialog.choice = {PortChoice::End::Ok, 0, japanese};
  Updater& updater = host.updaterFor(*program, window);
  const StartupEnd end = host.load(updater);
  for (const std::string& m : host.messages.shown) std::printf("  message box: \"%s\"\n", m.c_str());
  if (end != StartupEnd::UpdateDue) {
    std::printf("-- the window waits for [Close]: %s\n", window.text(Element::Text5).c_str());
    return;
  }
  std::printf("\n-- [Start] clicked\n");
  updater.start();
  std::printf("-- the window waits for [Close]: %s\n", window.text(Element::Text5).c_str());
}

void demo(sim::Family family, bool japanese) {
  std::printf("\n==== a %s printer on USB001 (\"Thermal Printer\") ====\n",
              family == sim::Family::QM ? "QM" : "QN");
  Host host(family);
  const sim::PrinterState& printer = host.printer(family);
  std::printf("printer before: firmware \"%s\"\n", printer.firmware.c_str());
  programStart(host, japanese, 1);
  programStart(host, japanese, 2);
  std::printf("\nprinter after: firmware \"%s\"", printer.firmware.c_str());
  if (family == sim::Family::QM) std::printf(", colour control data checksum %s", host.checksum().c_str());
  std::printf(", %llu monitor calls\n", static_cast<unsigned long long>(host.simulator(family).callCount()));
}

}  // namespace
}  // namespace updater::testing

int main(int argc, char** argv) {
  namespace sim = printer_sim;
  const std::string which = argc > 1 ? argv[1] : "both";
  const bool japanese = argc > 2 && std::strcmp(argv[2], "ja") == 0;
  if (which != "qn") updater::testing::demo(sim::Family::QM, japanese);
  if (which != "qm") updater::testing::demo(sim::Family::QN, japanese);
  return 0;
}
