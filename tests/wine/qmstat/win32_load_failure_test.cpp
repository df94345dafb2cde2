// `load_failure <status DLL> <monitor DLL> [planted dir]`: run beside a status
// DLL whose monitor is missing or lacks MonitorIoControl. The load must fail
// with ERROR_DLL_INIT_FAILED and leave no monitor module behind, also when a
// working monitor lies in the current directory and on PATH (planted dir):
// the library looks for it in the program's folder and the system folder only.
#include <windows.h>

#include <string>

#include "wine_check.h"

int main(int argc, char** argv) {
  if (!CHECK(argc == 3 || argc == 4)) return wine_check::finish("load_failure");
  std::string name = std::string("load_failure ") + argv[1];
  if (argc == 4) {
    name += " with a planted monitor";
    CHECK(SetCurrentDirectoryA(argv[3]) != FALSE);
    char path[32767] = {};
    const DWORD n = GetEnvironmentVariableA("PATH", path, sizeof path);
    CHECK(SetEnvironmentVariableA("PATH", (std::string(argv[3]) + ";" + std::string(path, n)).c_str()) != FALSE);
  }
  SetLastError(0);
  HMODULE dll = LoadLibraryA(argv[1]);
  const DWORD error = GetLastError();
  CHECK_FOR(dll == nullptr, argv[1]);
  CHECK_EQ(error, ERROR_DLL_INIT_FAILED);
  CHECK_FOR(GetModuleHandleA(argv[1]) == nullptr, argv[1]);
  CHECK_FOR(GetModuleHandleA(argv[2]) == nullptr, argv[2]);
  return wine_check::finish(name.c_str());
}
