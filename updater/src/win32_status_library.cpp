#include "win32_status_library.h"

#include <windows.h>

namespace updater::win32 {
namespace {

struct ExportNames {
  const char* initialize;
  const char* getStatus;
  const char* getFirmwVersion;
  const char* setFirmwUpdateMode;
  const char* setFirmwDataWrite;
  const char* getColorDataVersion;
  const char* getColorDataChecksum;
  const char* setColorDataVersion;  // null: not used for the family
  const char* setColorDataWrite;
};

constexpr ExportNames kQmNames{"QmInitialize",         "QmGetStatus",
                               "QmGetVersion",         "QmSetFirmwUpdateMode",
                               "QmSetFirmwDataWrite",  "QmGetColorDataVersion",
                               "QmGetColorDataChecksum", "QmSetColorDataVersion",
                               "QmSetColorDataWrite"};
constexpr ExportNames kQnNames{"PortInitialize",      "GetStatus",           "GetFirmwVersion",
                               "SetFirmwUpdateMode",  "SetFirmwDataWrite",   "GetColorDataVersion",
                               "GetColorDataChecksum", nullptr,              nullptr};

template <typename F>
void resolve(HMODULE module, const char* name, F& target) {
  if (!name) return;
  FARPROC proc = GetProcAddress(module, name);
  // Through a generic pointer: FARPROC and the export's type differ.
  target = reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

StatusBinding& StatusLibrary::bound() {
  if (binding_) return *binding_;
  HMODULE module = LoadLibraryA(fileName_);
  if (!module) {
    binding_ = std::make_unique<NullStatusBinding>();
    return *binding_;
  }
  const ExportNames& names = set_ == ExportSet::Qm ? kQmNames : kQnNames;
  StatusExports exports;
  resolve(module, names.initialize, exports.initialize);
  resolve(module, names.getStatus, exports.getStatus);
  resolve(module, names.getFirmwVersion, exports.getFirmwVersion);
  resolve(module, names.setFirmwUpdateMode, exports.setFirmwUpdateMode);
  resolve(module, names.setFirmwDataWrite, exports.setFirmwDataWrite);
  resolve(module, names.getColorDataVersion, exports.getColorDataVersion);
  resolve(module, names.getColorDataChecksum, exports.getColorDataChecksum);
  resolve(module, names.setColorDataVersion, exports.setColorDataVersion);
  resolve(module, names.setColorDataWrite, exports.setColorDataWrite);
  binding_ = makeExportBinding(exports, set_);
  return *binding_;
}

}  // namespace updater::win32
