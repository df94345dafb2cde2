// frmPortSetting: the modal printer and language dialog, without owner.
#pragma once
#include <windows.h>

#include "window/dialogs.h"

namespace updater::win32 {

class PortSettingDialog final : public PortDialog {
 public:
  explicit PortSettingDialog(HINSTANCE instance) : instance_(instance) {}
  PortChoice show(std::span<const std::string> deviceNames) override;

 private:
  HINSTANCE instance_;
};

}  // namespace updater::win32
