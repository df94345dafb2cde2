#include "updater/startup_check.h"

#include "updater/printer_values.h"
#include "updater/status_codes.h"
#include "updater/text_query.h"
#include "updater/texts.h"
#include "updater/usable_port.h"
#include "updater/utf.h"

namespace updater {
namespace {

// Shows the printer's firmware version; true when it is not the release's.
bool firmwareDiffers(const Services& s, StateWriter& out) {
  const UpdateState& state = out.state();
  const std::optional<std::string> version = readFirmwareVersion(s, state);
  const bool same = version && sameRelease(releaseOf(state.family).firmwareVersion, *version);
  out.firmwareRead({version, same ? Verdict::Same : Verdict::Differs});
  return !same;
}

// Shows the printer's colour control data; true when a QM printer's differs
// from the release's. In rewrite mode nothing is read: the table is written
// after the firmware anyway.
bool colorDataDiffers(const Services& s, StateWriter& out) {
  UpdateState& state = out.state();
  if (state.status == kFlashRewriteMode) {
    state.colorDataCurrent = false;
    return false;
  }
  PrinterColorData shown = readShownColorData(s, state);
  if (state.family != Family::Qm) {
    out.colorDataRead({shown.version, Verdict::NotCompared}, {shown.checksum, Verdict::NotCompared});
    state.colorDataCurrent = true;
    return false;
  }
  // A value not read never matches.
  const bool same = shown.version == kQmRelease.colorDataFile && shown.checksum == kQmRelease.colorDataChecksum;
  const Verdict verdict = same ? Verdict::Same : Verdict::Differs;
  out.colorDataRead({shown.version, verdict}, {shown.checksum, verdict});
  state.colorDataCurrent = same;
  return !same;
}

}  // namespace

std::vector<std::string> usablePrinters(PrinterHost& printers) {
  std::vector<std::string> names;
  for (const std::string& name : printers.installedPrinters()) {
    if (!printerPort(printers, name).empty()) names.push_back(name);
  }
  return names;
}

FamilyProbe probeFamily(StatusBinding& qm, StatusBinding& qn, const std::u16string& port) {
  FamilyProbe probe;
  for (Family family : {Family::Qm, Family::Qn}) {
    StatusBinding& lib = family == Family::Qm ? qm : qn;
    probe.handle = lib.initialize(port.c_str());
    probe.status = lib.getStatus(probe.handle);
    if (probe.status != kStatusNone) {
      probe.family = family;
      break;
    }
  }
  return probe;
}

CheckEnd runStartupCheck(const Services& s, StateWriter& out, const std::string& printer, bool japanese) {
  UpdateState& state = out.state();
  state = UpdateState{};
  state.printer = printer;
  state.japanese = japanese;
  s.frontEnd.checkStarted(printer, japanese);
  const auto ended = [&](CheckEnd end) {
    state.checkEnd = end;
    s.frontEnd.checkEnded(end, state.status);
    return end;
  };

  const std::u16string port = printerPort(s.printers, printer);
  state.port = utf16ToUtf8(port);
  // Two updaters on one printer would both flash it; the second one stops
  // before its first printer command.
  if (!s.printers.claimPort(port)) {
    out.notice(text(TextId::PortInUse, japanese));
    return ended(CheckEnd::PortInUse);
  }
  const FamilyProbe probe = probeFamily(s.qm, s.qn, port);
  state.family = probe.family;
  state.portHandle = probe.handle;
  state.status = probe.status;
  if (state.portHandle < 0) {
    out.notice(kBadHandleMessage);
    return ended(CheckEnd::BadHandle);
  }

  s.frontEnd.familyFound(state.family, releaseFor(state.family));
  out.allow(false, true);
  // The decision takes a second reading, not the probe's.
  if (state.family != Family::None) state.status = s.library(state.family).getStatus(state.portHandle);
  if (!isReadyStatus(state.status)) {
    return ended(state.status == kStatusNone ? CheckEnd::NotQmQn : CheckEnd::PrinterError);
  }

  const bool firmwareDue = firmwareDiffers(s, out);
  const bool colorDataDue = colorDataDiffers(s, out);
  state.updateDue = firmwareDue || colorDataDue;
  out.allow(state.updateDue, true);
  return ended(state.updateDue ? CheckEnd::UpdateDue : CheckEnd::UpToDate);
}

}  // namespace updater
