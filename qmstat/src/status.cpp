#include "frames.h"
#include "number_parse.h"
#include "status_library.h"

namespace qmstat {
namespace {

struct StatusRow {
  int32_t answer;
  uint32_t code;
};

constexpr StatusRow kPlainStatus[] = {
    {0, 0x10001},    {1, 0x10002},    {2, 0x10004},    {1100, 0x10008}, {1200, 0x10010},
    {500, 0x10020},  {1000, 0x20001}, {1300, 0x20002}, {1400, 0x20004}, {1500, 0x20008},
    {1600, 0x20010}, {2000, 0x40001}, {2100, 0x40002}, {2200, 0x40004}, {2300, 0x40008},
    {2400, 0x40010}, {2500, 0x40020}, {2600, 0x40040}, {2700, 0x40080}, {2800, 0x40100},
    {3000, 0x80001},
};

constexpr StatusRow kFuStatus[] = {
    {1, 0x100001}, {2, 0x100002}, {3, 0x100004}, {100, 0x100008}, {200, 0x100010}, {300, 0x100020},
};

// QnStat's QmGetStatus: the same with FU101 where FU100 stands.
constexpr StatusRow kFuStatusQnLegacy[] = {
    {1, 0x100001}, {2, 0x100002}, {3, 0x100004}, {101, 0x100008}, {200, 0x100010}, {300, 0x100020},
};

template <size_t N>
uint32_t lookup(const StatusRow (&rows)[N], std::optional<int32_t> answer) {
  if (!answer) return kStatusNone;
  for (const StatusRow& row : rows) {
    if (row.answer == *answer) return row.code;
  }
  return kStatusNone;
}

}  // namespace

uint32_t StatusLibrary::getStatus(int32_t handle, FuTable table) {
  const int32_t n = exchangeIntoReply(handle, frameBytes(Frame::Status));
  if (n < 0) return kStatusNone;
  const auto size = static_cast<size_t>(n);
  if (size >= 2 && reply_[0] == 'F' && reply_[1] == 'U') {
    const auto answer = parseAfterPrefix(reply_, size, "FU");
    return table == FuTable::Standard ? lookup(kFuStatus, answer) : lookup(kFuStatusQnLegacy, answer);
  }
  return lookup(kPlainStatus, parseLong(reply_, size));
}

}  // namespace qmstat
