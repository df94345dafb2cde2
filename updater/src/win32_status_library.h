// A status library bound by file name at the first call of one of its
// exports; a library that can't be loaded answers like NullStatusBinding.
#pragma once
#include <memory>

#include "updater/export_binding.h"
#include "updater/status_binding.h"

namespace updater::win32 {

class StatusLibrary final : public StatusBinding {
 public:
  // fileName: "QmStat.dll" with ExportSet::Qm, "QnStat.dll" with ExportSet::Qn.
  StatusLibrary(const char* fileName, ExportSet set) : fileName_(fileName), set_(set) {}

  int32_t initialize(const char16_t* portName) override { return bound().initialize(portName); }
  uint32_t getStatus(int32_t handle) override { return bound().getStatus(handle); }
  int32_t getFirmwVersion(int32_t handle, char* text) override {
    return bound().getFirmwVersion(handle, text);
  }
  int32_t setFirmwUpdateMode(int32_t handle) override { return bound().setFirmwUpdateMode(handle); }
  int32_t setFirmwDataWrite(int32_t handle, const void* image, uint32_t length) override {
    return bound().setFirmwDataWrite(handle, image, length);
  }
  int32_t getColorDataVersion(int32_t handle, char* text) override {
    return bound().getColorDataVersion(handle, text);
  }
  int32_t getColorDataChecksum(int32_t handle, char* text) override {
    return bound().getColorDataChecksum(handle, text);
  }
  int32_t setColorDataVersion(int32_t handle, const char* text, int32_t length) override {
    return bound().setColorDataVersion(handle, text, length);
  }
  int32_t setColorDataWrite(int32_t handle, const void* image, uint32_t size) override {
    return bound().setColorDataWrite(handle, image, size);
  }

 private:
  StatusBinding& bound();

  const char* fileName_;
  ExportSet set_;
  std::unique_ptr<StatusBinding> binding_;
};

}  // namespace updater::win32
