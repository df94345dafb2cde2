// A simulator on a virtual clock, and frames formatted the way a host sends them.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "printer_sim/simulator.h"

namespace sim_test {

using namespace printer_sim;

inline std::string bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

inline std::string field(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

inline std::string digits8(std::size_t n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08zu", n);
  return buf;
}

// ESC, group (7), name (16), length field (8 spaces when `spaces`), payload.
inline std::string frame(const std::string& group, const std::string& name, const std::string& payload = {},
                         bool spaces = false) {
  return "\x1b" + field(group, 7) + field(name, 16) + (spaces ? std::string(8, ' ') : digits8(payload.size())) +
         payload;
}

inline std::string query(const std::string& group, const std::string& name) { return frame(group, name, {}, true); }

// A value with some fields set, without designated initialisers (which gcc
// warns about when fields are left out).
template <typename T, typename F>
T make(F set) {
  T value{};
  set(value);
  return value;
}

class LineSink final : public TraceSink {
 public:
  void write(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

struct Rig {
  explicit Rig(Config config = defaultConfig(Family::QM)) : sim(std::move(config), clock, &store) {}

  bool send(const std::string& data, const char16_t* port = u"USB001") {
    uint32_t n = 99;
    return sim.ioControl(port, kSendCode, data.data(), static_cast<uint32_t>(data.size()), nullptr, 0, &n) != 0;
  }
  // Whole reply frame, or nullopt when the exchange failed.
  std::optional<std::string> exchangeRaw(const std::string& data, const char16_t* port = u"USB001",
                                         uint32_t capacity = 4096) {
    std::vector<char> out(capacity);
    uint32_t n = 0;
    if (!sim.ioControl(port, kExchangeCode, data.data(), static_cast<uint32_t>(data.size()), out.data(), capacity, &n))
      return std::nullopt;
    return std::string(out.data(), n);
  }
  // Payload of the reply after checking that the length field matches.
  std::optional<std::string> exchange(const std::string& data, const char16_t* port = u"USB001") {
    auto raw = exchangeRaw(data, port);
    if (!raw) return std::nullopt;
    if (raw->size() < 8 || std::stoul(raw->substr(0, 8)) != raw->size() - 8) return "<bad length field>";
    return raw->substr(8);
  }
  std::string status(const char16_t* port = u"USB001") {
    return exchange(query("PSTATUS", ""), port).value_or("<failed>");
  }

  ManualClock clock;
  MemoryStateStore store;
  Simulator sim;
};

}  // namespace sim_test
