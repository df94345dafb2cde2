// The updater's shared state and release constants.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace updater {

enum class Family : int16_t { None = 0, Qm = 1, Qn = 2 };

struct UpdaterState {
  // Every usable printer is listed, however many the host has.
  std::vector<std::string> printerNames;
  int selectedPrinterIndex = 0;
  bool portDialogCancelled = false;
  bool useJapanese = false;
  Family family = Family::None;
  int32_t portHandle = 0;
  bool colorDataCurrent = false;  // Form1's flag
};

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

}  // namespace updater
