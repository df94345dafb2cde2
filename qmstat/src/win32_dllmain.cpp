// Process attach binds the language monitor named by QMSTAT_MONITOR_NAME and
// hands it to the DLL's status library; without the monitor or its
// MonitorIoControl the DLL refuses to load.
#include <windows.h>

#include <cstdint>

#include "library_instance.h"
#include "monitor.h"

#ifndef QMSTAT_MONITOR_NAME
#error "QMSTAT_MONITOR_NAME must name the language monitor DLL"
#endif

namespace {

using MonitorIoControlFn = BOOL(WINAPI*)(LPCWSTR port, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                         DWORD outSize, LPDWORD returned);

static_assert(sizeof(wchar_t) == sizeof(char16_t));
static_assert(sizeof(DWORD) == sizeof(uint32_t));

class MonitorBinding final : public qmstat::Monitor {
 public:
  bool bind() {
    HMODULE module = LoadLibraryA(QMSTAT_MONITOR_NAME);
    if (module == nullptr) return false;
    // Through void(*)() so that the compiler accepts the cast of FARPROC.
    auto entry = reinterpret_cast<MonitorIoControlFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "MonitorIoControl")));
    if (entry == nullptr) {
      FreeLibrary(module);
      return false;
    }
    entry_ = entry;
    return true;
  }

  int32_t ioControl(const char16_t* port, uint32_t code, const void* in, uint32_t inSize, void* out,
                    uint32_t outSize, uint32_t* returned) override {
    if (entry_ == nullptr) return 0;
    DWORD count = returned != nullptr ? *returned : 0;
    const BOOL result = entry_(reinterpret_cast<LPCWSTR>(port), code, const_cast<void*>(in), inSize, out,
                               outSize, &count);
    if (returned != nullptr) *returned = count;
    return static_cast<int32_t>(result);
  }

 private:
  MonitorIoControlFn entry_ = nullptr;
};

// The monitor stays loaded until the process ends, so the binding does too.
MonitorBinding& monitorBinding() {
  static constinit MonitorBinding binding;
  return binding;
}

}  // namespace

// Thread notifications stay on: the statically linked runtime may need them.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*self*/, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      if (!monitorBinding().bind()) return FALSE;
      qmstat::libraryInstance().attach(&monitorBinding());
      return TRUE;
    case DLL_PROCESS_DETACH:
      qmstat::libraryInstance().detach();
      return TRUE;
    default:
      return TRUE;
  }
}
