// Recording fakes of the updater core's host and status libraries, on one
// virtual clock.
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

#include "updater/host.h"
#include "updater/run_journal.h"
#include "updater/status_binding.h"

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
  // A listed printer with an empty port is offline; records set one whole.
  PortRecord portRecord(const std::string& name) override {
    ++lookups;
    if (auto r = records.find(name); r != records.end()) return r->second;
    auto it = ports.find(name);
    if (it == ports.end()) return {};
    return {true, it->second.empty() ? 0xC40u : 0x840u, it->second + u'\0', {}};
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
  std::map<std::string, PortRecord> records;
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

// Run records kept as lines; one that fails from a given line on.
class FakeJournal final : public RunJournal {
 public:
  std::vector<RecordField> origin() override { return {{"start", "2026-12-09T08:00:00Z"}, {"host", "DESK-7"}}; }
  bool create(std::string_view port, std::string_view firstLine) override {
    ports.emplace_back(port);
    runs.emplace_back();
    return write(firstLine);
  }
  bool write(std::string_view line) override {
    if (failAtLine != 0 && ++written >= failAtLine) return false;
    runs.back().emplace_back(line);
    return true;
  }
  void close() override { ++closes; }
  std::vector<std::vector<std::string>> runs;
  std::vector<std::string> ports;
  int failAtLine = 0;  // 1: the record can't even be created
  int written = 0;
  int closes = 0;
};

inline constexpr uint32_t kReady = 0x10001;

inline const std::string kQmVersion = "QM_MASTER 5.00  QM_SLAVE  5.00";
inline const std::string kQnVersion = "QN_MASTER 2.00  QN_SLAVE  2.00";
inline const std::string kOldQmVersion = "QM_MASTER 4.10  QM_SLAVE  4.10";
inline const std::string kOldQnVersion = "QN_MASTER 1.00  QN_SLAVE  1.00";

}  // namespace updater::testing
