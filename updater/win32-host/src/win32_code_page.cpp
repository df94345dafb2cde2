#include "win32_host.h"
#include "win32_text.h"

namespace updater::win32 {

bool AnsiCodePage::isLeadByte(uint8_t byte) const { return IsDBCSLeadByte(byte) != FALSE; }

std::string AnsiCodePage::toUtf8(std::string_view ansi) const {
  return wideToUtf8(ansiToWide(ansi));
}

}  // namespace updater::win32
