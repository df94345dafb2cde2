// A status binding straight over a library's exports: QmStat by its Qm names,
// QnStat by its plain names. It is bound at the first call, so a library is
// loaded only once a printer is probed. A table with any export the family
// needs missing answers like NullStatusBinding, so a half-usable library
// never gets called.
#pragma once
#include <memory>

#include "QmStat.h"
#include "updater/library_loader.h"
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

// The export names of StatusExports' entries, in its order; null: the family
// has no such export.
struct ExportNames {
  const char* fileName;
  const char* initialize;
  const char* getStatus;
  const char* getFirmwVersion;
  const char* setFirmwUpdateMode;
  const char* setFirmwDataWrite;
  const char* getColorDataVersion;
  const char* getColorDataChecksum;
  const char* setColorDataVersion;
  const char* setColorDataWrite;
};

inline constexpr ExportNames kQmExportNames{
    "QmStat.dll",          "QmInitialize",          "QmGetStatus",           "QmGetVersion",
    "QmSetFirmwUpdateMode", "QmSetFirmwDataWrite",  "QmGetColorDataVersion", "QmGetColorDataChecksum",
    "QmSetColorDataVersion", "QmSetColorDataWrite"};
inline constexpr ExportNames kQnExportNames{
    "QnStat.dll",         "PortInitialize",     "GetStatus",           "GetFirmwVersion",
    "SetFirmwUpdateMode", "SetFirmwDataWrite",  "GetColorDataVersion", "GetColorDataChecksum",
    nullptr,              nullptr};

constexpr const ExportNames& exportNames(ExportSet set) {
  return set == ExportSet::Qm ? kQmExportNames : kQnExportNames;
}

class ExportBinding final : public StatusBinding {
 public:
  // Over a table filled by the caller.
  ExportBinding(const StatusExports& exports, ExportSet set);
  // Loads the family's library through loader at the first call.
  ExportBinding(LibraryLoader& loader, ExportSet set) : loader_(&loader), set_(set) {}

  int32_t initialize(const char16_t* portName) override;
  uint32_t getStatus(int32_t handle) override;
  int32_t getFirmwVersion(int32_t handle, char* text) override;
  int32_t setFirmwUpdateMode(int32_t handle) override;
  int32_t setFirmwDataWrite(int32_t handle, const void* image, uint32_t length) override;
  int32_t getColorDataVersion(int32_t handle, char* text) override;
  int32_t getColorDataChecksum(int32_t handle, char* text) override;
  int32_t setColorDataVersion(int32_t handle, const char* text, int32_t length) override;
  int32_t setColorDataWrite(int32_t handle, const void* image, uint32_t size) override;

 private:
  // The table, or null when the library or one of its exports is missing.
  const StatusExports* bound();

  LibraryLoader* loader_ = nullptr;
  ExportSet set_;
  bool tried_ = false;
  bool complete_ = false;
  StatusExports exports_;
  NullStatusBinding none_;
};

// ExportBinding over a filled table, as a StatusBinding of its own.
std::unique_ptr<StatusBinding> makeExportBinding(const StatusExports& exports, ExportSet set);

}  // namespace updater
