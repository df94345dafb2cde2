#include "updater/run_files.h"

#include "updater/texts.h"

namespace updater {
namespace {

class YieldPacer final : public BuildPacer {
 public:
  explicit YieldPacer(Clock& clock) : clock_(clock) {}
  void pace() override { clock_.yield(); }

 private:
  Clock& clock_;
};

LeadBytes leadBytesOf(const CodePage& codePage) {
  LeadBytes lead{};
  for (size_t b = 0; b < lead.size(); ++b) lead[b] = codePage.isLeadByte(static_cast<uint8_t>(b));
  return lead;
}

struct FileCheck {
  Transfer result = Transfer::Succeeded;
  FileProblem problem = FileProblem::NotOpened;
};

constexpr FileCheck rejected(FileProblem problem) { return {Transfer::Failed, problem}; }

FileProblem problemOf(FileStatus status) {
  return status == FileStatus::TooLarge ? FileProblem::TooLarge : FileProblem::NotOpened;
}

// A file that can't be read, is empty, or is not the one the program's
// release record holds.
std::optional<FileProblem> unusable(const Services& s, std::string_view fileName, const FileContents& file) {
  if (file.status != FileStatus::Ok) return problemOf(file.status);
  if (file.bytes.empty()) return FileProblem::NotOpened;
  if (s.record && checkRecord(*s.record, fileName, file.bytes) != RecordCheck::Recorded) return FileProblem::Changed;
  return std::nullopt;
}

RunFileDigest digestOf(std::string_view name, const FileContents& file) {
  if (file.status == FileStatus::Ok) return {std::string(name), hexOf(sha256(file.bytes))};
  return {std::string(name), file.status == FileStatus::Missing ? "missing" : "unreadable"};
}

FileCheck buildFirmware(const Services& s, std::string_view fileName, RunFiles& files) {
  // A file larger than the image buffer can't fit, whatever its records.
  FileContents file = s.files.read(fileName, kFirmwareImageCapacity);
  files.digests.push_back(digestOf(fileName, file));
  FirmwareImage& image = files.firmware;
  if (const auto problem = unusable(s, fileName, file)) return rejected(*problem);
  YieldPacer pacer(s.clock);
  image = buildFirmwareImage(file.bytes, leadBytesOf(s.codePage), &pacer);
  switch (image.result) {
    case ImageResult::Built:
      return {};
    case ImageResult::TooLarge:
      return rejected(FileProblem::TooLarge);
    case ImageResult::DoubleByte:
    case ImageResult::UnclosedQuote:
      return rejected(FileProblem::NotValid);
  }
  return rejected(FileProblem::NotValid);
}

FileCheck readColorData(const Services& s, std::string_view fileName, RunFiles& files) {
  FileContents file = s.files.read(fileName, kColorFileLimit);
  files.digests.push_back(digestOf(fileName, file));
  std::vector<uint8_t>& image = files.colorData;
  if (const auto problem = unusable(s, fileName, file)) return rejected(*problem);
  if (file.bytes.size() > kColorFileLimit) return rejected(FileProblem::TooLarge);
  if (file.bytes.size() < kColorFileMinimum) return rejected(FileProblem::NotValid);
  image = std::move(file.bytes);
  image.resize((image.size() + 3) / 4 * 4, 0);
  return {};
}

}  // namespace

std::optional<RefusedFile> changedReleaseFile(ProgramFiles& files, const ReleaseRecord& record) {
  for (const RecordedFile& recorded : record.files) {
    const FileContents file = files.read(recorded.name, kFirmwareImageCapacity);
    if (file.status == FileStatus::Missing) continue;
    if (file.status != FileStatus::Ok || checkRecord(record, recorded.name, file.bytes) != RecordCheck::Recorded) {
      return RefusedFile{std::string(recorded.name), FileProblem::Changed};
    }
  }
  return std::nullopt;
}

void showTransmissionData(const Services& s, StateWriter& out) {
  out.openStep(1);
  out.progress(5.0f);
  s.clock.yield();
  out.progress(10.0f);
  s.clock.yield();
}

Transfer readRunFiles(const Services& s, StateWriter& out, RunFiles& files) {
  const UpdateState& state = out.state();
  const Release& release = releaseOf(state.family);
  std::string_view fileName = release.firmwareFile;
  FileCheck check = buildFirmware(s, fileName, files);
  if (check.result == Transfer::Succeeded && colorDataDue(state)) {
    fileName = release.colorDataFile;
    check = readColorData(s, fileName, files);
  }
  if (check.result != Transfer::Failed) return check.result;
  files.firmware = {};
  files.colorData.clear();
  out.state().refusedFile = RefusedFile{std::string(fileName), check.problem};
  showTransmissionData(s, out);
  out.notice(fileMessage(fileName, check.problem));
  return Transfer::Failed;
}

}  // namespace updater
