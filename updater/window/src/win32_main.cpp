// QMQN_VerUpTool: Form1 is made hidden, loads (start-up check with the port
// dialog), and is shown unless the check ended the program.
#include <windows.h>

#include "updater/export_binding.h"
#include "updater/updater.h"
#include "window/automation.h"
#include "win32_dll_search.h"
#include "win32_form1.h"
#include "win32_host.h"
#include "win32_message_boxes.h"
#include "win32_port_dialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace updater;
  win32::restrictDllSearch();
  std::unique_ptr<win32::Form1> form = win32::Form1::create(instance);
  if (!form) return 1;

  win32::SystemLibraryLoader loader;
  ExportBinding qm(loader, ExportSet::Qm);
  ExportBinding qn(loader, ExportSet::Qn);
  win32::SpoolerPrinters printers;
  win32::PortSettingDialog portDialog(instance);
  win32::MessageBoxWindows messages(*form);
  win32::ModuleDirectoryFiles files;
  win32::AnsiCodePage codePage;
  win32::PumpingClock clock([&form](MSG& msg) { form->dispatch(msg); });
  win32::PowerRunGuard runGuard([&form] { return form->handle(); }, kRunGuardProperty);
  const Services services{*form, qm, qn, printers, portDialog, messages, files, codePage, clock, runGuard};
  Updater updater(services);
  form->setEvents({[&updater] { updater.startClicked(); },
                   [&updater] { updater.label4DoubleClicked(); }});

  if (endsProgram(updater.load())) return 0;
  form->show();
  MSG msg;
  int exitCode = 0;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    form->dispatch(msg);
  }
  return exitCode;
}
