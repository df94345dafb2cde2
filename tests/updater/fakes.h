// Recording fakes of the updater's window and host, on one virtual clock.
#pragma once
#include <array>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "updater/run_files.h"
#include "updater/services.h"
#include "updater/transfers.h"
#include "updater/updater.h"

namespace updater::testing {

class VirtualClock final : public Clock {
 public:
  void sleep(uint32_t ms) override {
    sleeps.push_back(ms);
    uint64_t wake = now + ms + oversleepMs;
    if (granularityMs > 0) wake = (wake + granularityMs - 1) / granularityMs * granularityMs;
    now = wake;
  }
  uint64_t nowMs() override { return now; }
  void yield() override {
    ++yields;
    if (onYield) onYield();
  }

  uint64_t now = 0;
  uint32_t oversleepMs = 0;   // each sleep wakes this late
  uint32_t granularityMs = 0; // wake-ups fall on multiples of this
  int yields = 0;
  std::vector<uint32_t> sleeps;
  std::function<void()> onYield;
};

class FakeWindow final : public Window {
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
  std::string text(Element e) const override { return at(e).text; }
  void setTextColour(Element e, Rgb colour) override { at(e).colour = colour; }
  void setEnabled(Element e, bool enabled) override { at(e).enabled = enabled; }
  void setVisible(Element e, bool visible) override { at(e).visible = visible; }
  void setBold(Element e, bool bold) override { at(e).bold = bold; }
  void setProgress(float value) override {
    progress_ = value;
    progressLog.push_back({clock ? clock->now : 0, value});
  }
  float progress() const override { return progress_; }
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

struct Reply {
  std::string text;
  int32_t count;
};
inline Reply reply(std::string text) {
  const auto n = static_cast<int32_t>(text.size());
  return {std::move(text), n};
}

// A status library whose answers follow a script and whose calls are logged
// with the virtual time at which they came.
class ScriptedBinding final : public StatusBinding {
 public:
  explicit ScriptedBinding(const VirtualClock& clock) : clock_(clock) {}

  int32_t initialize(const char16_t* portName) override {
    log("initialize");
    initializedPort = portName;
    return handle;
  }
  uint32_t getStatus(int32_t) override {
    log("getStatus");
    if (statuses.empty()) return lastStatus;
    const uint32_t next = statuses.front();
    statuses.pop_front();
    return next;
  }
  int32_t getFirmwVersion(int32_t, char* text) override {
    log("getFirmwVersion");
    return answer(firmwareVersion, text);
  }
  int32_t setFirmwUpdateMode(int32_t) override {
    log("setFirmwUpdateMode");
    return 1;
  }
  int32_t setFirmwDataWrite(int32_t, const void* image, uint32_t length) override {
    log("setFirmwDataWrite");
    const auto* bytes = static_cast<const uint8_t*>(image);
    firmwareImage.assign(bytes, bytes + length);
    return firmwareWriteResult;
  }
  int32_t getColorDataVersion(int32_t, char* text) override {
    log("getColorDataVersion");
    return answer(colorVersion, text);
  }
  int32_t getColorDataChecksum(int32_t, char* text) override {
    log("getColorDataChecksum");
    return answer(colorChecksum, text);
  }
  int32_t setColorDataVersion(int32_t, const char* text, int32_t length) override {
    log("setColorDataVersion");
    storedVersion.assign(text, static_cast<size_t>(length));
    return 1;
  }
  int32_t setColorDataWrite(int32_t, const void* image, uint32_t size) override {
    log("setColorDataWrite");
    const auto* bytes = static_cast<const uint8_t*>(image);
    colorImage.assign(bytes, bytes + size);
    return 1;
  }

  int count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call ? 1 : 0;
    return n;
  }
  // Virtual time of the k-th call of that name (0-based).
  uint64_t timeOf(const std::string& call, int k = 0) const {
    for (size_t i = 0; i < calls.size(); ++i) {
      if (calls[i] == call && k-- == 0) return times[i];
    }
    return UINT64_MAX;
  }

  int32_t handle = 1;
  std::deque<uint32_t> statuses;     // answered first, one each
  uint32_t lastStatus = kStatusNone;  // then this, for ever
  Reply firmwareVersion{"", -1};
  Reply colorVersion{"", -1};
  Reply colorChecksum{"", -1};
  int32_t firmwareWriteResult = 1;

