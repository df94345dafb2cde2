// The fault-injection matrix: a complete update of a QM and of a QN printer
// makes K monitor calls; for every k the k-th call fails once, every call
// fails from the k-th on (cable pulled, plugged in again afterwards), or the
// k-th reply comes back garbled, truncated or over-announced. In every case
// "Complete" may only be shown for a printer that holds the release, no wait
// is unbounded, and once the fault is gone the next start brings the printer
// to the release.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>

#include "host_rig.h"

namespace updater::testing {
namespace {

// The longest legitimate program run: 3 s, 60 rewrite-mode polls of 500 ms,
// 1 s, the 56 s flash wait and 20 ready polls of 1 s, with room to spare.
constexpr uint64_t kRunBoundMs = 150000;
// A technician who saw an error waits this long before starting again.
constexpr uint64_t kRetryAfterMs = 60000;

struct Outcome {
  StartupEnd startup;
  std::optional<RunEnd> run;
  std::string text5;
};

const char* name(StartupEnd e) {
  switch (e) {
    case StartupEnd::NoPrinter: return "no printer";
    case StartupEnd::Cancelled: return "cancelled";
    case StartupEnd::BadHandle: return "bad handle";
    case StartupEnd::PortInUse: return "port in use";
    case StartupEnd::NotQmQn: return "not QM/QN";
    case StartupEnd::PrinterError: return "printer error";
    case StartupEnd::UpdateDue: return "update due";
    case StartupEnd::UpToDate: return "up to date";
  }
  return "?";
}

const char* name(RunEnd e) {
  switch (e) {
    case RunEnd::BadFile: return "bad file";
    case RunEnd::StatusNotReady: return "status not ready";
    case RunEnd::FirmwareFailed: return "firmware failed";
    case RunEnd::ColorDataFailed: return "colour data failed";
    case RunEnd::Complete: return "complete";
    case RunEnd::Ignored: return "ignored";
  }
  return "?";
}

std::string describe(const Outcome& o) {
  std::string s = std::string("start-up: ") + name(o.startup);
  if (o.run) s += std::string(", run: ") + name(*o.run);
  return s;
}

// One program start: the start-up check, and Start when it offers it.
Outcome runProgram(Host& host) {
  auto program = host.start();
  Updater& updater = host.updaterFor(*program);
  Outcome o{host.load(updater), std::nullopt, {}};
  if (o.startup == StartupEnd::UpdateDue) o.run = updater.start();
  o.text5 = program->window.text(Element::Text5);
  return o;
}

bool holdsRelease(Host& host, sim::Family family) {
  const sim::PrinterState& p = host.printer(family);
  if (p.firmware != sim::releaseFirmware(family)) return false;
  if (family == sim::Family::QN) return true;
  const std::string version(p.versionTable.begin(), p.versionTable.end());
  static const auto releaseTables = sim::tablesFromImage(sim::makeSampleColorData());
  return p.tables == releaseTables && host.checksum() == "FF32" && version.rfind("QM0210.QMD", 0) == 0;
}

enum class Fault { FailOnce, CablePulled, Garbled, Truncated, Overlong };
constexpr Fault kFaults[] = {Fault::FailOnce, Fault::CablePulled, Fault::Garbled, Fault::Truncated,
                             Fault::Overlong};

const char* name(Fault f) {
  switch (f) {
    case Fault::FailOnce: return "fail once";
    case Fault::CablePulled: return "cable pulled";
    case Fault::Garbled: return "garbled reply";
    case Fault::Truncated: return "truncated reply";
    case Fault::Overlong: return "over-announced reply";
  }
  return "?";
}

sim::CallFaults faultAt(Fault f, uint64_t k) {
  sim::CallFaults faults;
  switch (f) {
    case Fault::FailOnce: faults.failCall = k; break;
    case Fault::CablePulled: faults.failFromCall = k; break;
    case Fault::Garbled: faults.garbleCall = k; break;
    case Fault::Truncated: faults.truncateCall = k; break;
    case Fault::Overlong: faults.overlongCall = k; break;
  }
  return faults;
}

// The control codes of the calls of a complete update, in call order.
std::vector<uint32_t> callsOfACompleteUpdate(sim::Family family) {
  Host host(family);
  const Outcome o = runProgram(host);
  EXPECT_EQ(o.run, RunEnd::Complete) << o.text5;
  EXPECT_EQ(host.callCodes(family).size(), host.simulator(family).callCount());
  return host.callCodes(family);
}

// Reply faults only change exchanges; on a send they would repeat the clean run.
bool applies(Fault f, uint32_t code) {
  return f == Fault::FailOnce || f == Fault::CablePulled || code == sim::kExchangeCode;
}

struct Tally {
  uint64_t cases = 0;
  uint64_t recovered = 0;
  std::map<std::string, uint64_t> outcomes;
};

void runMatrix(sim::Family family, const std::vector<uint32_t>& calls, Tally& tally) {
  const char* fam = family == sim::Family::QM ? "QM" : "QN";
  for (Fault fault : kFaults) {
    for (uint64_t k = 1; k <= calls.size(); ++k) {
      if (!applies(fault, calls[k - 1])) continue;
      Host host(family);
      host.simulator(family).setCallFaults(faultAt(fault, k));
      const uint64_t started = host.clock.now;
      const Outcome faulted = runProgram(host);
      const std::string where = std::string(fam) + ", " + name(fault) + " at call " + std::to_string(k) + ": " +
                                describe(faulted);
      EXPECT_LT(host.clock.now - started, kRunBoundMs) << where;
      if (faulted.run == RunEnd::Complete) {
        EXPECT_TRUE(holdsRelease(host, family)) << "Complete shown without the release; " << where;
      }

      host.simulator(family).clearCallFaults();
      host.clock.now += kRetryAfterMs;
      const Outcome again = runProgram(host);
      const bool recovered = holdsRelease(host, family) &&
                             (again.run == RunEnd::Complete || again.startup == StartupEnd::UpToDate);
      EXPECT_TRUE(recovered) << where << "; then " << describe(again) << " \"" << again.text5 << '"';

      ++tally.cases;
      tally.recovered += recovered ? 1 : 0;
      ++tally.outcomes[describe(faulted)];
    }
  }
}

TEST(FaultMatrix, EveryCallOfAQmAndAQnUpdate) {
  const std::vector<uint32_t> qmCalls = callsOfACompleteUpdate(sim::Family::QM);
  const std::vector<uint32_t> qnCalls = callsOfACompleteUpdate(sim::Family::QN);
  ASSERT_GT(qmCalls.size(), 240u);  // the 60 tables alone take 240 sends
  ASSERT_GT(qnCalls.size(), 8u);

  Tally tally;
  runMatrix(sim::Family::QM, qmCalls, tally);
  runMatrix(sim::Family::QN, qnCalls, tally);

  std::ostringstream outcomes;
  for (const auto& [what, count] : tally.outcomes) outcomes << "  " << count << " x " << what << "\n";
  std::printf("faulted runs by outcome:\n%s", outcomes.str().c_str());
  std::printf("fault matrix: K(QM)=%zu K(QN)=%zu, %llu cases (%zu fault kinds), %llu recovered to the release\n",
              qmCalls.size(), qnCalls.size(),
              static_cast<unsigned long long>(tally.cases), std::size(kFaults),
              static_cast<unsigned long long>(tally.recovered));
}

// A printer that never comes back from programming: it stays busy, or it
// restarts for ever. The run ends after its bounded ready polls, never with
// "Complete", and a later start with the printer back finishes the job.
TEST(FaultMatrix, PrinterThatNeverComesBackFromProgramming) {
  for (sim::Family family : {sim::Family::QM, sim::Family::QN}) {
    for (bool restartsForEver : {false, true}) {
      sim::Timings timings;
      if (restartsForEver) timings.restartMs = 10ull * 24 * 3600 * 1000;
      Host host(family, timings);
      sim::PrinterFaults faults;
      faults.stayBusy = !restartsForEver;
      host.simulator(family).setPrinterFaults(u"USB001", faults);

      const uint64_t started = host.clock.now;
      const Outcome o = runProgram(host);
      EXPECT_EQ(o.run, RunEnd::FirmwareFailed) << describe(o);
      EXPECT_LT(host.clock.now - started, kRunBoundMs);
      EXPECT_EQ(o.text5, "Printer error.  Push [Close] botton.");
    }
  }
}

}  // namespace
}  // namespace updater::testing
