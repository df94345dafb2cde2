// What the updater knows of the printer it serves and of the run: the release
// it brings, the family found, the values read and how each compares with
// the release, the steps, the progress, what Start and Close may do and how
// the run ended. The start-up check and the run keep it; front ends read it.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "updater/status_binding.h"

namespace updater {

enum class Family : int16_t { None = 0, Qm = 1, Qn = 2 };

struct Release {
  std::string_view familyCode;
  std::string_view firmwareFile;
  std::string_view firmwareVersion;
  std::string_view colorDataFile;  // empty: no colour control data
  std::string_view colorDataChecksum;
};

inline constexpr Release kQmRelease{"QM", "QM_M0500S0500.S", "QM_MASTER 5.00  QM_SLAVE  5.00",
                                    "QM0210.QMD", "FF32"};
inline constexpr Release kQnRelease{"QN", "QN_M0200S0200.S", "QN_MASTER 2.00  QN_SLAVE  2.00", "",
                                    ""};

// Every family but QM is served by QnStat and its release.
inline const Release& releaseOf(Family family) {
  return family == Family::Qm ? kQmRelease : kQnRelease;
}
// Null for a printer of neither family: nothing to compare with.
inline const Release* releaseFor(Family family) {
  return family == Family::None ? nullptr : &releaseOf(family);
}

// A value as the updater shows it after reading it from the printer.
enum class Verdict { NotCompared, Same, Differs };
struct ReadValue {
  std::optional<std::string> text;  // none: nothing read to show
  Verdict verdict = Verdict::NotCompared;
};

// How the start-up check ended. The first two end the program of a window.
enum class CheckEnd { PortInUse, BadHandle, NotQmQn, PrinterError, UpdateDue, UpToDate };

enum class RunEnd {
  BadFile,  // a firmware or QMD file failed its check; the printer was not touched
  StatusNotReady,
  FirmwareFailed,
  ColorDataFailed,
  Complete,
  Ignored,  // a run was in progress, or Start was not allowed
};

// Why a run refused a release file before the printer's first command.
enum class FileProblem {
  NotOpened,
  TooLarge,
  NotValid,
  Changed,  // not the bytes this package was built with
};
struct RefusedFile {
  std::string name;
  FileProblem problem = FileProblem::NotOpened;
};

// The update steps, numbered 1 to kStepCount as they are shown; the last one
// (colour control data) is QM's only.
inline constexpr int kStepCount = 5;
// A step is reached when it first opens; open until it closes; done once
// closed. Steps are not reset between runs, so an open step may be done from
// an earlier one.
struct StepState {
  bool reached = false;
  bool open = false;
  bool done = false;
};

struct UpdateState {
  std::string printer;  // device name
  std::string port;     // as the spooler reports it
  bool japanese = false;
  Family family = Family::None;
  int32_t portHandle = 0;
  uint32_t status = kStatusNone;  // the status the check decided by
  std::optional<CheckEnd> checkEnd;
  // As last read: by the check, then by a run. A run forgets the values
  // it will read again when it starts.
  ReadValue firmware;
  ReadValue colorDataVersion;
  ReadValue colorDataChecksum;
  bool updateDue = false;
  // No colour control data transfer is needed after the firmware.
  bool colorDataCurrent = false;
  std::array<StepState, kStepCount> steps{};
  float progress = 0.0f;
  bool startAllowed = false;
  bool closeAllowed = false;
  bool running = false;
  std::optional<RunEnd> runEnd;
  std::optional<RefusedFile> refusedFile;  // with RunEnd::BadFile
  bool recordFailed = false;  // the run's record on the host could not be written
  std::string notice;  // the last one given
};

}  // namespace updater
