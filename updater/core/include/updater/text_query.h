// Reading the libraries' text replies safely, and the comparison rules for
// release constants.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "updater/host.h"
#include "updater/status_binding.h"

namespace updater {

// A fresh, zeroed buffer of kQueryBufferSize bytes for one library call.
struct QueryBuffer {
  char bytes[kQueryBufferSize] = {};
};

// The first `count` bytes of the reply (none when count <= 0), never past
// the buffer, the first NUL, or into half a double-byte character; as UTF-8.
std::string replyText(const QueryBuffer& buffer, int32_t count, const CodePage& codePage);

// Blanks (U+0020) removed at both ends.
std::string_view trimBlanks(std::string_view text);
// ASCII letters to upper case; other bytes unchanged.
std::string upperCase(std::string_view text);
// Trimmed, exact, case-sensitive.
bool sameRelease(std::string_view expected, std::string_view actual);

}  // namespace updater
