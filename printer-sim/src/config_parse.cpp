#include <cstdint>

#include "printer_sim/config.h"
#include "text_util.h"

namespace printer_sim {
namespace {


bool setNumber(uint64_t& field, std::string_view value) {
  auto n = parseUnsigned(value);
  if (!n) return false;
  field = *n;
  return true;
}

bool setNumber32(uint32_t& field, std::string_view value) {
  auto n = parseUnsigned(value);
  if (!n || *n > UINT32_MAX) return false;
  field = static_cast<uint32_t>(*n);
  return true;
}

bool setFlag(bool& field, std::string_view value) {
  if (value == "1" || value == "yes" || value == "true") field = true;
  else if (value == "0" || value == "no" || value == "false") field = false;
  else return false;
  return true;
}

bool setFamily(Family& field, std::string_view value) {
  if (value == "QM") field = Family::QM;
  else if (value == "QN") field = Family::QN;
  else return false;
  return true;
}

bool setText(std::string& field, std::string_view value) {
  field = std::string(value);
  return true;
}

bool applySim(Config& c, std::string_view key, std::string_view v) {
  if (key == "trace") return setText(c.traceFile, v);
  if (key == "rewrite_delay_ms") return setNumber(c.timings.rewriteDelayMs, v);
  if (key == "program_ms") return setNumber(c.timings.programMs, v);
  if (key == "restart_ms") return setNumber(c.timings.restartMs, v);
  if (key == "frame_timeout_ms") return setNumber(c.timings.frameTimeoutMs, v);
  if (key == "fail_call") return setNumber(c.faults.failCall, v);
  if (key == "fail_from_call") return setNumber(c.faults.failFromCall, v);
  if (key == "fail_until_call") return setNumber(c.faults.failUntilCall, v);
  if (key == "garble_call") return setNumber(c.faults.garbleCall, v);
  if (key == "truncate_call") return setNumber(c.faults.truncateCall, v);
  if (key == "overlong_call") return setNumber(c.faults.overlongCall, v);
  return false;
}

bool applyPrinter(PrinterConfig& p, std::string_view key, std::string_view v) {
  if (key == "family") return setFamily(p.family, v);
  if (key == "status") return setText(p.statusAnswer, v);
  if (key == "busy_answer") return setText(p.busyAnswer, v);
  if (key == "firmware") return setText(p.firmware, v);
  if (key == "color_version") return setText(p.colorVersion, v);
  if (key == "color_data") {
    if (v != "release" && v != "cleared") return false;
    p.releaseColorData = v == "release";
    return true;
  }
  if (key == "serial") return setText(p.serial, v);
  if (key == "counter_life") return setNumber32(p.counterLife, v);
  if (key == "counter_a") return setNumber32(p.counterA, v);
  if (key == "counter_b") return setNumber32(p.counterB, v);
  if (key == "never_rewrite") return setFlag(p.faults.neverRewrite, v);
  if (key == "stay_busy") return setFlag(p.faults.stayBusy, v);
  if (key == "reject_image") return setFlag(p.faults.rejectImage, v);
  if (key == "wrong_version") return setText(p.faults.wrongVersion, v);
  return false;
}

}  // namespace

std::string_view familyName(Family family) { return family == Family::QM ? "QM" : "QN"; }

std::string defaultFirmware(Family family) {
  return family == Family::QM ? "QM_MASTER 4.10  QM_SLAVE  4.10" : "QN_MASTER 1.50  QN_SLAVE  1.50";
}

std::string releaseFirmware(Family family) {
  return family == Family::QM ? "QM_MASTER 5.00  QM_SLAVE  5.00" : "QN_MASTER 2.00  QN_SLAVE  2.00";
}

Config defaultConfig(Family family) {
  Config c;
  PrinterConfig p;
  p.port = u"USB001";
  p.family = family;
  c.printers.push_back(p);
  return c;
}

ConfigResult parseConfig(std::string_view text, Family defaultFamily) {
  ConfigResult result;
  Config& c = result.config;
  enum class Section { None, Sim, Printer } section = Section::None;
  std::size_t lineNo = 0;
  while (!text.empty()) {
    std::size_t nl = text.find('\n');
    std::string_view raw = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    ++lineNo;
    std::string_view line = trim(raw);
    auto error = [&](std::string_view what) {
      result.errors.push_back("line " + std::to_string(lineNo) + ": " + std::string(what));
    };
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') { error("unclosed section"); continue; }
      std::string_view head = trim(line.substr(1, line.size() - 2));
      if (head == "sim") {
        section = Section::Sim;
      } else if (head.substr(0, 8) == "printer ") {
        std::string_view port = trim(head.substr(8));
        if (port.empty()) { error("printer without a port"); section = Section::None; continue; }
        PrinterConfig p;
        p.port = fromUtf8(port);
        p.family = defaultFamily;
        c.printers.push_back(p);
        section = Section::Printer;
      } else {
        error("unknown section");
        section = Section::None;
      }
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) { error("expected key = value"); continue; }
    std::string_view key = trim(line.substr(0, eq));
    std::string_view value = trim(line.substr(eq + 1));
    bool ok = section == Section::Sim       ? applySim(c, key, value)
              : section == Section::Printer ? applyPrinter(c.printers.back(), key, value)
                                            : false;
    if (!ok) error("unknown key or bad value: " + std::string(key));
  }
  if (c.printers.empty()) c.printers = defaultConfig(defaultFamily).printers;
  return result;
}

}  // namespace printer_sim
