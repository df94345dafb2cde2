// Process attach binds the language monitor named by QMSTAT_MONITOR_NAME and
// hands it to the DLL's status library; without the monitor or its
// MonitorIoControl the DLL refuses to load.
#include <windows.h>

#include <cstdint>
#include <string>

#include "library_instance.h"
#include "monitor.h"

#ifndef QMSTAT_MONITOR_NAME
#error "QMSTAT_MONITOR_NAME must name the language monitor DLL"
#endif
#define QMSTAT_WIDEN2(text) L##text
#define QMSTAT_WIDEN(text) QMSTAT_WIDEN2(text)
#define QMSTAT_MONITOR_WIDE_NAME QMSTAT_WIDEN(QMSTAT_MONITOR_NAME)

namespace {

using MonitorIoControlFn = BOOL(WINAPI*)(LPCWSTR port, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                         DWORD outSize, LPDWORD returned);

static_assert(sizeof(wchar_t) == sizeof(char16_t));
static_assert(sizeof(DWORD) == sizeof(uint32_t));

// The folder of a module's file, with its trailing backslash; empty on failure.
std::wstring folderOf(HMODULE module) {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring folder(path, n);
  const size_t slash = folder.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

// The printer driver installs the monitor in the system folder; the program's
// own folder may carry one too. The current directory and PATH are never
// searched: a DLL planted there must not be loaded into the caller.
HMODULE loadMonitor() {
  HMODULE module = LoadLibraryExA(QMSTAT_MONITOR_NAME, nullptr,
                                  LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // A loader without the search flags: the same two folders by full path.
  wchar_t system[MAX_PATH + 1] = {};
  const UINT n = GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring folders[] = {folderOf(nullptr), n > 0 && n < MAX_PATH ? std::wstring(system, n) + L"\\" : L""};
  for (const std::wstring& folder : folders) {
    if (folder.empty()) continue;
    const std::wstring path = folder + QMSTAT_MONITOR_WIDE_NAME;
    module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module != nullptr) return module;
  }
  return nullptr;
}

class MonitorBinding final : public qmstat::Monitor {
 public:
  bool bind() {
    HMODULE module = loadMonitor();
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
