#include "updater/export_binding.h"

namespace updater {
namespace {

class ExportBinding final : public StatusBinding {
 public:
  explicit ExportBinding(const StatusExports& exports) : e_(exports) {}

  int32_t initialize(const char16_t* portName) override {
    // QmPortChar is wchar_t on Windows, char16_t elsewhere: both UTF-16 units.
    static_assert(sizeof(QmPortChar) == sizeof(char16_t));
    return e_.initialize(reinterpret_cast<const QmPortChar*>(portName));
  }
  uint32_t getStatus(int32_t h) override { return e_.getStatus(h); }
  int32_t getFirmwVersion(int32_t h, char* text) override { return e_.getFirmwVersion(h, text); }
  int32_t setFirmwUpdateMode(int32_t h) override { return e_.setFirmwUpdateMode(h); }
  int32_t setFirmwDataWrite(int32_t h, const void* image, uint32_t length) override {
    return e_.setFirmwDataWrite(h, image, length);
  }
  int32_t getColorDataVersion(int32_t h, char* text) override {
    return e_.getColorDataVersion(h, text);
  }
  int32_t getColorDataChecksum(int32_t h, char* text) override {
    return e_.getColorDataChecksum(h, text);
  }
  int32_t setColorDataVersion(int32_t h, const char* text, int32_t length) override {
    return e_.setColorDataVersion ? e_.setColorDataVersion(h, text, length) : -1;
  }
  int32_t setColorDataWrite(int32_t h, const void* image, uint32_t size) override {
    return e_.setColorDataWrite ? e_.setColorDataWrite(h, image, size) : -1;
  }

 private:
  StatusExports e_;
};

bool complete(const StatusExports& e, ExportSet set) {
  const bool common = e.initialize && e.getStatus && e.getFirmwVersion && e.setFirmwUpdateMode &&
                      e.setFirmwDataWrite && e.getColorDataVersion && e.getColorDataChecksum;
  if (set == ExportSet::Qn) return common;
  return common && e.setColorDataVersion && e.setColorDataWrite;
}

}  // namespace

std::unique_ptr<StatusBinding> makeExportBinding(const StatusExports& exports, ExportSet set) {
  if (!complete(exports, set)) return std::make_unique<NullStatusBinding>();
  return std::make_unique<ExportBinding>(exports);
}

}  // namespace updater
