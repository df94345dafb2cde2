// The built status library against the built simulator monitor, in a
// directory of their own: status, version, rewrite mode, firmware image,
// ready with the new version, colour control data written and read back.
// Usage: sim_stack_test QM|QN [again] (run in the directory holding the DLLs);
// "again" starts from the state the first run left and checks that the
// printer still reports the update.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "QmStat.h"
#include "printer_sim/sample_data.h"

namespace {

int failures = 0;

#define CHECK(cond)                                                    \
  do {                                                                 \
    if (!(cond)) {                                                     \
      ++failures;                                                      \
      std::printf("FAILED line %d: %s\n", __LINE__, #cond);            \
    }                                                                  \
  } while (0)
#define CHECK_EQ(got, want)                                                                       \
  do {                                                                                            \
    long long g_ = static_cast<long long>(got), w_ = static_cast<long long>(want);                \
    if (g_ != w_) {                                                                               \
      ++failures;                                                                                 \
      std::printf("FAILED line %d: %s = %lld (0x%llx), want %lld\n", __LINE__, #got, g_,          \
                  static_cast<unsigned long long>(g_), w_);                                       \
    }                                                                                             \
  } while (0)
#define CHECK_TEXT(buf, n, want)                                                                  \
  do {                                                                                            \
    std::string g_(buf, static_cast<std::size_t>((n) > 0 ? (n) : 0));                             \
    if (g_ != (want)) {                                                                           \
      ++failures;                                                                                 \
      std::printf("FAILED line %d: %s = \"%s\", want \"%s\"\n", __LINE__, #buf, g_.c_str(),       \
                  std::string(want).c_str());                                                     \
    }                                                                                             \
  } while (0)

constexpr uint32_t kReady = 0x10001, kRewrite = 0x100001, kNone = 0x80000000u;

template <typename F>
F exportOf(HMODULE module, const char* name) {
  FARPROC p = GetProcAddress(module, name);
  if (!p) {
    ++failures;
    std::printf("FAILED: export %s missing\n", name);
  }
  return reinterpret_cast<F>(reinterpret_cast<void*>(p));
}
#define EXPORT(module, type, name) exportOf<decltype(&::type)>((module), (name))

std::string readFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Api {
  decltype(&::QmInitialize) init;
  decltype(&::QmGetStatus) status;
  decltype(&::QmGetVersion) version;
  decltype(&::QmSetFirmwUpdateMode) rewrite;
  decltype(&::QmSetFirmwDataWrite) program;
  decltype(&::QmSetColorDataVersion) setColorVersion;
  decltype(&::QmSetColorDataWrite) colorWrite;
  decltype(&::QmGetColorDataVersion) colorVersion;
  decltype(&::QmGetColorDataChecksum) checksum;
};

Api bind(HMODULE m, bool qn) {
  // The QN library is called by its plain names, as the updater does.
  return Api{EXPORT(m, QmInitialize, qn ? "PortInitialize" : "QmInitialize"),
             EXPORT(m, QmGetStatus, qn ? "GetStatus" : "QmGetStatus"),
             EXPORT(m, QmGetVersion, qn ? "GetFirmwVersion" : "QmGetVersion"),
             EXPORT(m, QmSetFirmwUpdateMode, qn ? "SetFirmwUpdateMode" : "QmSetFirmwUpdateMode"),
             EXPORT(m, QmSetFirmwDataWrite, qn ? "SetFirmwDataWrite" : "QmSetFirmwDataWrite"),
             EXPORT(m, QmSetColorDataVersion, qn ? "SetColorDataVersion" : "QmSetColorDataVersion"),
             EXPORT(m, QmSetColorDataWrite, qn ? "SetColorDataWrite" : "QmSetColorDataWrite"),
             EXPORT(m, QmGetColorDataVersion, qn ? "GetColorDataVersion" : "QmGetColorDataVersion"),
             EXPORT(m, QmGetColorDataChecksum, qn ? "GetColorDataChecksum" : "QmGetColorDataChecksum")};
}

// Polls every 50 ms for up to `ms`; true when `want` came. Notes whether the
// status query failed on the way (restart window).
bool waitFor(const Api& api, int32_t h, uint32_t want, DWORD ms, bool* sawNone = nullptr) {
  ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end) {
    uint32_t s = api.status(h);
    if (s == want) return true;
    if (s == kNone && sawNone) *sawNone = true;
    Sleep(50);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const bool qn = argc > 1 && std::strcmp(argv[1], "QN") == 0;
  const char* family = qn ? "QN" : "QM";
  const bool again = argc > 2 && std::strcmp(argv[2], "again") == 0;
  const std::string monitor = qn ? "ZAPQNLM" : "ZAPQMLM";
  if (!again) {
    DeleteFileA((monitor + ".state").c_str());
    DeleteFileA("sim.trace");
  }

  HMODULE lib = LoadLibraryA(qn ? "QnStat.dll" : "QmStat.dll");
  if (!lib) {
    std::printf("FAILED: status library does not load (error %lu)\n", GetLastError());
    return 1;
  }
  Api api = bind(lib, qn);
  if (failures) return 1;

  char buf[QMSTAT_TEXT_BUFFER_SIZE] = {};
  int32_t h = api.init(L"USB001");
  CHECK_EQ(h, 1);
  const std::string oldVersion = qn ? "QN_MASTER 1.50  QN_SLAVE  1.50" : "QM_MASTER 4.10  QM_SLAVE  4.10";
  const std::string newVersion = qn ? "QN_MASTER 2.00  QN_SLAVE  2.00" : "QM_MASTER 5.00  QM_SLAVE  5.00";
  int32_t n = 0;
  if (again) {
    CHECK_EQ(api.status(h), kReady);
    n = api.version(h, buf);
    CHECK_TEXT(buf, n, newVersion);
    n = api.colorVersion(h, buf);
    CHECK_TEXT(buf, n, "QM0210.QMD");
    n = api.checksum(h, buf);
    CHECK_TEXT(buf, n, "FF32");
    std::printf("%s second start: %s (%d failed checks)\n", family, failures ? "FAILED" : "passed", failures);
    return failures ? 1 : 0;
  }
  CHECK_EQ(api.status(api.init(L"USB002")), kNone);  // no printer there
  CHECK_EQ(api.status(h), kReady);
  n = api.version(h, buf);
  CHECK_TEXT(buf, n, oldVersion);
  n = api.colorVersion(h, buf);
  CHECK_TEXT(buf, n, qn ? "QN0100.QND" : "QM0200.QMD");
  n = api.checksum(h, buf);
  CHECK_TEXT(buf, n, "0000");

  // Firmware: rewrite mode, the image as the updater builds it, restart, new version.
  CHECK(api.rewrite(h) != 0);
  CHECK_EQ(api.status(h), 0x10008);  // switching: answers 1100
  CHECK(waitFor(api, h, kRewrite, 5000));
  std::string text = readFile(qn ? "QN_M0200S0200.S" : "QM_M0500S0500.S");
  CHECK(text.size() > 100000);
  std::vector<uint8_t> image = printer_sim::firmwareImageFromText(text);
  CHECK_EQ(api.program(h, image.data(), static_cast<uint32_t>(image.size())), 1);
  CHECK_EQ(api.status(h), 0x100002);  // programming: answers FU2
  bool sawRestart = false;
  CHECK(waitFor(api, h, kReady, 10000, &sawRestart));
  CHECK(sawRestart);
  n = api.version(h, buf);
  CHECK_TEXT(buf, n, newVersion);

  // Colour control data: version table, tables (QN: one block), read back.
  std::string qmd = readFile("QM0210.QMD");
  CHECK_EQ(qmd.size(), 24632);
  qmd.resize((qmd.size() + 3) / 4 * 4, '\0');
  CHECK(api.setColorVersion(h, "QM0210.QMD", 10) != 0);
  int32_t written = api.colorWrite(h, qmd.data(), static_cast<int32_t>(qmd.size()));
  CHECK(written == 1 || (qn && written != 0 && written != -1));
  n = api.colorVersion(h, buf);
  CHECK_TEXT(buf, n, "QM0210.QMD");
  n = api.checksum(h, buf);
  CHECK_TEXT(buf, n, "FF32");

  // The state file beside the monitor holds the updated printer.
  std::string state = readFile((monitor + ".state").c_str());
  CHECK(state.find("firmware=" + newVersion) != std::string::npos);
  std::string trace = readFile("sim.trace");
  CHECK(trace.find("USB001 exchange") != std::string::npos);

  std::printf("%s stack against the simulator: %s (%d failed checks)\n", family, failures ? "FAILED" : "passed",
              failures);
  return failures ? 1 : 0;
}
