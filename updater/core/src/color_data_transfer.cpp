#include <string>

#include "updater/color_data_view.h"
#include "updater/text_query.h"
#include "updater/texts.h"
#include "updater/transfers.h"

namespace updater {
namespace {

// The checksum field keeps exactly four characters, blank-filled.
std::string checksumField(std::string_view reply) {
  size_t end = 0;
  size_t characters = 0;
  while (end < reply.size() && characters < kChecksumLength) {
    ++end;
    while (end < reply.size() && (static_cast<uint8_t>(reply[end]) & 0xC0) == 0x80) ++end;
    ++characters;
  }
  std::string field(reply.substr(0, end));
  field.append(kChecksumLength - characters, ' ');
  return field;
}

}  // namespace

Transfer transferColorData(const Services& s, const UpdaterState& state, std::span<const uint8_t> image,
                           std::string_view versionText, Element expectedVersionLabel,
                           Element expectedChecksumLabel) {
  Window& w = s.window;
  StatusBinding& lib = s.library(state.family);
  w.setProgress(90.0f);
  s.clock.yield();

  const std::string name(versionText);
  lib.setColorDataVersion(state.portHandle, name.c_str(), static_cast<int32_t>(name.size()));
  lib.setColorDataWrite(state.portHandle, image.data(), static_cast<uint32_t>(image.size()));

  w.setTextColour(Element::Text3, kBlack);
  w.setTextColour(Element::Text4, kBlack);
  QueryBuffer versionBuffer;
  const int32_t versionCount = lib.getColorDataVersion(state.portHandle, versionBuffer.bytes);
  const std::string version = replyText(versionBuffer, versionCount, s.codePage);
  w.setText(Element::Text3, version);
  if (!sameRelease(w.text(expectedVersionLabel), version)) {
    w.setTextColour(Element::Text3, kRed);
    return Transfer::Failed;
  }

  QueryBuffer checksumBuffer;
  const int32_t checksumCount = lib.getColorDataChecksum(state.portHandle, checksumBuffer.bytes);
  const std::string checksum = checksumField(replyText(checksumBuffer, checksumCount, s.codePage));
  w.setText(Element::Text4, checksum);
  if (!sameRelease(w.text(expectedChecksumLabel), checksum)) {
    w.setTextColour(Element::Text4, kRed);
    return Transfer::Failed;
  }
  return Transfer::Succeeded;
}

}  // namespace updater
