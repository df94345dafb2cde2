#include "win32_host.h"

namespace updater::win32 {

void* SystemLibraryLoader::load(const char* fileName) {
  HMODULE module = LoadLibraryA(fileName);
  if (module != nullptr) loaded_.push_back(module);
  return module;
}

LibraryLoader::Function SystemLibraryLoader::find(void* library, const char* name) {
  FARPROC proc = GetProcAddress(static_cast<HMODULE>(library), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

void SystemLibraryLoader::unloadAll() {
  for (HMODULE module : loaded_) FreeLibrary(module);
  loaded_.clear();
}

}  // namespace updater::win32
