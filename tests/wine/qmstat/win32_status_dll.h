// Loads a status DLL from the test program's directory and resolves its
// exports by name, typed after the chief header.
#pragma once
#include <windows.h>

#include "QmStat.h"
#include "win32_fixture_client.h"

#define STATUS_EXPORT(module, type, name) exportOf<decltype(&::type)>((module), (name))

inline std::string esc(const std::string& rest) { return "\x1b" + rest; }
inline std::string spaces(size_t n) { return std::string(n, ' '); }
