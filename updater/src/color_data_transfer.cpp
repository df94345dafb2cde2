#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "updater/text_query.h"
#include "updater/texts.h"
#include "updater/transfers.h"

namespace updater {
namespace {

constexpr size_t kChecksumWidth = 4;

// The checksum field keeps exactly four characters, blank-filled.
std::string checksumField(std::string_view reply) {
  size_t end = 0;
  size_t characters = 0;
  while (end < reply.size() && characters < kChecksumWidth) {
    ++end;
    while (end < reply.size() && (static_cast<uint8_t>(reply[end]) & 0xC0) == 0x80) ++end;
    ++characters;
  }
  std::string field(reply.substr(0, end));
  field.append(kChecksumWidth - characters, ' ');
  return field;
}

}  // namespace

Transfer transferColorData(const Services& s, const UpdaterState& state, std::string_view fileName,
                           Element expectedVersionLabel, Element expectedChecksumLabel) {
  Window& w = s.window;
  StatusBinding& lib = s.library(state.family);
  w.setProgress(90.0f);

  FileContents file = s.files.read(fileName, kColorFileLimit);
  if (!s.clock.yield()) return Transfer::WindowClosed;
  if (file.status != FileStatus::Ok || file.bytes.empty() || file.bytes.size() > kColorFileLimit) {
    const bool tooLarge = file.status == FileStatus::TooLarge || file.bytes.size() > kColorFileLimit;
    s.messages.show(fileMessage(fileName, tooLarge ? FileProblem::TooLarge : FileProblem::NotOpened));
    return Transfer::Failed;
  }
  auto image = std::make_unique<uint8_t[]>(kColorImageCapacity);
  const size_t n = file.bytes.size();
  std::memcpy(image.get(), file.bytes.data(), n);
  file.bytes = {};
  const size_t length = n % 4 == 0 ? n : n + (4 - n % 4);

  const std::string name(fileName);
  lib.setColorDataVersion(state.portHandle, name.c_str(), static_cast<int32_t>(name.size()));
  lib.setColorDataWrite(state.portHandle, image.get(), static_cast<uint32_t>(length));
  image.reset();

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
