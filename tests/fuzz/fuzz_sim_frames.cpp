// The simulator's frame reassembly: sequences of sends and exchanges with
// frames split anywhere, junk, lying or huge length fields, any port, any
// output size, and a virtual clock moved by the input.
//
// Input: a fault byte (bit 7: a saved state text follows, 4 x its first byte
// long), then operations. Operation byte: bits 0-2 the kind,
// bits 3-4 the port (the third is a name taken from the input), bits 5-7 the
// output size. Every call is traced, every change saved; at the end a second
// simulator started from the saved state must hold what the first one holds,
// and take what the first one saved without a note.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "printer_sim/sample_data.h"
#include "printer_sim/simulator.h"

namespace {

namespace sim = printer_sim;

void check(bool ok) {
  if (!ok) __builtin_trap();
}

struct Command {
  const char* group;  // 7 characters
  const char* name;
};
constexpr Command kCommands[] = {
    {"PSTATUS", ""},
    {"PINFO  ", "FVER"},
    {"PINFO  ", "MCOLOR"},
    {"PINFO  ", "SERIAL_NUMBER"},
    {"PMNT_RD", "CTRLD_CHKSUM"},
    {"PMNT_RD", "COUNTER_LIFE"},
    {"PTBL_RD", "Version"},
    {"PMNT_WT", "COUNTER_CLEAR"},
    {"PCNTRL ", "CUTTER"},
    {"PTBL_WT", "Version"},
    {"PTBL_WT", "HeadTemp_Y"},
    {"PTBL_WT", "CTRLD_UPDATE_QN"},
    {"PTBL_CL", ""},
    {"PFW_UPD", "FLASH_REWRITE"},
    {"PFW_UPD", "FLASH_PROGRAM"},
    {"PXXXXXX", "NOTHING"},
};

constexpr const char16_t* kPorts[] = {u"USB001", u"USB002", nullptr, nullptr};

class CountingTrace final : public sim::TraceSink {
 public:
  void write(std::string_view line) override {
    check(line.find('\n') == std::string_view::npos);
    if (line.substr(0, 6) == "state ") {  // loading the saved state, before any call
      check(lines == 0);
      ++notes;
      return;
    }
    ++lines;
    check(line.size() > 1 && line[0] == '#');
  }
  uint64_t lines = 0;
  uint64_t notes = 0;
};

bool samePersistentState(const sim::PrinterState& a, const sim::PrinterState& b) {
  return a.family == b.family && a.mode == b.mode && a.modeUntilMs == b.modeUntilMs &&
         a.firmware == b.firmware && a.nextFirmware == b.nextFirmware &&
         a.busyAfterProgram == b.busyAfterProgram && a.counterLife == b.counterLife &&
         a.counterA == b.counterA && a.counterB == b.counterB && a.cutterMode == b.cutterMode &&
         a.versionTable == b.versionTable && a.tables == b.tables && a.qnBlock == b.qnBlock;
}
constexpr uint32_t kOutSizes[] = {0, 7, 8, 9, 16, 40, 512, 4096};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : p_(data), n_(size) {}
  bool done() const { return at_ >= n_; }
  uint8_t byte() { return at_ < n_ ? p_[at_++] : 0; }
  std::vector<uint8_t> bytes(size_t count) {
    count = std::min(count, n_ - at_);
    std::vector<uint8_t> out(p_ + at_, p_ + at_ + count);
    at_ += count;
    return out;
  }

 private:
  const uint8_t* p_;
  size_t n_;
  size_t at_ = 0;
};

void field(std::vector<uint8_t>& out, std::string_view text, size_t width) {
  for (size_t i = 0; i < width; ++i) out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : ' ');
}

void lengthField(std::vector<uint8_t>& out, uint64_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08llu", static_cast<unsigned long long>(value % 100'000'000));
  out.insert(out.end(), digits, digits + 8);
}

const std::vector<uint8_t>& sampleImage() {
  static const std::vector<uint8_t> image =
      sim::firmwareImageFromText(sim::makeSampleFirmware(sim::Family::QM));
  return image;
}

