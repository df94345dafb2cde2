#include "printer_model.h"

#include <algorithm>

#include "color_tables.h"
#include "firmware_image.h"
#include "printer_sim/sample_data.h"

namespace printer_sim {
namespace {

// Fixed answers of the information queries (text answers end with CR).
struct FixedAnswer {
  std::string_view group;
  std::string_view name;
  std::string_view text;
};
constexpr FixedAnswer kFixedAnswers[] = {
    {"PINFO  ", "SENSOR", "HEAD=OK MEDIA=OK COVER=CLOSED\r"},
    {"PINFO  ", "MEDIA", "MD6x8\r"},
    {"PINFO  ", "PQTY", "PQTY250\r"},
    {"PINFO  ", "RESOLUTION_H", "RH300\r"},
    {"PINFO  ", "RESOLUTION_V", "RV300\r"},
    {"PINFO  ", "FREE_PBUFFER", "FPB4\r"},
    {"PINFO  ", "MLOT", "LT2026A0815-0042\r"},
    {"PINFO  ", "MQTY", "MQTY87\r"},
    {"PMNT_RD", "MEDIA_ID_SET", "MDID3\r"},
};
// Media colour offset: "MC", 32-bit big-endian value, CR.
constexpr uint8_t kMediaColorOffset[] = {'M', 'C', 0x00, 0x00, 0x01, 0x2C, '\r'};

std::vector<uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

Handled replyText(std::string_view text) {
  Handled h;
  h.known = true;
  h.reply = bytesOf(text);
  return h;
}

Handled ack(bool changed) {
  Handled h;
  h.known = true;
  h.changed = changed;
  h.reply = std::vector<uint8_t>{};
  return h;
}

std::vector<uint8_t> paddedVersion(std::string_view text) {
  std::vector<uint8_t> table = bytesOf(text);
  table.resize((table.size() + 15) / 16 * 16, 0);
  return table;
}

std::string defaultColorVersion(Family family) {
  return family == Family::QM ? "QM0200.QMD" : "QN0100.QND";
}

}  // namespace

PrinterModel::PrinterModel(const PrinterConfig& config, const Timings& timings)
    : statusAnswer(config.statusAnswer), busyAnswer(config.busyAnswer), faults(config.faults),
      timings_(timings) {
  state_.family = config.family;
  state_.firmware = config.firmware.empty() ? defaultFirmware(config.family) : config.firmware;
  state_.counterLife = config.counterLife;
  state_.counterA = config.counterA;
  state_.counterB = config.counterB;
  std::string colorVersion = config.colorVersion;
  if (colorVersion.empty())
    colorVersion = config.releaseColorData ? std::string(kColorDataFileName) : defaultColorVersion(config.family);
  state_.versionTable = paddedVersion(colorVersion);
  if (config.family == Family::QM)
    state_.tables = config.releaseColorData ? tablesFromImage(makeSampleColorData()) : clearedTables();
  else if (config.releaseColorData)
    state_.qnBlock = makeSampleColorData();
  serial_ = config.serial.empty() ? std::string(familyName(config.family)) + "0012345" : config.serial;
}

bool PrinterModel::advance(uint64_t now) {
  bool changed = false;
  for (;;) {
    if (state_.mode == Mode::Switching && now >= state_.modeUntilMs) {
      state_.mode = Mode::Rewrite;
      state_.modeUntilMs = 0;
    } else if (state_.mode == Mode::Programming && now >= state_.modeUntilMs) {
      state_.mode = Mode::Restarting;
      state_.modeUntilMs += timings_.restartMs;
    } else if (state_.mode == Mode::Restarting && now >= state_.modeUntilMs) {
      state_.mode = Mode::Ready;
      state_.modeUntilMs = 0;
      state_.firmware = state_.nextFirmware;
      state_.nextFirmware.clear();
      state_.busyAfterProgram = faults.stayBusy;
    } else {
      return changed;
    }
    changed = true;
  }
}

uint16_t PrinterModel::checksum() const {
  if (state_.family == Family::QN) return byteSum16(state_.qnBlock.data(), state_.qnBlock.size());
  uint32_t sum = 0;
  for (const auto& [name, bytes] : state_.tables) sum += byteSum16(bytes.data(), bytes.size());
  return static_cast<uint16_t>(sum);
}

std::string PrinterModel::currentStatus() const {
  switch (state_.mode) {
    case Mode::Ready: return state_.busyAfterProgram ? busyAnswer : statusAnswer;
    case Mode::Switching: return "1100";
    case Mode::Rewrite: return "FU1";
    case Mode::Programming: return "FU2";
    case Mode::Restarting: break;
  }
  return {};
}

Handled PrinterModel::info(const std::string& name) const {
  if (name == "FVER") return replyText(state_.firmware + "\r");
  if (name == "SERIAL_NUMBER") return replyText(serial_ + "\r");
  if (name == "MCOLOR") {
    Handled h;
    h.known = true;
    h.reply = std::vector<uint8_t>(std::begin(kMediaColorOffset), std::end(kMediaColorOffset));
    return h;
  }
  for (const auto& a : kFixedAnswers)
    if (a.group == "PINFO  " && a.name == name) return replyText(a.text);
  return {};
}

Handled PrinterModel::flashRewrite(uint64_t now) {
  if (state_.mode != Mode::Ready || faults.neverRewrite) return ack(false);
  state_.mode = Mode::Switching;
  state_.modeUntilMs = now + timings_.rewriteDelayMs;
  return ack(true);
}

Handled PrinterModel::flashProgram(const Frame& frame, uint64_t now) {
  auto refuse = [&](std::string why) {
    ++state_.imagesRejected;
    state_.lastImageError = std::move(why);
    return ack(false);
  };
  if (state_.mode != Mode::Rewrite) return refuse("not in flash rewrite mode");
  if (frame.oversized) return refuse("image too large");
  ImageCheck check = checkFirmwareImage(frame.payload);
  if (!check.ok) return refuse(check.error);
  if (faults.rejectImage) return refuse("image rejected (injected fault)");
  ++state_.imagesAccepted;
  state_.lastImageError.clear();
  state_.nextFirmware = faults.wrongVersion.empty() ? check.version : faults.wrongVersion;
  state_.mode = Mode::Programming;
  state_.modeUntilMs = now + timings_.programMs;
  return ack(true);
}

Handled PrinterModel::tableWrite(const Frame& frame) {
  if (frame.oversized) return ack(false);
  if (frame.name == kVersionTable) {
    if (frame.payload.size() > kMaxVersionTable) return ack(false);
    state_.versionTable = frame.payload;
    return ack(true);
  }
  if (state_.family == Family::QN) {
    if (frame.name != kQnBlockName || frame.payload.size() > kMaxQnBlock) return ack(false);
    state_.qnBlock = frame.payload;
    return ack(true);
  }
  std::size_t size = colorTableSize(frame.name);
  if (size == 0 || size != frame.payload.size()) return ack(false);
  state_.tables[frame.name] = frame.payload;
  return ack(true);
}

Handled PrinterModel::tableClear() {
  state_.versionTable.clear();
  if (state_.family == Family::QM) state_.tables = clearedTables();
  else state_.qnBlock.clear();
  return ack(true);
}

Handled PrinterModel::handle(const Frame& frame, uint64_t now) {
  const std::string& g = frame.group;
  const std::string& n = frame.name;
  bool busyFlashing = state_.mode == Mode::Programming;
  if (g == "PSTATUS" && n.empty()) return replyText(currentStatus() + "\r");
  if (g == "PINFO  ") return info(n);
  if (g == "PFW_UPD" && n == "FLASH_REWRITE") return flashRewrite(now);
  if (g == "PFW_UPD" && n == "FLASH_PROGRAM") return flashProgram(frame, now);
  if (g == "PMNT_RD") {
    if (n == "COUNTER_LIFE") return replyText("CL" + std::to_string(state_.counterLife) + "\r");
    if (n == "COUNTER_A") return replyText("CA" + std::to_string(state_.counterA) + "\r");
    if (n == "COUNTER_B") return replyText("CB" + std::to_string(state_.counterB) + "\r");
    if (n == "CTRLD_CHKSUM") return replyText(checksumHex(checksum()) + "\r");
    for (const auto& a : kFixedAnswers)
      if (a.group == g && a.name == n) return replyText(a.text);
    return {};
  }
  if (g == "PMNT_WT" && n == "COUNTER_CLEAR") {
    const auto& p = frame.payload;
    if (p.size() >= 2 && p[0] == 'C' && p[1] == 'A') state_.counterA = 0;
    else if (p.size() >= 2 && p[0] == 'C' && p[1] == 'B') state_.counterB = 0;
    else return ack(false);
    return ack(true);
  }
  if (g == "PCNTRL " && n == "CUTTER") {
    const auto& p = frame.payload;
    if (p.size() != 8 || !std::all_of(p.begin(), p.end(), [](uint8_t c) { return c >= '0' && c <= '9'; }))
      return ack(false);
    uint32_t mode = 0;
    for (uint8_t c : p) mode = mode * 10 + (c - '0');
    state_.cutterMode = mode;
    return ack(true);
  }
  if (g == "PTBL_RD" && n == kVersionTable) {
    Handled h;
    h.known = true;
    h.reply = state_.versionTable;
    return h;
  }
  // The table memory is not written while the flash is.
  if (g == "PTBL_WT") return busyFlashing ? ack(false) : tableWrite(frame);
  if (g == "PTBL_CL" && n.empty()) return busyFlashing ? ack(false) : tableClear();
  return {};
}

}  // namespace printer_sim
