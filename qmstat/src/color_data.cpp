#include <cstring>
#include <new>
#include <vector>

#include "color_tables.h"
#include "frames.h"
#include "status_library.h"

namespace qmstat {

int32_t StatusLibrary::writeTable(int32_t handle, const ColorTable& table, const uint8_t* image) {
  char digits[kLengthFieldSize];
  formatLengthField(table.payloadLength, digits);

  // Values go out high byte first; what the form leaves over is zero.
  uint8_t payload[512] = {};
  for (uint32_t v = 0; v < table.valueCount; ++v) {
    const uint8_t* value = image + table.firstOffset + v * table.valueStride;
    payload[2 * v] = value[1];
    payload[2 * v + 1] = value[0];
  }

  if (sendFrame(handle, kTableWriteHead) == 0) return 0;
  if (setCommand(handle, table.nameField, sizeof table.nameField) == 0) return 0;
  if (setCommand(handle, digits, sizeof digits) == 0) return 0;
  return setCommand(handle, payload, table.payloadLength);
}

int32_t StatusLibrary::setColorDataWrite(int32_t handle, const void* image, uint32_t size) {
  // The layout is fixed; a shorter image would be read past its end.
  if (image == nullptr || size < kColorImageSize) return -1;
  for (const ColorTable& table : colorTables()) {
    if (writeTable(handle, table, static_cast<const uint8_t*>(image)) == 0) return -1;
  }
  return 1;
}

int32_t StatusLibrary::setColorDataBlock(int32_t handle, const void* image, uint32_t size) {
  return sendBlock(handle, kBlockWriteHead, image, size);
}

int32_t StatusLibrary::setColorDataVersion(int32_t handle, const char* text, int32_t length) {
  if (length < 0 || (text == nullptr && length != 0)) return -1;
  const int64_t padded = (int64_t{length} + 15) / 16 * 16;
  char digits[kLengthFieldSize];
  if (!formatLengthField(padded, digits)) return -1;

  // The text goes out zero-filled to a multiple of 16 in one send; the
  // command buffer holds all but absurdly long versions.
  std::vector<uint8_t> large;
  uint8_t* area = command_;
  if (padded > static_cast<int64_t>(sizeof command_)) {
    try {
      large.resize(static_cast<size_t>(padded));
    } catch (const std::bad_alloc&) {
      return -1;
    }
    area = large.data();
  }

  if (sendFrame(handle, kTableWriteHead) == 0) return -1;
  if (setCommand(handle, kVersionNameField.data(), kVersionNameField.size()) == 0) return -1;
  if (setCommand(handle, digits, sizeof digits) == 0) return -1;
  if (length > 0) std::memcpy(area, text, static_cast<size_t>(length));
  std::memset(area + length, 0, static_cast<size_t>(padded - length));
  return setCommand(handle, area, static_cast<uint32_t>(padded));
}

int32_t StatusLibrary::setColorDataClear(int32_t handle) {
  return sendFrame(handle, frameBytes(Frame::ColorDataClear));
}

}  // namespace qmstat
