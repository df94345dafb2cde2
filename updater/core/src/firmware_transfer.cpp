#include "updater/run_files.h"
#include "updater/status_codes.h"
#include "updater/step_list.h"
#include "updater/text_query.h"
#include "updater/texts.h"
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
  FirmwareRun(const Services& s, const UpdaterState& state)
      : s_(s), w_(s.window), lib_(s.library(state.family)), state_(state) {}

  Transfer run(FirmwareImage image, std::string_view expectedVersion) {
    showTransmissionData(s_);
    if (Transfer t = enterRewriteMode(); t != Transfer::Succeeded) return t;
    if (Transfer t = sendImage(image); t != Transfer::Succeeded) return t;
    image.bytes.reset();
    if (Transfer t = waitForFlashWrite(); t != Transfer::Succeeded) return t;
    return checkVersion(expectedVersion);
  }

 private:
  Transfer enterRewriteMode() {
    closeStep(w_, 1);
    openStep(w_, 2);
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
    w_.setProgress(15.0f);
    closeStep(w_, 2);
    openStep(w_, 3);
    s_.clock.yield();
    const int32_t written = lib_.setFirmwDataWrite(state_.portHandle, image.bytes.get(),
                                                   static_cast<uint32_t>(image.length));
    // -1 is the library's failure value for a multi-send write, like 0.
    if (written <= 0) return Transfer::Failed;
    s_.clock.sleep(1000);
    closeStep(w_, 3);
    openStep(w_, 4);
    s_.clock.yield();
    w_.setProgress(20.0f);
    return Transfer::Succeeded;
  }

  Transfer waitForFlashWrite() {
    const FlashWait wait = state_.family == Family::Qm ? kQmFlashWait : kQnFlashWait;
    const uint64_t start = s_.clock.nowMs();
    for (int tick = 1; tick <= wait.ticks; ++tick) {
      sleepUntil(s_.clock, start + static_cast<uint64_t>(tick) * wait.tickMs);
      w_.setProgress(w_.progress() + 0.1f);
      s_.clock.yield();
    }
    w_.setProgress(wait.finalProgress);
    s_.clock.yield();
    return Transfer::Succeeded;
  }

  Transfer checkVersion(std::string_view expectedVersion) {
    for (int poll = 1;; ++poll) {
      s_.clock.sleep(1000);
      const uint32_t status = lib_.getStatus(state_.portHandle);
      if (poll >= kReadyPollLimit) {
        w_.setTextColour(Element::Text1, kRed);
        return Transfer::Failed;
      }
      if (isReadyAfterWrite(status)) break;
    }
    QueryBuffer buffer;
    const int32_t count = lib_.getFirmwVersion(state_.portHandle, buffer.bytes);
    const std::string version = replyText(buffer, count, s_.codePage);
    w_.setText(Element::Text1, version);
    if (count < 0 || !sameRelease(expectedVersion, version)) {
      w_.setTextColour(Element::Text1, kRed);
      return Transfer::Failed;
    }
    w_.setTextColour(Element::Text1, kBlack);
    showDone(w_, kFirmwareMarker, true);
    closeStep(w_, 4);
    if (state_.family == Family::Qm) openStep(w_, 5);
    w_.setProgress(90.0f);
    s_.clock.yield();
    return Transfer::Succeeded;
  }

  const Services& s_;
  Window& w_;
  StatusBinding& lib_;
  const UpdaterState& state_;
};

}  // namespace

Transfer transferFirmware(const Services& services, const UpdaterState& state, FirmwareImage image,
                          std::string_view expectedVersion) {
  return FirmwareRun(services, state).run(std::move(image), expectedVersion);
}

}  // namespace updater
