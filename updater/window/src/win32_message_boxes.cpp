#include "win32_message_boxes.h"

#include "updater/texts.h"
#include "win32_form1.h"
#include "win32_text.h"

namespace updater::win32 {

void MessageBoxWindows::show(std::string_view text) {
  HWND owner = form_.alive() && IsWindowVisible(form_.handle()) ? form_.handle() : nullptr;
  MessageBoxW(owner, utf8ToWide(text).c_str(), utf8ToWide(kProgramTitle).c_str(), MB_OK);
}

}  // namespace updater::win32
