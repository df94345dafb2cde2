#include <cstring>

#include "frames.h"
#include "number_parse.h"
#include "status_library.h"

namespace qmstat {
namespace {

enum class TextResult { LengthMinusOne, Length, Fixed20 };

struct TextQueryRule {
  Frame frame;
  size_t copyFrom;  // the media reply's first two bytes are not handed out
  TextResult result;
};

// Indexed by TextQuery.
constexpr TextQueryRule kTextQueries[] = {
    {Frame::Version, 0, TextResult::LengthMinusOne},
    {Frame::SensorInfo, 0, TextResult::LengthMinusOne},
    {Frame::Media, 2, TextResult::LengthMinusOne},
    {Frame::MediaLotNo, 0, TextResult::Fixed20},
    {Frame::SerialNo, 0, TextResult::LengthMinusOne},
    {Frame::ColorDataVersionRead, 0, TextResult::Length},
    {Frame::ColorDataChecksum, 0, TextResult::LengthMinusOne},
};

struct NumberQueryRule {
  Frame frame;
  std::string_view prefix;
};

// Indexed by NumberQuery.
constexpr NumberQueryRule kNumberQueries[] = {
    {Frame::PQTY, "PQTY"},       {Frame::CounterL, "CL"},    {Frame::CounterA, "CA"},
    {Frame::CounterB, "CB"},     {Frame::ResolutionH, "RH"}, {Frame::ResolutionV, "RV"},
    {Frame::FreeBuffer, "FPB"},  {Frame::MediaCounter, "MQTY"},
};

}  // namespace

int32_t StatusLibrary::textQuery(int32_t handle, TextQuery query, char* text) {
  if (text == nullptr) return -1;
  const TextQueryRule& rule = kTextQueries[static_cast<size_t>(query)];
  std::memset(reply_, 0, sizeof reply_);
  if (exchangeIntoReply(handle, frameBytes(rule.frame)) < 0) return -1;

  // A payload holds at most 4088 bytes of the zeroed 4096, so a NUL always ends the text.
  const char* reply = reinterpret_cast<const char*>(reply_);
  const auto length = static_cast<int32_t>(strnlen(reply, sizeof reply_));
  const size_t copied = strnlen(reply + rule.copyFrom, sizeof reply_ - rule.copyFrom);
  std::memcpy(text, reply + rule.copyFrom, copied);
  text[copied] = '\0';

  switch (rule.result) {
    case TextResult::LengthMinusOne: return length - 1;
    case TextResult::Length: return length;
    case TextResult::Fixed20: return 20;
  }
  return -1;
}

int32_t StatusLibrary::numberQuery(int32_t handle, NumberQuery query) {
  const NumberQueryRule& rule = kNumberQueries[static_cast<size_t>(query)];
  const int32_t n = exchangeIntoReply(handle, frameBytes(rule.frame));
  if (n < 0) return -1;
  return parseAfterPrefix(reply_, static_cast<size_t>(n), rule.prefix).value_or(0);
}

int32_t StatusLibrary::mediaColorOffset(int32_t handle) {
  const int32_t n = exchangeIntoReply(handle, frameBytes(Frame::MediaColorOffset));
  if (n < 0) return -1;
  if (n < 6) return 0;  // too short to carry the offset: no stale bytes are read
  const uint32_t value = (uint32_t{reply_[2]} << 24) | (uint32_t{reply_[3]} << 16) |
                         (uint32_t{reply_[4]} << 8) | uint32_t{reply_[5]};
  return static_cast<int32_t>(value);
}

int32_t StatusLibrary::mediaIdSetInfo(int32_t handle) {
  const int32_t n = exchangeIntoReply(handle, frameBytes(Frame::MediaIdSet));
  if (n < 0) return -1;
  return parseAfterPrefix(reply_, static_cast<size_t>(n), "MDID").value_or(-1);
}

int32_t StatusLibrary::clearCounter(int32_t handle, Counter counter) {
  return sendFrame(handle, frameBytes(counter == Counter::A ? Frame::ClearCounterA : Frame::ClearCounterB));
}

int32_t StatusLibrary::setCutterMode(int32_t handle, int32_t mode) {
  char digits[kLengthFieldSize];
  // A mode the eight digits cannot carry would reach the printer as another mode.
  if (!formatLengthField(mode, digits)) return -1;
  if (sendFrame(handle, frameBytes(Frame::CutterHeader)) == 0) return -1;
  return setCommand(handle, digits, sizeof digits);
}

}  // namespace qmstat
