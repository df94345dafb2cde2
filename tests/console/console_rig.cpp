#include "console_rig.h"

namespace qmqn::testing {
namespace {

using qmstat::NumberQuery;
using qmstat::TextQuery;

// The loader hands out plain functions, as a DLL's exports are; they reach
// the rig's cores through these two pointers (one rig at a time).
qmstat::StatusLibrary* g_lib[2] = {};

template <int L>
int32_t init(const QmPortChar* port) { return g_lib[L]->initialize(port); }
template <int L>
uint32_t status(int32_t h) { return g_lib[L]->getStatus(h); }
template <int L, TextQuery Q>
int32_t text(int32_t h, char* t) { return g_lib[L]->textQuery(h, Q, t); }
template <int L, NumberQuery Q>
int32_t number(int32_t h) { return g_lib[L]->numberQuery(h, Q); }
template <int L>
int32_t colorOffset(int32_t h) { return g_lib[L]->mediaColorOffset(h); }
template <int L>
int32_t updateMode(int32_t h) { return g_lib[L]->setFirmwUpdateMode(h); }
template <int L>
int32_t firmwareWrite(int32_t h, const void* image, uint32_t n) { return g_lib[L]->setFirmwDataWrite(h, image, n); }
int32_t colorVersion(int32_t h, const char* t, int32_t n) { return g_lib[0]->setColorDataVersion(h, t, n); }
int32_t colorWrite(int32_t h, const void* image, uint32_t n) { return g_lib[0]->setColorDataWrite(h, image, n); }
int32_t mediaIdSet(int32_t h) { return g_lib[1]->mediaIdSetInfo(h); }

using F = updater::LibraryLoader::Function;
template <typename T>
F fn(T f) { return reinterpret_cast<F>(f); }

template <int L>
std::map<std::string, F> shared(const char* prefix) {
  const std::string p = prefix;
  return {
      {p + (L == 0 ? "GetVersion" : "GetFirmwVersion"), fn(text<L, TextQuery::Version>)},
      {p + "GetSerialNo", fn(text<L, TextQuery::SerialNo>)},
      {p + "GetSensorInfo", fn(text<L, TextQuery::SensorInfo>)},
      {p + "GetMedia", fn(text<L, TextQuery::Media>)},
      {p + "GetMediaLotNo", fn(text<L, TextQuery::MediaLotNo>)},
      {p + "GetColorDataVersion", fn(text<L, TextQuery::ColorDataVersion>)},
      {p + "GetColorDataChecksum", fn(text<L, TextQuery::ColorDataChecksum>)},
      {p + "GetMediaCounter", fn(number<L, NumberQuery::MediaCounter>)},
      {p + "GetMediaColorOffset", fn(colorOffset<L>)},
      {p + "GetPQTY", fn(number<L, NumberQuery::PQTY>)},
      {p + "GetCounterL", fn(number<L, NumberQuery::CounterL>)},
      {p + "GetCounterA", fn(number<L, NumberQuery::CounterA>)},
      {p + "GetCounterB", fn(number<L, NumberQuery::CounterB>)},
      {p + "GetResolutionH", fn(number<L, NumberQuery::ResolutionH>)},
      {p + "GetResolutionV", fn(number<L, NumberQuery::ResolutionV>)},
      {p + "GetFreeBuffer", fn(number<L, NumberQuery::FreeBuffer>)},
      {p + "SetFirmwUpdateMode", fn(updateMode<L>)},
      {p + "SetFirmwDataWrite", fn(firmwareWrite<L>)},
      {p + "GetStatus", fn(status<L>)},
  };
}

const std::map<std::string, F>& exportsOf(int library) {
  static const std::map<std::string, F> qm = [] {
    auto m = shared<0>("Qm");
    m["QmInitialize"] = fn(init<0>);
    m["QmSetColorDataVersion"] = fn(colorVersion);
    m["QmSetColorDataWrite"] = fn(colorWrite);
    return m;
  }();
  static const std::map<std::string, F> qn = [] {
    auto m = shared<1>("");
    m["PortInitialize"] = fn(init<1>);
    m["GetMediaIdSetInfo"] = fn(mediaIdSet);
    return m;
  }();
  return library == 0 ? qm : qn;
}

sim::Config configOf(const std::vector<RigPrinter>& printers, sim::Family family) {
  sim::Config config;
  for (const RigPrinter& p : printers) {
    if (p.family != family) continue;
    sim::PrinterConfig c;
    c.port = p.port;
    c.family = family;
    c.faults = p.faults;
    c.statusAnswer = p.statusAnswer;
    config.printers.push_back(c);
  }
  return config;
}

}  // namespace

CoreLoader::CoreLoader(qmstat::Monitor& qm, qmstat::Monitor& qn) : qmMonitor_(qm), qnMonitor_(qn) { unloadAll(); }

void CoreLoader::unloadAll() {
  ++unloads;
  qm_ = std::make_unique<qmstat::StatusLibrary>();
  qn_ = std::make_unique<qmstat::StatusLibrary>();
  qm_->attach(&qmMonitor_);
  qn_->attach(&qnMonitor_);
  g_lib[0] = qm_.get();
  g_lib[1] = qn_.get();
}

CoreLoader::~CoreLoader() { g_lib[0] = g_lib[1] = nullptr; }

void* CoreLoader::load(const char* fileName) {
  const std::string name = fileName;
  if (name == "QmStat.dll") return &g_lib[0];
  if (name == "QnStat.dll") return &g_lib[1];
  return nullptr;
}

updater::LibraryLoader::Function CoreLoader::find(void* library, const char* name) {
  const auto& table = exportsOf(library == &g_lib[0] ? 0 : 1);
  auto it = table.find(name);
  return it == table.end() ? nullptr : it->second;
}

Rig::Rig(const std::vector<RigPrinter>& printers)
    : qmSim_(configOf(printers, sim::Family::QM), simClock_), qnSim_(configOf(printers, sim::Family::QN), simClock_) {
  for (const RigPrinter& p : printers) {
    this->printers.names.push_back(p.name);
    this->printers.records[p.name] = {true, p.attributes, p.port + u'\0', {}};
  }
  static const std::string qmFirmware = sim::makeSampleFirmware(sim::Family::QM);
  static const std::string qnFirmware = sim::makeSampleFirmware(sim::Family::QN);
  static const std::vector<uint8_t> qmd = sim::makeSampleColorData();
  files.put(sim::firmwareFileName(sim::Family::QM), qmFirmware);
  files.put(sim::firmwareFileName(sim::Family::QN), qnFirmware);
  files.files[std::string(sim::kColorDataFileName)] = {updater::FileStatus::Ok, qmd};
}

Rig::~Rig() = default;

int Rig::run(std::vector<std::string> args) {
  const ParsedArguments parsed = parseArguments(args);
  if (!parsed.arguments) return exitCode(Outcome::BadUsage);
  // A program run: the libraries are loaded afresh, the printers keep their state.
  CoreLoader loader(qmMonitor_, qnMonitor_);
  Tool tool{printers, loader,    files, codePage, clock, runGuard, output,  *this,
            *this,    *this,     caseRules, runs, &runs, nullptr,  processes};
  return runCommand(*parsed.arguments, tool);
}

std::string FakeCaseRules::upper(std::string_view text) const {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<uint8_t>(text[i]);
    if (b >= 'a' && b <= 'z') {
      out += static_cast<char>(b - 32);
    } else if (b == 0xC3 && i + 1 < text.size() && static_cast<uint8_t>(text[i + 1]) >= 0xA0 &&
               static_cast<uint8_t>(text[i + 1]) <= 0xBE && static_cast<uint8_t>(text[i + 1]) != 0xB7) {
      out += text[i];
      out += static_cast<char>(text[++i] - 0x20);  // à-þ to À-Þ
    } else if (b == 0xD0 && i + 1 < text.size() && static_cast<uint8_t>(text[i + 1]) >= 0xB0 &&
               static_cast<uint8_t>(text[i + 1]) <= 0xBF) {
      out += text[i];
      out += static_cast<char>(text[++i] - 0x20);  // а-п to А-П
    } else if (b == 0xD1 && i + 1 < text.size() && static_cast<uint8_t>(text[i + 1]) >= 0x80 &&
               static_cast<uint8_t>(text[i + 1]) <= 0x8F) {
      out += static_cast<char>(0xD0);
      out += static_cast<char>(text[++i] + 0x20);  // р-я to Р-Я
    } else {
      out += text[i];
    }
  }
  return out;
}

const sim::PrinterState& Rig::printer(sim::Family family, std::u16string_view port) {
  return *(family == sim::Family::QM ? qmSim_ : qnSim_).printer(port);
}

}  // namespace qmqn::testing
