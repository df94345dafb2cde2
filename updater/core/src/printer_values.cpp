#include "updater/printer_values.h"

#include "updater/text_query.h"

namespace updater {

std::optional<std::string> readFirmwareVersion(const Services& s, const UpdateState& state) {
  QueryBuffer buffer;
  const int32_t count = s.library(state.family).getFirmwVersion(state.portHandle, buffer.bytes);
  if (count < 0) return std::nullopt;
  return replyText(buffer, count, s.codePage);
}

PrinterColorData readShownColorData(const Services& s, const UpdateState& state) {
  StatusBinding& lib = s.library(state.family);
  PrinterColorData shown;
  QueryBuffer versionBuffer;
  const int32_t versionCount = lib.getColorDataVersion(state.portHandle, versionBuffer.bytes);
  if (versionCount > 0) {
    shown.version = upperCase(trimBlanks(replyText(versionBuffer, versionCount, s.codePage)));
  }
  QueryBuffer checksumBuffer;
  const int32_t checksumCount = lib.getColorDataChecksum(state.portHandle, checksumBuffer.bytes);
  if (checksumCount > 0) {
    shown.checksum = upperCase(trimBlanks(replyText(checksumBuffer, kChecksumLength, s.codePage)));
  }
  return shown;
}

}  // namespace updater
