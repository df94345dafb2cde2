#include "updater/release_record.h"

namespace updater {

RecordCheck checkRecord(const ReleaseRecord& record, std::string_view name, std::span<const uint8_t> bytes) {
  if (record.files.empty()) return RecordCheck::Recorded;
  for (const RecordedFile& file : record.files) {
    if (file.name == name) return hexOf(sha256(bytes)) == file.sha256 ? RecordCheck::Recorded : RecordCheck::Differs;
  }
  return RecordCheck::NotRecorded;
}

}  // namespace updater
