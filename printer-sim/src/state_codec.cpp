#include "state_codec.h"

#include <array>
#include <limits>
#include <set>
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
    using Field = std::remove_reference_t<decltype(field)>;
    auto n = parseUnsigned(value);
    if (!n || *n > std::numeric_limits<Field>::max()) return false;
    field = static_cast<Field>(*n);
    return true;
  };
  auto bytes = [&](std::vector<uint8_t>& field) {
    auto b = fromHex(value);
    if (!b) return false;
    field = std::move(*b);
    return true;
  };
  // The reader takes one CR off a line end; a text ending in another would lose it at the next save.
  auto text = [&](std::string& field) {
    if (!value.empty() && value.back() == '\r') return false;
    field = std::string(value);
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
  if (key == "firmware") return text(s.firmware);
  if (key == "next_firmware") return text(s.nextFirmware);
  if (key == "busy_after_program") {
    if (value != "0" && value != "1") return false;
    s.busyAfterProgram = value == "1";
    return true;
  }
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

// Lines end in LF; a CR before it is dropped, so a file gone through CR LF still reads.
class Lines {
 public:
  explicit Lines(std::string_view text) : rest_(text) {}
  bool next(std::string_view& line) {
    if (done_) return false;
    const std::size_t nl = rest_.find('\n');
    line = rest_.substr(0, nl);
    done_ = nl == std::string_view::npos;
    rest_ = done_ ? std::string_view{} : rest_.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number_;
    return true;
  }
  std::size_t number() const { return number_; }

 private:
  std::string_view rest_;
  bool done_ = false;
  std::size_t number_ = 0;
};

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

DecodedState decodeState(std::string_view text) {
  DecodedState out;
  Lines lines(text);
  std::string_view line;
  if (!lines.next(line) || line != kMagic) {
    out.notes.push_back("file not understood: ignored");
    return out;
  }
  std::map<std::u16string, int> sections;  // per port, how many
  std::u16string port;
  bool open = false;
  PrinterState current;
  std::set<std::string_view> keys;
  std::size_t badLine = 0;
  bool strayNoted = false;
  auto where = [](const std::u16string& name) { return "[" + escapeControls(toUtf8(name)) + "]"; };
  auto finish = [&] {
    if (!open) return;
    if (++sections[port] == 1 && badLine == 0) out.printers[port] = current;
    if (badLine != 0)
      out.notes.push_back(where(port) + " line " + std::to_string(badLine) + " not understood: ignored");
    open = false;
    current = PrinterState{};
    keys.clear();
    badLine = 0;
  };
  while (lines.next(line)) {
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      finish();
      port = fromUtf8(line.substr(1, line.size() - 2));
      open = true;
      continue;
    }
    if (!open) {
      if (!strayNoted) out.notes.push_back("line " + std::to_string(lines.number()) + " outside a section: ignored");
      strayNoted = true;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (badLine == 0 && (eq == std::string_view::npos || !keys.insert(line.substr(0, eq)).second ||
                         !applyField(current, line.substr(0, eq), line.substr(eq + 1))))
      badLine = lines.number();
  }
  finish();
  for (const auto& [name, count] : sections) {
    if (count < 2) continue;
    out.printers.erase(name);
    out.notes.push_back(where(name) + " named in " + std::to_string(count) + " sections: all ignored");
  }
  return out;
}

}  // namespace printer_sim
