// Where the program and the status libraries may load DLLs from: the
// program's own folder and the system folder, never the current directory or
// PATH, where anybody could have put a DLL of the same name.
#pragma once
#include <windows.h>

namespace updater::win32 {

// Call first, before anything is loaded by name.
void restrictDllSearch();

}  // namespace updater::win32
