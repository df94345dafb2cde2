#include "QmStatusTable.h"
#include "frames.h"
#include "number_parse.h"
#include "status_library.h"

namespace qmstat {
namespace {

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
