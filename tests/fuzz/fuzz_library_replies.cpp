// Every reply path of the status library core, with replies of any length and
// content. The input is a sequence of exchanges: a selector byte, a reported
// byte count, then the reply frame; consecutive exchanges check that nothing
// of an earlier, longer reply is read again.
#include <cstdint>
#include <cstring>
#include <memory>

#include "QmStat.h"
#include "status_library.h"

namespace {

class ScriptMonitor : public qmstat::Monitor {
 public:
  const uint8_t* reply = nullptr;
  size_t replySize = 0;
  uint32_t reported = 0;
  bool overrideCount = false;
  int32_t result = 1;

  int32_t ioControl(const char16_t*, uint32_t code, const void*, uint32_t, void* out, uint32_t outSize,
                    uint32_t* returned) override {
    *returned = 0;
    if (code != qmstat::kExchangeCode) return result;
    const size_t n = replySize < outSize ? replySize : outSize;
    if (n != 0) std::memcpy(out, reply, n);
    *returned = overrideCount ? reported : static_cast<uint32_t>(n);
    return result;
  }
};

void check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ScriptMonitor monitor;
  auto lib = std::make_unique<qmstat::StatusLibrary>();
  lib->attach(&monitor);
  const int32_t h = lib->initialize(u"USB001");
  auto text = std::make_unique<char[]>(QMSTAT_TEXT_BUFFER_SIZE);

  size_t at = 0;
  while (at + 4 <= size) {
    const uint8_t selector = data[at];
    const uint8_t flags = data[at + 1];
    const size_t length = (size_t{data[at + 2]} << 8 | data[at + 3]) % 5000;
    at += 4;
    monitor.reply = data + at;
    monitor.replySize = length < size - at ? length : size - at;
    at += monitor.replySize;
    monitor.overrideCount = flags & 1;
    monitor.reported = static_cast<uint32_t>(flags) * 37;
    monitor.result = (flags & 2) ? 0 : 1;

    std::memset(text.get(), 0x7F, QMSTAT_TEXT_BUFFER_SIZE);
    const int query = selector % 21;
    if (query < 7) {
      const int32_t n = lib->textQuery(h, static_cast<qmstat::TextQuery>(query), text.get());
      check(n <= 4088 || n == 20);
      if (n >= 0) check(std::memchr(text.get(), 0, 4090) != nullptr);
    } else if (query < 15) {
      lib->numberQuery(h, static_cast<qmstat::NumberQuery>(query - 7));
    } else if (query == 15) {
      const uint32_t s = lib->getStatus(h, qmstat::FuTable::Standard);
      check(s == qmstat::kStatusNone || (s & 0xFFE00000u) == 0);
    } else if (query == 16) {
      lib->getStatus(h, qmstat::FuTable::QnLegacy);
    } else if (query == 17) {
      lib->mediaColorOffset(h);
    } else if (query == 18) {
      lib->mediaIdSetInfo(h);
    } else {
      // A caller's own small destination: the copy must respect its capacity.
      uint8_t dest[64];
      const uint32_t capacity = flags % 65;
      const int32_t n = lib->getCommandEx(h, "q", 1, dest, capacity);
      check(n <= static_cast<int32_t>(capacity));
    }
  }
  return 0;
}
