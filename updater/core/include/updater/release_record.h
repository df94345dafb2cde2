// The release files a package was built with, recorded inside its programs
// (so a signature of the program covers the record): a firmware or colour
// control data file whose bytes differ from the recorded ones in any way is
// refused before the printer's first command. A program built without a
// record (developer and test builds) reads the files as they are.
#pragma once
#include <optional>
#include <span>
#include <string_view>

#include "updater/sha256.h"

namespace updater {

struct RecordedFile {
  std::string_view name;
  std::string_view sha256;  // lower-case hexadecimal
};

struct ReleaseRecord {
  std::span<const RecordedFile> files;  // empty: nothing recorded
};

// What this program was built with; each program links one definition.
const ReleaseRecord& builtInRelease();

enum class RecordCheck { Recorded, NotRecorded, Differs };
// Recorded: the record holds the file with these bytes, or holds nothing.
RecordCheck checkRecord(const ReleaseRecord& record, std::string_view name, std::span<const uint8_t> bytes);

}  // namespace updater
