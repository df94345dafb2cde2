#include "win32_host.h"

namespace updater::win32 {

void* SystemLibraryLoader::load(const char* fileName) { return LoadLibraryA(fileName); }

LibraryLoader::Function SystemLibraryLoader::find(void* library, const char* name) {
  FARPROC proc = GetProcAddress(static_cast<HMODULE>(library), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace updater::win32
