// QmStat.dll and QnStat.dll in one process: separate registries, separate
// monitors; an unload forgets the registrations.
#include <string>

#include "win32_status_dll.h"
#include "wine_check.h"

int main() {
  HMODULE qm = LoadLibraryA("QmStat.dll");
  HMODULE qn = LoadLibraryA("QnStat.dll");
  if (!CHECK(qm != nullptr && qn != nullptr)) return wine_check::finish("both_loaded");
  FixtureClient qmMonitor;
  FixtureClient qnMonitor;
  if (!CHECK(qmMonitor.bind("ZAPQMLM.DLL") && qnMonitor.bind("ZAPQNLM.DLL"))) return wine_check::finish("both_loaded");

  auto qmInit = STATUS_EXPORT(qm, QmInitialize, "QmInitialize");
  auto qnInit = STATUS_EXPORT(qn, QmInitialize, "PortInitialize");
  auto qmStatus = STATUS_EXPORT(qm, QmGetStatus, "QmGetStatus");
  auto qnStatus = STATUS_EXPORT(qn, GetStatus, "GetStatus");
  CHECK(reinterpret_cast<void*>(qmInit) != reinterpret_cast<void*>(STATUS_EXPORT(qn, QmInitialize, "QmInitialize")));

  CHECK_EQ(qmInit(L"USB001"), 1);
  CHECK_EQ(qnInit(L"USB001"), 1);
  CHECK_EQ(qmInit(L"USB002"), 2);
  CHECK_EQ(qnInit(L"USB009"), 2);
  CHECK_EQ(qmInit(L"USB009"), 3);

  qmMonitor.reset();
  qnMonitor.reset();
  qmMonitor.reply("0");
  qnMonitor.reply("FU100");
  CHECK_EQ(qmStatus(2), 0x10001);
  CHECK_EQ(qnStatus(2), 0x100008);
  auto qmCalls = qmMonitor.calls();
  auto qnCalls = qnMonitor.calls();
  if (CHECK_EQ(qmCalls.size(), 1) && CHECK_EQ(qnCalls.size(), 1)) {
    CHECK(qmCalls[0].port == L"USB002");
    CHECK(qnCalls[0].port == L"USB009");
  }

  // Unload and load again: the registry starts over.
  CHECK(FreeLibrary(qm));
  CHECK(GetModuleHandleA("QmStat.dll") == nullptr);
  qm = LoadLibraryA("QmStat.dll");
  if (!CHECK(qm != nullptr)) return wine_check::finish("both_loaded");
  qmInit = STATUS_EXPORT(qm, QmInitialize, "QmInitialize");
  CHECK_EQ(qmInit(L"USB009"), 1);
  CHECK_EQ(qnInit(L"USB009"), 2);
  CHECK(FreeLibrary(qm));
  CHECK(FreeLibrary(qn));
  return wine_check::finish("both_loaded");
}
