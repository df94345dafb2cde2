#include "frames.h"

namespace qmstat {
namespace {

using namespace std::string_view_literals;

// Indexed by Frame. The counter clears carry CR and NUL in their payload.
constexpr std::string_view kFrames[] = {
    "\x1bPSTATUS                        "sv,
    "\x1bPINFO  FVER                    "sv,
    "\x1bPINFO  SENSOR                  "sv,
    "\x1bPINFO  MEDIA                   "sv,
    "\x1bPINFO  MLOT                    "sv,
    "\x1bPINFO  SERIAL_NUMBER           "sv,
    "\x1bPINFO  PQTY                    "sv,
    "\x1bPMNT_RDCOUNTER_LIFE            "sv,
    "\x1bPMNT_RDCOUNTER_A               "sv,
    "\x1bPMNT_RDCOUNTER_B               "sv,
    "\x1bPINFO  RESOLUTION_H            "sv,
    "\x1bPINFO  RESOLUTION_V            "sv,
    "\x1bPINFO  FREE_PBUFFER            "sv,
    "\x1bPINFO  MQTY                    "sv,
    "\x1bPINFO  MCOLOR                  "sv,
    "\x1bPMNT_WTCOUNTER_CLEAR   00000004CA\r\0"sv,
    "\x1bPMNT_WTCOUNTER_CLEAR   00000004CB\r\0"sv,
    "\x1bPCNTRL CUTTER          00000008"sv,
    "\x1bPFW_UPDFLASH_REWRITE           "sv,
    "\x1bPTBL_RDVersion         00000000"sv,
    "\x1bPMNT_RDCTRLD_CHKSUM    00000000"sv,
    "\x1bPTBL_CL                00000000"sv,
    "\x1bPMNT_RDMEDIA_ID_SET    00000000"sv,
};
static_assert(std::size(kFrames) == static_cast<size_t>(Frame::Count));

constexpr bool allFramesWellFormed() {
  for (std::string_view f : kFrames) {
    if (f.size() < kHeaderSize || f[0] != kEsc) return false;
  }
  return true;
}
static_assert(allFramesWellFormed());

}  // namespace

std::string_view frameBytes(Frame frame) {
  return kFrames[static_cast<size_t>(frame)];
}

bool formatLengthField(int64_t value, char out[kLengthFieldSize]) {
  if (value < 0 || value > 99999999) return false;
  for (int k = static_cast<int>(kLengthFieldSize) - 1; k >= 0; --k) {
    out[k] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return true;
}

}  // namespace qmstat