// A frame from the command table; its length field may tell the truth or not.
std::vector<uint8_t> frame(Reader& in) {
  const Command& c = kCommands[in.byte() % std::size(kCommands)];
  const uint8_t how = in.byte();
  std::vector<uint8_t> payload;
  if ((how & 7) == 7) {
    payload = sampleImage();
    if (how & 8) payload[in.byte() * 1237u % payload.size()] ^= in.byte();
  } else {
    payload = in.bytes(in.byte());
  }
  std::vector<uint8_t> out{27};
  field(out, c.group, 7);
  field(out, c.name, 16);
  switch ((how >> 4) & 3) {
    case 0:
      lengthField(out, payload.size());
      break;
    case 1:
      payload.empty() ? field(out, "", 8) : lengthField(out, payload.size());
      break;
    case 2:
      lengthField(out, payload.size() + in.byte());
      break;  // announces more
    default: {
      constexpr uint64_t kHuge[] = {16'777'216, 16'777'217, 99'999'999, 4'000'000};
      lengthField(out, kHuge[(how >> 6) & 3]);
    }
  }
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  Reader in(data, size);
  const uint8_t faults = in.byte();

  sim::ManualClock clock;
  sim::Config config;
  config.printers.resize(2);
  config.printers[0].port = u"USB001";
  config.printers[1].port = u"USB002";
  config.printers[1].family = sim::Family::QN;
  config.faults.failCall = faults & 7;
  config.faults.garbleCall = (faults >> 3) & 7;
  config.faults.truncateCall = (faults >> 6) & 1;
  sim::MemoryStateStore store;
  uint32_t givenSaves = 0;
  if (faults & 0x80) {  // a saved state of any content, as if read from the state file
    const std::vector<uint8_t> text = in.bytes(size_t{in.byte()} * 4);
    store.save(std::string(text.begin(), text.end()));
    givenSaves = 1;
  }
  CountingTrace trace;
  sim::Simulator simulator(config, clock, &store, &trace);
  std::u16string namedPort;

  uint64_t calls = 0;
  int ops = 0;
  while (!in.done() && ++ops <= 64) {
    const uint8_t op = in.byte();
    const char16_t* port = kPorts[(op >> 3) & 3];
    if (((op >> 3) & 3) == 2) {
      namedPort.clear();
      const std::vector<uint8_t> name = in.bytes(2 * (in.byte() % 24));
      for (size_t i = 0; i + 1 < name.size(); i += 2) {
        namedPort.push_back(static_cast<char16_t>(name[i] << 8 | name[i + 1]));
      }
      port = namedPort.c_str();
    }
    const uint32_t outSize = kOutSizes[op >> 5];
    uint32_t code = sim::kSendCode;
    std::vector<uint8_t> bytes;
    bool nullCount = false;
    switch (op & 7) {
      case 0:
        bytes = in.bytes(in.byte());
        break;
      case 1:
        bytes = in.bytes(in.byte());
        code = sim::kExchangeCode;
        break;
      case 2: {  // one frame over two sends, split anywhere
        std::vector<uint8_t> f = frame(in);
        const size_t split = std::min<size_t>(f.size(), in.byte());
        uint32_t returned = 7;
        check(simulator.ioControl(port, code, f.data(), static_cast<uint32_t>(split), nullptr, 0,
                                  &returned) == 0 ||
              returned == 0);
        check(simulator.callCount() == ++calls);
        bytes.assign(f.begin() + static_cast<std::ptrdiff_t>(split), f.end());
        break;
      }
      case 3:
        bytes = frame(in);
        code = sim::kExchangeCode;
        break;
      case 4:
        clock.advance(uint64_t{in.byte()} * 50);
        continue;
      case 5:
        clock.advance(uint64_t{in.byte()} * 1000);
        continue;
      case 6:
        bytes = frame(in);
        code = sim::kExchangeCode;
        nullCount = true;
        break;
      default:
        bytes = in.bytes(in.byte() % 8);
        code = 0x220000u + in.byte();
        break;
    }

    std::vector<uint8_t> out(outSize, 0xEE);
    uint32_t returned = 0xDEAD;
    const int32_t result = simulator.ioControl(port, code, bytes.data(), static_cast<uint32_t>(bytes.size()),
                                               out.data(), outSize, nullCount ? nullptr : &returned);
    check(simulator.callCount() == ++calls);
    check(result == 0 || result == 1);
    if (nullCount) {
      check(result == 0 || code == sim::kSendCode);
      continue;
    }
    if (result == 0 || code == sim::kSendCode) {
      check(returned == 0);
      continue;
    }
    // A reply frame: 8 digits, then exactly that many bytes, all within outSize.
    check(returned >= 8 && returned <= outSize);
    uint32_t announced = 0;
    for (int i = 0; i < 8; ++i) {
      check(out[i] >= '0' && out[i] <= '9');
      announced = announced * 10 + (out[i] - '0');
    }
    check(announced == returned - 8);
    for (uint32_t i = returned; i < outSize; ++i) check(out[i] == 0xEE);
  }
  check(trace.lines == calls);

  CountingTrace reloadTrace;
  sim::Simulator restarted(config, clock, &store, &reloadTrace);
  if (store.saves() > givenSaves) check(reloadTrace.notes == 0);
  for (const char16_t* port : {u"USB001", u"USB002"}) {
    const sim::PrinterState* before = simulator.printer(port);
    const sim::PrinterState* after = restarted.printer(port);
    check(before != nullptr && after != nullptr && samePersistentState(*before, *after));
  }
  return 0;
}
