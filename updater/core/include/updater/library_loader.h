// How a status library is reached on the host: loaded by file name, its
// exports found by name. The Win32 side is LoadLibrary and GetProcAddress.
#pragma once

namespace updater {

class LibraryLoader {
 public:
  using Function = void (*)();
  // Null when the library can't be loaded. A loaded library stays loaded
  // until unloadAll.
  virtual void* load(const char* fileName) = 0;
  // Null when the library has no export of that name.
  virtual Function find(void* library, const char* name) = 0;
  // Lets every library this loader loaded go; nothing found in them may be
  // called after. The window never calls it; qmqn gives each printer the
  // libraries afresh with it.
  virtual void unloadAll() = 0;

 protected:
  ~LibraryLoader() = default;
};

}  // namespace updater