  std::vector<std::string> calls;
  std::vector<uint64_t> times;
  std::u16string initializedPort;
  std::vector<uint8_t> firmwareImage;
  std::vector<uint8_t> colorImage;
  std::string storedVersion;

 private:
  void log(const char* call) {
    calls.emplace_back(call);
    times.push_back(clock_.now);
  }
  static int32_t answer(const Reply& r, char* text) {
    if (r.count >= 0 || !r.text.empty()) std::memcpy(text, r.text.c_str(), r.text.size() + 1);
    return r.count;
  }
  const VirtualClock& clock_;
};

class FakePrinters final : public PrinterHost {
 public:
  std::vector<std::string> installedPrinters() override { return names; }
  std::u16string printerPort(const std::string& name) override {
    ++lookups;
    auto it = ports.find(name);
    return it == ports.end() ? std::u16string() : it->second;
  }
  bool claimPort(std::u16string_view port) override {
    claims.emplace_back(port);
    return heldElsewhere.count(std::u16string(port)) == 0;
  }
  void add(const std::string& name, std::string_view asciiPort) {
    names.push_back(name);
    ports[name] = std::u16string(asciiPort.begin(), asciiPort.end());
  }
  std::vector<std::string> names;
  std::map<std::string, std::u16string> ports;
  std::set<std::u16string> heldElsewhere;  // ports another process has claimed
  std::vector<std::u16string> claims;
  int lookups = 0;
};

class FakeRunGuard final : public RunGuard {
 public:
  void runStarted() override { ++started; }
  void runEnded() override { ++ended; }
  bool held() const { return started > ended; }
  int started = 0;
  int ended = 0;
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

class FakeFiles final : public ProgramFiles {
 public:
  FileContents read(std::string_view name, size_t maxBytes) override {
    reads.emplace_back(name);
    auto it = files.find(std::string(name));
    if (it == files.end()) return {FileStatus::Missing, {}};
    if (it->second.status != FileStatus::Ok) return {it->second.status, {}};
    if (it->second.bytes.size() > maxBytes) return {FileStatus::TooLarge, {}};
    return it->second;
  }
  void put(const std::string& name, std::string_view content) {
    files[name] = {FileStatus::Ok, std::vector<uint8_t>(content.begin(), content.end())};
  }
  std::map<std::string, FileContents> files;
  std::vector<std::string> reads;
};

// Bytes below 0x80 are ASCII, others Latin-1; with dbcs, 0x81-0x9F and
// 0xE0-0xFC are lead bytes as in the Japanese code page.
class FakeCodePage final : public CodePage {
 public:
  bool isLeadByte(uint8_t b) const override {
    return dbcs && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
  }
  std::string toUtf8(std::string_view ansi) const override {
    std::string out;
    for (char c : ansi) {
      const auto b = static_cast<uint8_t>(c);
      if (b < 0x80) {
        out += c;
      } else {
        out += static_cast<char>(0xC0 | (b >> 6));
        out += static_cast<char>(0x80 | (b & 0x3F));
      }
    }
    return out;
  }
  bool dbcs = false;
};

inline constexpr uint32_t kReady = 0x10001;

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
  Services services{window, qm, qn, printers, dialog, messages, files, codePage, clock, runGuard};
  Updater updater{services};
};

// Start's file check, then one transfer with what it read, as the run does.
inline Transfer firmwareFromFiles(Rig& r, std::string_view expectedVersion) {
  RunFiles files;
  const Transfer read = readRunFiles(r.services, r.updater.state(), files);
  if (read != Transfer::Succeeded) return read;
  return transferFirmware(r.services, r.updater.state(), std::move(files.firmware), expectedVersion);
}
inline Transfer colorDataFromFiles(Rig& r) {
  RunFiles files;
  const Transfer read = readRunFiles(r.services, r.updater.state(), files);
  if (read != Transfer::Succeeded) return read;
  return transferColorData(r.services, r.updater.state(), files.colorData, kQmRelease.colorDataFile,
                           Element::Label5, Element::Label6);
}

inline const std::string kQmVersion = "QM_MASTER 5.00  QM_SLAVE  5.00";
inline const std::string kQnVersion = "QN_MASTER 2.00  QN_SLAVE  2.00";
inline const std::string kOldQmVersion = "QM_MASTER 4.10  QM_SLAVE  4.10";
inline const std::string kOldQnVersion = "QN_MASTER 1.00  QN_SLAVE  1.00";

}  // namespace updater::testing
