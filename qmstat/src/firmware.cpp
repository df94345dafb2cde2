#include "frames.h"
#include "status_library.h"

namespace qmstat {

int32_t StatusLibrary::setFirmwUpdateMode(int32_t handle) {
  return sendFrame(handle, frameBytes(Frame::FlashRewrite));
}

int32_t StatusLibrary::setFirmwDataWrite(int32_t handle, const void* image, uint32_t length) {
  return sendBlock(handle, kFlashProgramHead, image, length);
}

int32_t StatusLibrary::sendBlock(int32_t handle, std::string_view head, const void* payload, uint32_t length) {
  char digits[kLengthFieldSize];
  if ((payload == nullptr && length != 0) || !formatLengthField(length, digits)) return -1;
  if (sendFrame(handle, head) == 0) return -1;
  if (setCommand(handle, digits, sizeof digits) == 0) return -1;
  // The caller's bytes go to the monitor as they lie, in one send.
  return setCommand(handle, payload, length);
}

}  // namespace qmstat
