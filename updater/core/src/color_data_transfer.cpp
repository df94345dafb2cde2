#include <string>

#include "updater/printer_values.h"
#include "updater/text_query.h"
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

Verdict verdictOf(bool same) { return same ? Verdict::Same : Verdict::Differs; }

}  // namespace

Transfer transferColorData(const Services& s, StateWriter& out, std::span<const uint8_t> image) {
  const UpdateState& state = out.state();
  StatusBinding& lib = s.library(state.family);
  out.progress(90.0f);
  s.clock.yield();

  // The file's name is the table's version.
  const std::string name(kQmRelease.colorDataFile);
  lib.setColorDataVersion(state.portHandle, name.c_str(), static_cast<int32_t>(name.size()));
  lib.setColorDataWrite(state.portHandle, image.data(), static_cast<uint32_t>(image.size()));

  // Shown as the printer reports it; the checksum is read only after a
  // version that matches.
  QueryBuffer versionBuffer;
  const int32_t versionCount = lib.getColorDataVersion(state.portHandle, versionBuffer.bytes);
  const std::string version = replyText(versionBuffer, versionCount, s.codePage);
  const bool versionSame = sameRelease(kQmRelease.colorDataFile, version);
  if (!versionSame) {
    out.colorDataRead({version, Verdict::Differs}, {});
    return Transfer::Failed;
  }
  QueryBuffer checksumBuffer;
  const int32_t checksumCount = lib.getColorDataChecksum(state.portHandle, checksumBuffer.bytes);
  const std::string checksum = checksumField(replyText(checksumBuffer, checksumCount, s.codePage));
  const bool checksumSame = sameRelease(kQmRelease.colorDataChecksum, checksum);
  out.colorDataRead({version, Verdict::Same}, {checksum, verdictOf(checksumSame)});
  return checksumSame ? Transfer::Succeeded : Transfer::Failed;
}

}  // namespace updater
