// Command frames of the maintenance command set: ESC, a 7-character group, a
// 16-character name field, an 8-character length field, then the payload.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qmstat {

inline constexpr char kEsc = 27;
inline constexpr size_t kHeaderSize = 32;
inline constexpr size_t kLengthFieldSize = 8;
inline constexpr size_t kReplyHeaderSize = 8;

// The frames that go out whole. Their texts (after ESC) live in one table.
enum class Frame {
  Status,
  Version,
  SensorInfo,
  Media,
  MediaLotNo,
  SerialNo,
  PQTY,
  CounterL,
  CounterA,
  CounterB,
  ResolutionH,
  ResolutionV,
  FreeBuffer,
  MediaCounter,
  MediaColorOffset,
  ClearCounterA,
  ClearCounterB,
  CutterHeader,
  FlashRewrite,
  ColorDataVersionRead,
  ColorDataChecksum,
  ColorDataClear,
  MediaIdSet,
  Count
};

// The whole frame, ESC included (32 bytes, or 36 for the counter clears).
std::string_view frameBytes(Frame frame);

// Heads of the multi-piece frames, each sent as one piece.
inline constexpr std::string_view kTableWriteHead{"\x1bPTBL_WT", 8};
inline constexpr std::string_view kFlashProgramHead{"\x1bPFW_UPDFLASH_PROGRAM   ", 24};
inline constexpr std::string_view kBlockWriteHead{"\x1bPTBL_WTCTRLD_UPDATE_QN ", 24};
inline constexpr std::string_view kVersionNameField{"Version         ", 16};

// Writes value as 8 zero-filled ASCII decimal digits. False (nothing
// written) when the value does not fit, since the digit rule would silently
// announce a wrong length.
bool formatLengthField(int64_t value, char out[kLengthFieldSize]);

}  // namespace qmstat
