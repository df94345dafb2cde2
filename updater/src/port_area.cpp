#include "updater/port_area.h"

namespace updater {

std::string usablePortName(uint32_t attributes, std::string_view portField) {
  if ((attributes & kAttributeWorkOffline) != 0 || (attributes & kAttributeEnableBidi) == 0) {
    return {};
  }
  const size_t end = portField.find('\0');
  if (end == std::string_view::npos || end >= kPortAreaSize) return {};
  return std::string(portField.substr(0, end));
}

}  // namespace updater
