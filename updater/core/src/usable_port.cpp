#include "updater/usable_port.h"

namespace updater {

std::u16string usablePortName(uint32_t attributes, std::u16string_view portField) {
  if ((attributes & kAttributeWorkOffline) != 0 || (attributes & kAttributeEnableBidi) == 0) {
    return {};
  }
  const size_t end = portField.find(u'\0');
  if (end == std::u16string_view::npos || end > kMaxPortNameUnits) return {};
  return std::u16string(portField.substr(0, end));
}

}  // namespace updater
