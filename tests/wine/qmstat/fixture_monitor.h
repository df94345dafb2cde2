// Test fixture standing in for the language monitor (ZAPQMLM.DLL, ZAPQNLM.DLL):
// MonitorIoControl answers from a script and logs every call. Tests reach the
// control functions through the module the status DLL loaded.
#pragma once
#include <stdint.h>

#if defined(_WIN32)
#define FIXTURE_CALL __stdcall
#else
#define FIXTURE_CALL
#endif

struct FixtureCall {
  uint16_t port[32];       // NUL-terminated, cut at 31 code units
  uint32_t code;           // control code
  const void* input;       // the caller's pointer, as passed
  uint32_t inputSize;
  uint32_t outputSize;
};

extern "C" {
// Forget the log and the script.
typedef void(FIXTURE_CALL* FixtureResetFn)();
// The next unanswered call returns result; an exchange also receives reply
// (length bytes, cut to its output size). Unscripted calls return 1 with no reply.
typedef void(FIXTURE_CALL* FixtureScriptFn)(int32_t result, const void* reply, uint32_t length);
typedef int32_t(FIXTURE_CALL* FixtureCallCountFn)();
// 1 and *call filled for a logged call, 0 for a bad index.
typedef int32_t(FIXTURE_CALL* FixtureCallInfoFn)(int32_t index, FixtureCall* call);
// Copies up to capacity input bytes of a logged call; returns how many, -1 for a bad index.
typedef int32_t(FIXTURE_CALL* FixtureCallBytesFn)(int32_t index, void* dest, uint32_t capacity);
}
