// A status binding over the exports of a loaded library. The Win32 layer
// fills StatusExports from GetProcAddress (Qm names for QmStat.dll, plain
// names for QnStat.dll); a table with any entry missing gives the null
// binding, so a half-usable library never gets called.
#pragma once
#include <memory>

#include "QmStat.h"
#include "updater/status_binding.h"

namespace updater {

struct StatusExports {
  int32_t(QMSTAT_CALL* initialize)(const QmPortChar*) = nullptr;
  uint32_t(QMSTAT_CALL* getStatus)(int32_t) = nullptr;
  int32_t(QMSTAT_CALL* getFirmwVersion)(int32_t, char*) = nullptr;
  int32_t(QMSTAT_CALL* setFirmwUpdateMode)(int32_t) = nullptr;
  int32_t(QMSTAT_CALL* setFirmwDataWrite)(int32_t, const void*, uint32_t) = nullptr;
  int32_t(QMSTAT_CALL* getColorDataVersion)(int32_t, char*) = nullptr;
  int32_t(QMSTAT_CALL* getColorDataChecksum)(int32_t, char*) = nullptr;
  // QmStat only; QN runs never call them, so QnStat may leave them empty.
  int32_t(QMSTAT_CALL* setColorDataVersion)(int32_t, const char*, int32_t) = nullptr;
  int32_t(QMSTAT_CALL* setColorDataWrite)(int32_t, const void*, uint32_t) = nullptr;
};

enum class ExportSet { Qm, Qn };

// Null binding unless every export the family needs is present.
std::unique_ptr<StatusBinding> makeExportBinding(const StatusExports& exports, ExportSet set);

}  // namespace updater
