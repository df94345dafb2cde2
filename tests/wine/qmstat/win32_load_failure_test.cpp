// `load_failure <status DLL> <monitor DLL>`: run beside a status DLL whose
// monitor is missing or lacks MonitorIoControl. The load must fail with
// ERROR_DLL_INIT_FAILED and leave no monitor module behind.
#include <windows.h>

#include <string>

#include "wine_check.h"

int main(int argc, char** argv) {
  if (!CHECK(argc == 3)) return wine_check::finish("load_failure");
  const std::string name = std::string("load_failure ") + argv[1];
  SetLastError(0);
  HMODULE dll = LoadLibraryA(argv[1]);
  const DWORD error = GetLastError();
  CHECK_FOR(dll == nullptr, argv[1]);
  CHECK_EQ(error, ERROR_DLL_INIT_FAILED);
  CHECK_FOR(GetModuleHandleA(argv[1]) == nullptr, argv[1]);
  CHECK_FOR(GetModuleHandleA(argv[2]) == nullptr, argv[2]);
  return wine_check::finish(name.c_str());
}
