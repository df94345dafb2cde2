// The colour control data transfer with arbitrary QMD file bytes, through the
// status library core into a simulated QM printer on a virtual clock.
//
// Input: a mode byte, two length bytes, a call number, then the file. Mode
// bit 0: the file's table bytes are raised until they sum to the release's
// checksum "FF32", so that the success path is reached. Mode bit 1: the
// file is the rest of the input repeated to 24,000 + (length % 37,000) bytes,
// which reaches the full table image and the 60,000-byte limit without huge
// inputs. Mode bits 2-4: a monitor fault at that call (failed, garbled,
// truncated, overlong, cable pulled from there on). Mode bit 5: a code page
// with double-byte characters.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core_binding.h"
#include "window_rig.h"
#include "printer_sim/sample_data.h"
#include "updater/run_files.h"
#include "updater/transfers.h"

namespace {

using namespace updater;
using namespace updater::testing;
namespace sim = printer_sim;

void check(bool ok) {
  if (!ok) __builtin_trap();
}

// Counts the calls and keeps the image the transfer hands to the library.
class RecordingBinding final : public StatusBinding {
 public:
  explicit RecordingBinding(StatusBinding& inner) : in_(inner) {}
  int32_t initialize(const char16_t* port) override { return ++calls, in_.initialize(port); }
  uint32_t getStatus(int32_t h) override { return ++calls, in_.getStatus(h); }
  int32_t getFirmwVersion(int32_t h, char* t) override { return ++calls, in_.getFirmwVersion(h, t); }
  int32_t setFirmwUpdateMode(int32_t h) override { return ++calls, in_.setFirmwUpdateMode(h); }
  int32_t setFirmwDataWrite(int32_t h, const void* p, uint32_t n) override {
    return ++calls, in_.setFirmwDataWrite(h, p, n);
  }
  int32_t getColorDataVersion(int32_t h, char* t) override { return ++calls, in_.getColorDataVersion(h, t); }
  int32_t getColorDataChecksum(int32_t h, char* t) override {
    return ++calls, in_.getColorDataChecksum(h, t);
  }
  int32_t setColorDataVersion(int32_t h, const char* t, int32_t n) override {
    return ++calls, in_.setColorDataVersion(h, t, n);
  }
  int32_t setColorDataWrite(int32_t h, const void* p, uint32_t n) override {
    const auto* bytes = static_cast<const uint8_t*>(p);
    image.assign(bytes, bytes + n);
    ++imageWrites;
    return ++calls, in_.setColorDataWrite(h, p, n);
  }

  int calls = 0;
  int imageWrites = 0;
  std::vector<uint8_t> image;

 private:
  StatusBinding& in_;
};

std::vector<uint8_t> fileFrom(const uint8_t* data, size_t size) {
  const uint8_t mode = data[0];
  const size_t lengthField = size_t{data[1]} << 8 | data[2];
  const uint8_t* body = data + 4;
  const size_t bodySize = size - 4;
  std::vector<uint8_t> file(body, body + bodySize);
  if (mode & 2) {
    file.assign(24'000 + lengthField % 37'000, 0);
    for (size_t i = 0; bodySize != 0 && i < file.size(); ++i) file[i] = body[i % bodySize];
  }
  if ((mode & 1) && file.size() >= sim::kColorDataSize) {
    unsigned missing = static_cast<uint16_t>(0xFF32 - sim::byteSum16(file.data(), sim::kColorDataSize));
    for (size_t i = 0; missing != 0 && i < sim::kColorDataSize; ++i) {
      const unsigned add = std::min(missing, 255u - file[i]);
      file[i] = static_cast<uint8_t>(file[i] + add);
      missing -= add;
    }
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4 || size > 8192) return 0;
  const std::vector<uint8_t> file = fileFrom(data, size);

  VirtualClock clock;
  SimulatorClock simClock(clock);
  sim::Config config;
  sim::PrinterConfig printer;
  printer.port = u"USB001";
  config.printers.push_back(printer);
  const uint64_t faultCall = data[3];
  switch ((data[0] >> 2) & 7) {
    case 1: config.faults.failCall = faultCall; break;
    case 2: config.faults.garbleCall = faultCall; break;
    case 3: config.faults.truncateCall = faultCall; break;
    case 4: config.faults.overlongCall = faultCall; break;
    case 5: config.faults.failFromCall = faultCall; break;
    default: break;
  }
  const bool faulty = faultCall != 0 && ((data[0] >> 2) & 7) >= 1 && ((data[0] >> 2) & 7) <= 5;
  sim::Simulator simulator(config, simClock);
  SimulatorMonitor monitor(simulator);
  qmstat::StatusLibrary library;
  library.attach(&monitor);
  CoreBinding core(library);
  RecordingBinding qm(core);
  ScriptedBinding qn(clock);

  FakeWindow window;
  FakePrinters printers;
  FakeMessages messages;
  Form1View view(window, messages);
  FakeFiles files;
  FakeCodePage codePage;
  files.files["QM0210.QMD"] = {FileStatus::Ok, file};
  files.put("QM_M0500S0500.S", "S0\r\n");
  codePage.dbcs = (data[0] & 0x20) != 0;
  FakeRunGuard runGuard;
  Services services{view, qm, qn, printers, files, codePage, clock, runGuard};

  UpdateState state;
  StateWriter out(state, view);
  state.family = Family::Qm;
  state.portHandle = qm.initialize(u"USB001");
  check(state.portHandle > 0);

  // What the image will sum to, if the file gets that far.
  std::vector<uint8_t> padded = file;
  padded.resize((file.size() + 3) / 4 * 4, 0);
  const bool fullImage = padded.size() >= sim::kColorDataSize;
  const std::string expectedChecksum(kQmRelease.colorDataChecksum);

  const int callsBefore = qm.calls;
  const uint64_t monitorCallsBefore = simulator.callCount();
  // The file is read and checked before the run's first printer command.
  RunFiles runFiles;
  Transfer result = readRunFiles(services, out, runFiles);
  if (result == Transfer::Succeeded) result = transferColorData(services, out, runFiles.colorData);

  if (file.size() < kColorFileMinimum || file.size() > kColorFileLimit) {
    check(result == Transfer::Failed);
    check(qm.calls == callsBefore);
    check(simulator.callCount() == monitorCallsBefore);
    check(messages.shown.size() == 1);
    return 0;
  }
  check(messages.shown.empty());
  check(qm.imageWrites == 1);
  check(qm.image == padded);

  const sim::PrinterState* held = simulator.printer(u"USB001");
  check(held != nullptr);
  const std::vector<uint8_t>& table = held->versionTable;
  const std::string version(table.begin(), std::find(table.begin(), table.end(), uint8_t{0}));
  const std::string checksum = simulator.checksumText(u"USB001");
  // Never "succeeded" for a printer that does not hold what was expected.
  if (result == Transfer::Succeeded) check(checksum == expectedChecksum && version == "QM0210.QMD");
  if (faulty) return 0;

  check(version == "QM0210.QMD");
  // Files that passed the check fill every table.
  check(fullImage);
  const std::string written = sim::checksumHex(sim::byteSum16(padded.data(), sim::kColorDataSize));
  check(checksum == written);
  check(result == (checksum == expectedChecksum ? Transfer::Succeeded : Transfer::Failed));
  return 0;
}
