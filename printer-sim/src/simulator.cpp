#include "printer_sim/simulator.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "color_tables.h"
#include "printer_model.h"
#include "printer_sim/sample_data.h"
#include "state_codec.h"
#include "text_util.h"

namespace printer_sim {
namespace {

constexpr std::size_t kLengthDigits = 8;
constexpr std::size_t kTraceBytes = 64;  // bytes shown per trace field
constexpr uint32_t kOverlongExtra = 64;

struct Port {
  std::u16string name;
  PrinterModel model;
  FrameAssembler assembler;
  uint64_t lastByteMs = 0;
};

std::string traceBytes(const uint8_t* data, std::size_t size) {
  std::string out = toHex(data, std::min(size, kTraceBytes));
  if (size > kTraceBytes) out += "...(" + std::to_string(size) + " bytes)";
  return out;
}

// A port name is the caller's text, so it is shown escaped.
std::string tracePort(const char16_t* port) { return port ? escapeControls(toUtf8(port)) : "(null)"; }

void writeLength(uint8_t* out, std::size_t length) {
  for (std::size_t k = 0; k < kLengthDigits; ++k) {
    out[kLengthDigits - 1 - k] = static_cast<uint8_t>('0' + length % 10);
    length /= 10;
  }
}

std::vector<uint8_t> replyFrame(const std::vector<uint8_t>& payload, std::size_t announced) {
  std::vector<uint8_t> frame(kLengthDigits + payload.size());
  writeLength(frame.data(), announced);
  std::copy(payload.begin(), payload.end(), frame.begin() + kLengthDigits);
  return frame;
}

}  // namespace

struct Simulator::Impl {
  Impl(Config c, Clock& clk, StateStore* s, TraceSink* t)
      : config(std::move(c)), clock(clk), store(s), trace(t), faults(config.faults) {}

  Config config;
  Clock& clock;
  StateStore* store;
  TraceSink* trace;
  CallFaults faults;
  std::vector<Port> ports;
  uint64_t calls = 0;

  Port* find(std::u16string_view name) {
    for (auto& p : ports)
      if (p.name == name) return &p;
    return nullptr;
  }

  // The port that changed is written from here; the others as the store
  // holds them (another process may drive them meanwhile), taken as a
  // restart would take them.
  void persist(const Port& changed) {
    if (!store) return;
    store->update([&](std::optional<std::string> text) {
      DecodedState held = text ? decodeState(*text) : DecodedState{};
      std::vector<std::pair<std::u16string, PrinterState>> kept;
      for (const auto& p : ports) {
        if (&p == &changed) {
          kept.emplace_back(p.name, p.model.state());
        } else if (auto it = held.printers.find(p.name); it != held.printers.end()) {
          if (auto state = accepted(p.name, std::move(it->second), false)) kept.emplace_back(p.name, std::move(*state));
        }
      }
      PortStates states;
      for (const auto& [name, state] : kept) states.emplace_back(name, &state);
      return encodeState(states);
    });
  }

  void note(const std::string& what) {
    if (trace) trace->write("state " + what);
  }

  // What the printer cannot hold is dropped here, and said when asked, so
  // that the state taken is the one the next save writes. None: not taken.
  std::optional<PrinterState> accepted(const std::u16string& name, PrinterState saved, bool say) {
    const auto tell = [&](const std::string& what) {
      if (say) note("[" + escapeControls(toUtf8(name)) + "] " + what);
    };
    Port* port = find(name);
    if (!port) {
      tell("no such printer: ignored");
      return std::nullopt;
    }
    if (saved.family != port->model.state().family) {
      tell("family " + std::string(familyName(saved.family)) + ", the printer is " +
           std::string(familyName(port->model.state().family)) + ": ignored");
      return std::nullopt;
    }
    if (saved.family == Family::QM) {
      auto tables = clearedTables();
      std::size_t kept = 0;
      for (auto& [t, bytes] : saved.tables)
        if (auto it = tables.find(t); it != tables.end() && it->second.size() == bytes.size()) {
          it->second = std::move(bytes);
          ++kept;
        }
      if (kept != saved.tables.size() || kept != tables.size())
        tell("tables: " + std::to_string(saved.tables.size() - kept) + " unknown or of wrong size, " +
             std::to_string(tables.size() - kept) + " cleared");
      saved.tables = std::move(tables);
    } else if (!saved.tables.empty()) {
      tell("tables on a QN printer: dropped");
      saved.tables.clear();
    }
    return saved;
  }

  void restore(const std::u16string& name, PrinterState saved) {
    if (auto state = accepted(name, std::move(saved), true)) find(name)->model.state() = std::move(*state);
  }

  Port* current(std::u16string_view name) {
    Port* port = find(name);
    if (port && port->model.advance(clock.nowMs())) persist(*port);
    return port;
  }

  bool failsByFault(uint64_t n) const {
    if (faults.failCall == n) return true;
    return faults.failFromCall != 0 && n >= faults.failFromCall &&
           (faults.failUntilCall == 0 || n <= faults.failUntilCall);
  }

  void applyReplyFaults(uint64_t n, std::vector<uint8_t>& payload, std::size_t& announced) const {
    if (faults.garbleCall == n)
      for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(0xA5 ^ (i * 7));
    if (faults.truncateCall == n) {
      payload.resize(payload.size() / 2);
      announced = payload.size();
    }
    if (faults.overlongCall == n) announced += kOverlongExtra;
  }

