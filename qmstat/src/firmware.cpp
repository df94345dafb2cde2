#include "frames.h"
#include "status_library.h"

namespace qmstat {

int32_t StatusLibrary::setFirmwUpdateMode(int32_t handle) {
  return sendFrame(handle, frameBytes(Frame::FlashRewrite));
}

int32_t StatusLibrary::setFirmwDataWrite(int32_t handle, const void* image, uint32_t length) {
  char digits[kLengthFieldSize];
  if ((image == nullptr && length != 0) || !formatLengthField(length, digits)) return -1;
  if (sendFrame(handle, kFlashProgramHead) == 0) return -1;
  if (setCommand(handle, digits, sizeof digits) == 0) return -1;
  // The caller's image goes to the monitor as it lies, in one send.
  return setCommand(handle, image, length);
}

}  // namespace qmstat
