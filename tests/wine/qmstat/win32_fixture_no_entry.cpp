// A monitor stand-in that loads but lacks MonitorIoControl.
#include <windows.h>

extern "C" BOOL WINAPI MonitorIoControlMissing() { return TRUE; }
