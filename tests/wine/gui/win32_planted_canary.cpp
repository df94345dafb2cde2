// A DLL that must never be loaded: placed in the current directory or on PATH
// under a monitor's or a status library's name. Loaded all the same, it
// leaves "<its own path>.loaded" beside itself.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 16] = {};
  const DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return TRUE;
  lstrcatW(path, L".loaded");
  HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  return TRUE;
}

// What a monitor offers, so that a status library would take it.
extern "C" BOOL WINAPI MonitorIoControl(LPCWSTR, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD returned) {
  if (returned) *returned = 0;
  return FALSE;
}
