// Minimal checks for the test programs run under Wine: each failure prints a
// line, and the program's exit code is 1 when any check failed.
#pragma once
#include <cstdio>
#include <string>

namespace wine_check {

inline int& failures() {
  static int count = 0;
  return count;
}

inline bool record(bool ok, const char* what, const char* file, int line, const char* about = nullptr) {
  if (!ok) {
    ++failures();
    std::printf("FAILED %s:%d: %s%s%s\n", file, line, what, about ? " for " : "", about ? about : "");
  }
  return ok;
}

inline bool recordEqual(long long got, long long want, const char* what, const char* file, int line) {
  if (got != want) {
    ++failures();
    std::printf("FAILED %s:%d: %s: got %lld (0x%llx), want %lld (0x%llx)\n", file, line, what, got,
                static_cast<unsigned long long>(got), want, static_cast<unsigned long long>(want));
  }
  return got == want;
}

inline std::string printable(const std::string& bytes) {
  std::string out;
  char hex[8];
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  return out;
}

inline bool recordBytes(const std::string& got, const std::string& want, const char* what, const char* file,
                        int line) {
  if (got != want) {
    ++failures();
    std::printf("FAILED %s:%d: %s:\n  got  \"%s\"\n  want \"%s\"\n", file, line, what, printable(got).c_str(),
                printable(want).c_str());
  }
  return got == want;
}

inline int finish(const char* name) {
  std::printf("%s: %s (%d failed checks)\n", name, failures() == 0 ? "passed" : "FAILED", failures());
  return failures() == 0 ? 0 : 1;
}

}  // namespace wine_check

#define CHECK(cond) ::wine_check::record((cond), #cond, __FILE__, __LINE__)
#define CHECK_FOR(cond, about) ::wine_check::record((cond), #cond, __FILE__, __LINE__, (about))
#define CHECK_EQ(got, want) \
  ::wine_check::recordEqual(static_cast<long long>(got), static_cast<long long>(want), #got, __FILE__, __LINE__)
#define CHECK_BYTES(got, want) ::wine_check::recordBytes((got), (want), #got, __FILE__, __LINE__)
