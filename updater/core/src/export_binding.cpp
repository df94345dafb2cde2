#include "updater/export_binding.h"

namespace updater {
namespace {

bool complete(const StatusExports& e, ExportSet set) {
  const bool common = e.initialize && e.getStatus && e.getFirmwVersion && e.setFirmwUpdateMode &&
                      e.setFirmwDataWrite && e.getColorDataVersion && e.getColorDataChecksum;
  if (set == ExportSet::Qn) return common;
  return common && e.setColorDataVersion && e.setColorDataWrite;
}

template <typename F>
void find(LibraryLoader& loader, void* library, const char* name, F& target) {
  if (!name) return;
  // Through the loader's generic function type: each export has its own.
  target = reinterpret_cast<F>(loader.find(library, name));
}

}  // namespace

ExportBinding::ExportBinding(const StatusExports& exports, ExportSet set)
    : set_(set), tried_(true), complete_(complete(exports, set)), exports_(exports) {}

const StatusExports* ExportBinding::bound() {
  if (!tried_) {
    tried_ = true;
    const ExportNames& n = exportNames(set_);
    void* library = loader_->load(n.fileName);
    if (library) {
      StatusExports& e = exports_;
      find(*loader_, library, n.initialize, e.initialize);
      find(*loader_, library, n.getStatus, e.getStatus);
      find(*loader_, library, n.getFirmwVersion, e.getFirmwVersion);
      find(*loader_, library, n.setFirmwUpdateMode, e.setFirmwUpdateMode);
      find(*loader_, library, n.setFirmwDataWrite, e.setFirmwDataWrite);
      find(*loader_, library, n.getColorDataVersion, e.getColorDataVersion);
      find(*loader_, library, n.getColorDataChecksum, e.getColorDataChecksum);
      find(*loader_, library, n.setColorDataVersion, e.setColorDataVersion);
      find(*loader_, library, n.setColorDataWrite, e.setColorDataWrite);
      complete_ = complete(exports_, set_);
    }
  }
  return complete_ ? &exports_ : nullptr;
}

int32_t ExportBinding::initialize(const char16_t* portName) {
  // QmPortChar is wchar_t on Windows, char16_t elsewhere: both UTF-16 units.
  static_assert(sizeof(QmPortChar) == sizeof(char16_t));
  const StatusExports* e = bound();
  return e ? e->initialize(reinterpret_cast<const QmPortChar*>(portName)) : none_.initialize(portName);
}

uint32_t ExportBinding::getStatus(int32_t h) {
  const StatusExports* e = bound();
  return e ? e->getStatus(h) : none_.getStatus(h);
}

int32_t ExportBinding::getFirmwVersion(int32_t h, char* text) {
  const StatusExports* e = bound();
  return e ? e->getFirmwVersion(h, text) : none_.getFirmwVersion(h, text);
}

int32_t ExportBinding::setFirmwUpdateMode(int32_t h) {
  const StatusExports* e = bound();
  return e ? e->setFirmwUpdateMode(h) : none_.setFirmwUpdateMode(h);
}

int32_t ExportBinding::setFirmwDataWrite(int32_t h, const void* image, uint32_t length) {
  const StatusExports* e = bound();
  return e ? e->setFirmwDataWrite(h, image, length) : none_.setFirmwDataWrite(h, image, length);
}

int32_t ExportBinding::getColorDataVersion(int32_t h, char* text) {
  const StatusExports* e = bound();
  return e ? e->getColorDataVersion(h, text) : none_.getColorDataVersion(h, text);
}

int32_t ExportBinding::getColorDataChecksum(int32_t h, char* text) {
  const StatusExports* e = bound();
  return e ? e->getColorDataChecksum(h, text) : none_.getColorDataChecksum(h, text);
}

int32_t ExportBinding::setColorDataVersion(int32_t h, const char* text, int32_t length) {
  const StatusExports* e = bound();
  if (!e || !e->setColorDataVersion) return none_.setColorDataVersion(h, text, length);
  return e->setColorDataVersion(h, text, length);
}

int32_t ExportBinding::setColorDataWrite(int32_t h, const void* image, uint32_t size) {
  const StatusExports* e = bound();
  if (!e || !e->setColorDataWrite) return none_.setColorDataWrite(h, image, size);
  return e->setColorDataWrite(h, image, size);
}

std::unique_ptr<StatusBinding> makeExportBinding(const StatusExports& exports, ExportSet set) {
  return std::make_unique<ExportBinding>(exports, set);
}

}  // namespace updater