  // Feeds bytes to the port's printer; returns the reply of the last frame that had one.
  std::optional<std::vector<uint8_t>> deliver(Port& port, const uint8_t* data, std::size_t size) {
    std::vector<Frame> frames;
    port.model.state().framesDropped += port.assembler.feed(data, size, frames);
    std::optional<std::vector<uint8_t>> reply;
    bool changed = false;
    for (const Frame& f : frames) {
      Handled h = port.model.handle(f, clock.nowMs());
      changed |= h.changed;
      if (h.reply) reply = std::move(h.reply);
    }
    if (changed) persist(port);
    return reply;
  }

  int32_t call(uint64_t n, const char16_t* portName, uint32_t code, const uint8_t* in, uint32_t inSize,
               uint8_t* out, uint32_t outSize, uint32_t* returned, std::string& note,
               std::vector<uint8_t>& sent) {
    if (returned) *returned = 0;
    if (failsByFault(n)) { note = "fault"; return 0; }
    if (!portName) { note = "no port"; return 0; }
    Port* port = current(portName);
    if (!port) { note = "unknown port"; return 0; }
    if (port->model.restarting()) { note = "printer restarting"; return 0; }
    if (inSize != 0 && !in) { note = "no input"; return 0; }
    uint64_t now = clock.nowMs();
    if (!port->assembler.idle() && now - port->lastByteMs >= config.timings.frameTimeoutMs && port->assembler.reset())
      ++port->model.state().framesDropped;
    if (code == kSendCode) {
      if (inSize != 0) port->lastByteMs = now;
      deliver(*port, in, inSize);
      return 1;
    }
    if (code != kExchangeCode) { note = "unknown control code"; return 0; }
    if (!returned) { note = "no count"; return 0; }
    // An exchange carries whole frames: an unfinished send frame is abandoned.
    if (port->assembler.reset()) ++port->model.state().framesDropped;
    auto reply = deliver(*port, in, inSize);
    if (port->assembler.reset()) ++port->model.state().framesDropped;
    if (!reply) { note = "no reply"; return 0; }
    std::size_t announced = reply->size();
    applyReplyFaults(n, *reply, announced);
    sent = replyFrame(*reply, announced);
    if (!out || sent.size() > outSize) {
      note = "output area too small";
      sent.clear();
      return 0;
    }
    std::memcpy(out, sent.data(), sent.size());
    *returned = static_cast<uint32_t>(sent.size());
    return 1;
  }
};

Simulator::Simulator(Config config, Clock& clock, StateStore* store, TraceSink* trace)
    : impl_(std::make_unique<Impl>(std::move(config), clock, store, trace)) {
  for (const auto& pc : impl_->config.printers) {
    if (impl_->find(pc.port)) continue;  // first definition of a port wins
    impl_->ports.push_back(Port{pc.port, PrinterModel(pc, impl_->config.timings), FrameAssembler{}, 0});
  }
  if (!store) return;
  auto text = store->load();
  if (!text) return;
  DecodedState saved = decodeState(*text);
  for (const auto& what : saved.notes) impl_->note(what);
  for (auto& [name, state] : saved.printers) impl_->restore(name, std::move(state));
}

Simulator::~Simulator() = default;

int32_t Simulator::ioControl(const char16_t* port, uint32_t code, const void* in, uint32_t inSize, void* out,
                             uint32_t outSize, uint32_t* returned) {
  uint64_t n = ++impl_->calls;
  std::string note;
  std::vector<uint8_t> sent;
  const auto* inBytes = static_cast<const uint8_t*>(in);
  int32_t result = impl_->call(n, port, code, inBytes, inSize, static_cast<uint8_t*>(out), outSize, returned,
                               note, sent);
  if (impl_->trace) {
    std::string line = "#" + std::to_string(n) + " t=" + std::to_string(impl_->clock.nowMs()) + " " +
                       tracePort(port) + " " +
                       (code == kSendCode ? "send" : code == kExchangeCode ? "exchange" : "code=" + std::to_string(code)) +
                       " in=" + (inBytes ? traceBytes(inBytes, inSize) : std::string()) + " -> " +
                       (result ? "ok" : "FAIL " + note);
    if (!sent.empty()) line += " reply=" + traceBytes(sent.data(), sent.size());
    impl_->trace->write(line);
  }
  return result;
}

const PrinterState* Simulator::printer(std::u16string_view port) {
  Port* p = impl_->current(port);
  return p ? &p->model.state() : nullptr;
}

bool Simulator::setStatusAnswer(std::u16string_view port, std::string answer) {
  Port* p = impl_->current(port);
  if (!p) return false;
  p->model.statusAnswer = std::move(answer);
  return true;
}

bool Simulator::setPrinterFaults(std::u16string_view port, PrinterFaults faults) {
  Port* p = impl_->current(port);
  if (!p) return false;
  p->model.faults = std::move(faults);
  return true;
}

std::string Simulator::checksumText(std::u16string_view port) {
  Port* p = impl_->current(port);
  return p ? checksumHex(p->model.checksum()) : std::string();
}

void Simulator::setCallFaults(const CallFaults& faults) { impl_->faults = faults; }
void Simulator::clearCallFaults() { impl_->faults = CallFaults{}; }
uint64_t Simulator::callCount() const { return impl_->calls; }

}  // namespace printer_sim
