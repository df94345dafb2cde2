// QMQN_VerUpTool: Form1 is made hidden, loads (start-up check with the port
// dialog), and is shown unless the check ended the program.
#include <windows.h>

#include "updater/export_binding.h"
#include "updater/release_record.h"
#include "updater/updater.h"
#include "window/automation.h"
#include "window/form1_load.h"
#include "window/form1_view.h"
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
  Form1View view(*form, messages);
  win32::ModuleDirectoryFiles files;
  win32::AnsiCodePage codePage;
  win32::PumpingClock clock([&form](MSG& msg) { form->dispatch(msg); });
  win32::PowerRunGuard runGuard([&form] { return form->handle(); }, kRunGuardProperty);
  win32::RunFolderJournal journal;
  const Services services{view, qm, qn, printers, files, codePage, clock, runGuard, &builtInRelease(), &journal};
  Updater updater(services);
  // The double click on the expected version is the hidden way to Start.
  form->setEvents({[&updater] { updater.start(); }, [&updater] { updater.allowStart(); }});

  if (endsProgram(loadForm1(updater, portDialog, messages))) return 0;
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
