#include "updater/printer_values.h"
#include "updater/run_files.h"
#include "updater/status_codes.h"
#include "updater/text_query.h"
#include "updater/transfers.h"

namespace updater {
namespace {

// Sleeps to an absolute deadline, so late wake-ups don't add up.
void sleepUntil(Clock& clock, uint64_t deadline) {
  const uint64_t now = clock.nowMs();
  if (now < deadline) clock.sleep(static_cast<uint32_t>(deadline - now));
}

class FirmwareRun {
 public:
  FirmwareRun(const Services& s, StateWriter& out)
      : s_(s), out_(out), lib_(s.library(out.state().family)), state_(out.state()) {}

  Transfer run(FirmwareImage image) {
    showTransmissionData(s_, out_);
    if (Transfer t = enterRewriteMode(); t != Transfer::Succeeded) return t;
    if (Transfer t = sendImage(image); t != Transfer::Succeeded) return t;
    image.bytes.reset();
    if (Transfer t = waitForFlashWrite(); t != Transfer::Succeeded) return t;
    return checkVersion();
  }

 private:
  Transfer enterRewriteMode() {
    out_.closeStep(1);
    out_.openStep(2);
    s_.clock.yield();
    lib_.setFirmwUpdateMode(state_.portHandle);
    s_.clock.sleep(3000);
    for (int poll = 0; poll < kRewriteModePolls; ++poll) {
      const uint32_t status = lib_.getStatus(state_.portHandle);
      if (status == kStatusNone) return Transfer::Failed;
      s_.clock.sleep(500);
      if (status == kFlashRewriteMode) return Transfer::Succeeded;
    }
    return Transfer::Failed;
  }

  Transfer sendImage(const FirmwareImage& image) {
    out_.progress(15.0f);
    out_.closeStep(2);
    out_.openStep(3);
    s_.clock.yield();
    const int32_t written = lib_.setFirmwDataWrite(state_.portHandle, image.bytes.get(),
                                                   static_cast<uint32_t>(image.length));
    // -1 is the library's failure value for a multi-send write, like 0.
    if (written <= 0) return Transfer::Failed;
    s_.clock.sleep(1000);
    out_.closeStep(3);
    out_.openStep(4);
    s_.clock.yield();
    out_.progress(20.0f);
    return Transfer::Succeeded;
  }

  Transfer waitForFlashWrite() {
    const FlashWait wait = state_.family == Family::Qm ? kQmFlashWait : kQnFlashWait;
    // Its ticks are short; the record gets the whole wait.
    if (RunRecorder* recorder = out_.recorder()) recorder->wait(static_cast<uint64_t>(wait.ticks) * wait.tickMs);
    const uint64_t start = s_.clock.nowMs();
    for (int tick = 1; tick <= wait.ticks; ++tick) {
      sleepUntil(s_.clock, start + static_cast<uint64_t>(tick) * wait.tickMs);
      out_.progress(state_.progress + 0.1f);
      s_.clock.yield();
    }
    out_.progress(wait.finalProgress);
    s_.clock.yield();
    return Transfer::Succeeded;
  }

  Transfer checkVersion() {
    for (int poll = 1;; ++poll) {
      s_.clock.sleep(1000);
      const uint32_t status = lib_.getStatus(state_.portHandle);
      if (poll >= kReadyPollLimit) {
        // Never ready again: no version to show, and not the release's.
        out_.firmwareRead({std::nullopt, Verdict::Differs});
        return Transfer::Failed;
      }
      if (isReadyAfterWrite(status)) break;
    }
    const std::optional<std::string> version = readFirmwareVersion(s_, state_);
    const Release* release = releaseFor(state_.family);
    const bool same = version && sameRelease(release ? release->firmwareVersion : "", *version);
    out_.firmwareRead({version.value_or(std::string()), same ? Verdict::Same : Verdict::Differs});
    if (!same) return Transfer::Failed;
    out_.closeStep(4);
    if (state_.family == Family::Qm) out_.openStep(5);
    out_.progress(90.0f);
    s_.clock.yield();
    return Transfer::Succeeded;
  }

  const Services& s_;
  StateWriter& out_;
  StatusBinding& lib_;
  const UpdateState& state_;
};

}  // namespace

Transfer transferFirmware(const Services& services, StateWriter& out, FirmwareImage image) {
  return FirmwareRun(services, out).run(std::move(image));
}

}  // namespace updater
