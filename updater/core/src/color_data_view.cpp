#include "updater/color_data_view.h"

#include "updater/text_query.h"

namespace updater {

void showPrinterColorData(const Services& s, const UpdaterState& state) {
  StatusBinding& lib = s.library(state.family);
  QueryBuffer versionBuffer;
  const int32_t versionCount = lib.getColorDataVersion(state.portHandle, versionBuffer.bytes);
  if (versionCount > 0) {
    s.window.setText(Element::Text3, upperCase(trimBlanks(replyText(versionBuffer, versionCount, s.codePage))));
  }
  QueryBuffer checksumBuffer;
  const int32_t checksumCount = lib.getColorDataChecksum(state.portHandle, checksumBuffer.bytes);
  if (checksumCount > 0) {
    s.window.setText(Element::Text4,
                     upperCase(trimBlanks(replyText(checksumBuffer, kChecksumLength, s.codePage))));
  }
}

}  // namespace updater
