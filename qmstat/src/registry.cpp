#include "status_library.h"

namespace qmstat {

void StatusLibrary::attach(Monitor* monitor) {
  monitor_ = monitor;
  count_ = 0;
}

void StatusLibrary::detach() {
  count_ = 0;
}

int32_t StatusLibrary::initialize(const char16_t* portName) {
  if (portName == nullptr) return -1;
  int length = 0;
  while (length < kPortNameUnits && portName[length] != u'\0') ++length;
  if (length == kPortNameUnits) return -1;  // no room for the NUL

  for (int32_t i = 0; i < count_; ++i) {
    const char16_t* entry = registry_[i];
    int k = 0;
    while (k < length && entry[k] == portName[k]) ++k;
    if (k == length && entry[k] == u'\0') return i + 1;
  }
  if (count_ == kMaxPorts) return -1;

  char16_t* entry = registry_[count_];
  for (int k = 0; k < length; ++k) entry[k] = portName[k];
  entry[length] = u'\0';
  return ++count_;
}

const char16_t* StatusLibrary::portOf(int32_t handle) const {
  if (handle < 1 || handle > count_) return nullptr;
  return registry_[handle - 1];
}

}  // namespace qmstat
