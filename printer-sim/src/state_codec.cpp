#include "state_codec.h"

#include <array>
#include <type_traits>

#include "text_util.h"

namespace printer_sim {
namespace {

constexpr std::string_view kMagic = "printer-sim-state 1";
constexpr std::string_view kTablePrefix = "table.";

constexpr std::array<std::pair<Mode, std::string_view>, 5> kModes{{
    {Mode::Ready, "ready"},
    {Mode::Switching, "switching"},
    {Mode::Rewrite, "rewrite"},
    {Mode::Programming, "programming"},
    {Mode::Restarting, "restarting"},
}};

void put(std::string& out, std::string_view key, std::string_view value) {
  out.append(key).append("=").append(value).append("\n");
}

std::string hexOf(const std::vector<uint8_t>& bytes) { return toHex(bytes.data(), bytes.size()); }

bool applyField(PrinterState& s, std::string_view key, std::string_view value) {
  auto number = [&](auto& field) {
    auto n = parseUnsigned(value);
    if (!n) return false;
    field = static_cast<std::remove_reference_t<decltype(field)>>(*n);
    return true;
  };
  auto bytes = [&](std::vector<uint8_t>& field) {
    auto b = fromHex(value);
    if (!b) return false;
    field = std::move(*b);
    return true;
  };
  if (key == "family") {
    if (value != "QM" && value != "QN") return false;
    s.family = value == "QM" ? Family::QM : Family::QN;
    return true;
  }
  if (key == "mode") {
    for (const auto& [mode, name] : kModes)
      if (name == value) { s.mode = mode; return true; }
    return false;
  }
  if (key == "until") return number(s.modeUntilMs);
  if (key == "firmware") { s.firmware = std::string(value); return true; }
  if (key == "next_firmware") { s.nextFirmware = std::string(value); return true; }
  if (key == "busy_after_program") { s.busyAfterProgram = value == "1"; return true; }
  if (key == "counter_life") return number(s.counterLife);
  if (key == "counter_a") return number(s.counterA);
  if (key == "counter_b") return number(s.counterB);
  if (key == "cutter") return number(s.cutterMode);
  if (key == "version_table") return bytes(s.versionTable);
  if (key == "qn_block") return bytes(s.qnBlock);
  if (key.substr(0, kTablePrefix.size()) == kTablePrefix)
    return bytes(s.tables[std::string(key.substr(kTablePrefix.size()))]);
  return false;
}

}  // namespace

std::string_view modeName(Mode mode) {
  for (const auto& [m, name] : kModes)
    if (m == mode) return name;
  return "?";
}

std::string encodeState(const PortStates& ports) {
  std::string out(kMagic);
  out.push_back('\n');
  for (const auto& [port, s] : ports) {
    out.append("[").append(toUtf8(port)).append("]\n");
    put(out, "family", familyName(s->family));
    put(out, "mode", modeName(s->mode));
    put(out, "until", std::to_string(s->modeUntilMs));
    // Version texts keep their blanks: written last on the line, read untrimmed.
    put(out, "firmware", s->firmware);
    put(out, "next_firmware", s->nextFirmware);
    put(out, "busy_after_program", s->busyAfterProgram ? "1" : "0");
    put(out, "counter_life", std::to_string(s->counterLife));
    put(out, "counter_a", std::to_string(s->counterA));
    put(out, "counter_b", std::to_string(s->counterB));
    put(out, "cutter", std::to_string(s->cutterMode));
    put(out, "version_table", hexOf(s->versionTable));
    put(out, "qn_block", hexOf(s->qnBlock));
    for (const auto& [name, bytes] : s->tables) put(out, std::string(kTablePrefix) + name, hexOf(bytes));
  }
  return out;
}

std::map<std::u16string, PrinterState> decodeState(std::string_view text) {
  std::map<std::u16string, PrinterState> result;
  std::size_t nl = text.find('\n');
  if (text.substr(0, nl) != kMagic) return result;
  text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
  std::u16string port;
  PrinterState current;
  bool damaged = false;
  auto finish = [&] {
    if (!port.empty() && !damaged) result[port] = current;
    port.clear();
    current = PrinterState{};
    damaged = false;
  };
  while (!text.empty()) {
    nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      finish();
      port = fromUtf8(line.substr(1, line.size() - 2));
      continue;
    }
    std::size_t eq = line.find('=');
    if (port.empty() || eq == std::string_view::npos || !applyField(current, line.substr(0, eq), line.substr(eq + 1)))
      damaged = true;
  }
  finish();
  return result;
}

}  // namespace printer_sim
