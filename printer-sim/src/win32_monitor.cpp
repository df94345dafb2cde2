// MonitorIoControl of the stand-in language monitor. The simulator behind it
// is this DLL's one global, created at the first call (not in DllMain, which
// must not read files under the loader lock).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "printer_sim/simulator.h"
#include "win32_files.h"

namespace printer_sim {
namespace {

#if defined(PRINTER_SIM_FAMILY_QN)
constexpr Family kFamily = Family::QN;
#else
constexpr Family kFamily = Family::QM;
#endif

class TickClock final : public Clock {
public:
  uint64_t nowMs() override { return GetTickCount64(); }
};

struct Monitor {
  explicit Monitor(const std::wstring& base) : store(base + L".state") {
    Config config = defaultConfig(kFamily);
    std::vector<std::string> errors;
    if (auto text = readWholeFile(base + L".ini")) {
      ConfigResult parsed = parseConfig(*text, kFamily);
      config = std::move(parsed.config);
      errors = std::move(parsed.errors);
    }
    if (!config.traceFile.empty()) {
      std::wstring name = widen(config.traceFile);
      bool absolute = name.size() > 1 && (name[1] == L':' || name[0] == L'\\' || name[0] == L'/');
      if (!absolute) {
        std::size_t slash = base.find_last_of(L"\\/");
        name = (slash == std::wstring::npos ? std::wstring() : base.substr(0, slash + 1)) + name;
      }
      trace = std::make_unique<FileTraceSink>(name);
      for (const auto& e : errors) trace->write("configuration " + e);
    }
    simulator = std::make_unique<Simulator>(std::move(config), clock, &store, trace.get());
  }

  TickClock clock;
  FileStateStore store;
  std::unique_ptr<FileTraceSink> trace;
  std::unique_ptr<Simulator> simulator;
  std::mutex mutex;
};

Monitor& monitor() {
  static Monitor instance(ownModuleBasePath());
  return instance;
}

}  // namespace
}  // namespace printer_sim

extern "C" BOOL WINAPI MonitorIoControl(LPCWSTR port, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                        DWORD outSize, LPDWORD returned) {
  try {
    auto& m = printer_sim::monitor();
    std::lock_guard<std::mutex> lock(m.mutex);
    uint32_t count = 0;
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 port names");
    int32_t ok = m.simulator->ioControl(reinterpret_cast<const char16_t*>(port), code, in, inSize, out, outSize,
                                        returned ? &count : nullptr);
    if (returned) *returned = count;
    return ok ? TRUE : FALSE;
  } catch (...) {
    if (returned) *returned = 0;
    return FALSE;
  }
}
