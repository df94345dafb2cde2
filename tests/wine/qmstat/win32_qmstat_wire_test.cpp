// QmStat.dll against the monitor fixture: export names, what reaches the
// monitor for each kind of command, and what comes back to the caller.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32_status_dll.h"
#include "wine_check.h"

namespace {

HMODULE dll;
FixtureClient monitor;
int32_t handle;

const char* const kExports[] = {
    "QmInitialize", "QmGetVersion", "QmGetSensorInfo", "QmGetStatus", "QmGetMedia", "QmGetPQTY",
    "QmGetCounterL", "QmGetCounterA", "QmGetCounterB", "QmSetClearCounterA", "QmSetClearCounterB",
    "QmGetResolutionH", "QmGetResolutionV", "QmGetFreeBuffer", "QmGetMediaLotNo", "QmGetMediaCounter",
    "QmGetMediaColorOffset", "QmSetFirmwUpdateMode", "QmSetFirmwDataWrite", "QmGetSerialNo",
    "QmSetColorDataWrite", "QmSetColorDataVersion", "QmGetColorDataVersion", "QmSetColorDataClear",
    "QmGetColorDataChecksum", "QmSetCutterMode", "QmSetCommand", "QmGetCommand", "QmGetCommandEX"};

void exportsByName() {
  for (const char* name : kExports) {
    CHECK_FOR(GetProcAddress(dll, name) != nullptr, name);
  }
  for (const char* name : {"GetStatus", "PortInitialize", "SetColorDataWrite", "GetMediaIdSetInfo", "QnQmGetStatus",
                           "SetCutterMode", "DllMain"}) {
    CHECK_FOR(GetProcAddress(dll, name) == nullptr, name);
  }
}

void registry() {
  auto init = STATUS_EXPORT(dll, QmInitialize, "QmInitialize");
  CHECK_EQ(init(L"USB001"), 1);
  CHECK_EQ(init(L"USB002"), 2);
  CHECK_EQ(init(L"USB001"), 1);
  CHECK_EQ(init(L"usb001"), 3);
  CHECK_EQ(monitor.count(), 0);
  handle = 1;
}

void statusQuery() {
  auto getStatus = STATUS_EXPORT(dll, QmGetStatus, "QmGetStatus");
  monitor.reset();
  monitor.reply("1100\r");
  CHECK_EQ(getStatus(handle), 0x10008);
  auto calls = monitor.calls();
  if (!CHECK_EQ(calls.size(), 1)) return;
  CHECK(calls[0].port == L"USB001");
  CHECK_EQ(calls[0].code, kExchange);
  CHECK_EQ(calls[0].outputSize, 4096);
  CHECK_BYTES(calls[0].bytes, esc("PSTATUS") + spaces(24));

  monitor.reply("FU1");
  CHECK_EQ(getStatus(handle), 0x100001);
  monitor.reply("FU101");
  CHECK_EQ(getStatus(handle), 0x80000000u);
  monitor.answer(0);
  CHECK_EQ(getStatus(handle), 0x80000000u);
  // A handle never handed out reaches no monitor.
  monitor.reset();
  CHECK_EQ(getStatus(0), 0x80000000u);
  CHECK_EQ(getStatus(99), 0x80000000u);
  CHECK_EQ(monitor.count(), 0);
}

void textAndNumberQueries() {
  auto version = STATUS_EXPORT(dll, QmGetVersion, "QmGetVersion");
  auto pqty = STATUS_EXPORT(dll, QmGetPQTY, "QmGetPQTY");
  auto checksum = STATUS_EXPORT(dll, QmGetColorDataChecksum, "QmGetColorDataChecksum");
  monitor.reset();
  char text[QMSTAT_TEXT_BUFFER_SIZE];
  std::memset(text, 'x', sizeof text);
  monitor.reply("QM_M0500S0500");
  CHECK_EQ(version(handle, text), 12);
  CHECK_BYTES(std::string(text), "QM_M0500S0500");
  monitor.reply("PQTY250");
  CHECK_EQ(pqty(handle), 250);
  monitor.reply("FF32");
  CHECK_EQ(checksum(handle, text), 3);
  CHECK_BYTES(std::string(text), "FF32");
  monitor.answer(0);
  std::strcpy(text, "kept");
  CHECK_EQ(version(handle, text), -1);
  CHECK_BYTES(std::string(text), "kept");

  auto calls = monitor.calls();
  if (!CHECK_EQ(calls.size(), 4)) return;
  CHECK_BYTES(calls[0].bytes, esc("PINFO  FVER") + spaces(12 + 8));
  CHECK_BYTES(calls[1].bytes, esc("PINFO  PQTY") + spaces(12 + 8));
  CHECK_BYTES(calls[2].bytes, esc("PMNT_RDCTRLD_CHKSUM    00000000"));
  for (const auto& call : calls) CHECK_EQ(call.code, kExchange);
}

void firmwareWrite() {
  auto write = STATUS_EXPORT(dll, QmSetFirmwDataWrite, "QmSetFirmwDataWrite");
  auto mode = STATUS_EXPORT(dll, QmSetFirmwUpdateMode, "QmSetFirmwUpdateMode");
  std::vector<char> image(5000);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);

  monitor.reset();
  CHECK_EQ(mode(handle), 1);
  CHECK_EQ(write(handle, image.data(), static_cast<uint32_t>(image.size())), 1);
  auto calls = monitor.calls();
  if (!CHECK_EQ(calls.size(), 4)) return;
  CHECK_BYTES(calls[0].bytes, esc("PFW_UPDFLASH_REWRITE") + spaces(3 + 8));
  CHECK_BYTES(calls[1].bytes, esc("PFW_UPDFLASH_PROGRAM   "));
  CHECK_BYTES(calls[2].bytes, "00005000");
  // The image goes out whole, from the caller's own memory.
  CHECK(calls[3].input == image.data());
  CHECK(calls[3].bytes == std::string(image.begin(), image.end()));
  for (const auto& call : calls) {
    CHECK_EQ(call.code, kSend);
    CHECK_EQ(call.outputSize, 0);
  }

  monitor.reset();
  monitor.answer(0);
  CHECK_EQ(write(handle, image.data(), static_cast<uint32_t>(image.size())), -1);
  CHECK_EQ(monitor.count(), 1);
  monitor.reset();
  monitor.answer(1);
  monitor.answer(1);
  monitor.answer(0);
  CHECK_EQ(write(handle, image.data(), static_cast<uint32_t>(image.size())), 0);
}

struct TableSend {
  std::string name;
  uint32_t length;
};

// The 60 tables in send order.
std::vector<TableSend> colourTables() {
  const char* curves[] = {"HeadTemp", "MediaTemp", "TempCoef", "STB_Gamma", "E_Gamma", "E_Epsilon",
                          "C_Gamma", "C_Theta", "C_Epsilon", "G_Gamma", "G_Theta", "G_Epsilon"};
  std::vector<std::string> names;
  for (const char* curve : curves)
    for (const char* ink : {"Y", "M", "C", "OP"}) names.push_back(std::string(curve) + "_" + ink);
  for (const char* ink : {"Y", "M", "C", "OP"}) names.push_back(std::string("E_Gamma_") + ink + "_SE");
  for (const char* ink : {"Y", "M", "C", "OP"}) names.push_back(std::string("C_Sigma_") + ink);
  for (const char* ink : {"Y", "M", "C", "OP"}) names.push_back(std::string("G_Sigma_") + ink);
  std::vector<TableSend> tables;
  for (size_t i = 0; i < names.size(); ++i) tables.push_back({names[i], i < 48 ? 512u : i < 52 ? 4u : 16u});
  return tables;
}

void colourDataWrite() {
  auto write = STATUS_EXPORT(dll, QmSetColorDataWrite, "QmSetColorDataWrite");
  std::vector<unsigned char> image(24632);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(i + 1);

  monitor.reset();
  CHECK_EQ(write(handle, image.data(), static_cast<uint32_t>(image.size())), 1);
  auto calls = monitor.calls();
  if (!CHECK_EQ(calls.size(), 240)) return;
  auto tables = colourTables();
  size_t wireBytes = 0;
  for (size_t t = 0; t < tables.size(); ++t) {
    std::string name = tables[t].name;
    name.resize(16, ' ');
    char length[16];
    std::snprintf(length, sizeof length, "%08u", tables[t].length);
    CHECK_BYTES(calls[4 * t].bytes, esc("PTBL_WT"));
    CHECK_BYTES(calls[4 * t + 1].bytes, name);
    CHECK_BYTES(calls[4 * t + 2].bytes, std::string(length));
    CHECK_EQ(calls[4 * t + 3].bytes.size(), tables[t].length);
    for (size_t k = 0; k < 4; ++k) {
      CHECK_EQ(calls[4 * t + k].code, kSend);
      wireBytes += calls[4 * t + k].bytes.size();
    }
  }
  CHECK_EQ(wireBytes, 26640);
  // HeadTemp_Y: image bytes 16.. with the two bytes of each value exchanged.
  CHECK_BYTES(calls[3].bytes.substr(0, 4), std::string("\x12\x11\x14\x13", 4));
  // E_Gamma_Y_SE: the values at 0 and 8, high byte first.
  CHECK_BYTES(calls[4 * 48 + 3].bytes, std::string("\x02\x01\x0a\x09", 4));
  // G_Sigma_OP: the values at 24622 and 24630, then 12 zero bytes.
  std::string gSigmaOp = {static_cast<char>(image[24623]), static_cast<char>(image[24622]),
                          static_cast<char>(image[24631]), static_cast<char>(image[24630])};
  CHECK_BYTES(calls[4 * 59 + 3].bytes, gSigmaOp + std::string(12, '\0'));

  // The tenth table's name send fails: nine tables and one header went out.
  monitor.reset();
  for (int i = 0; i < 37; ++i) monitor.answer(1);
  monitor.answer(0);
  CHECK_EQ(write(handle, image.data(), static_cast<uint32_t>(image.size())), -1);
  CHECK_EQ(monitor.count(), 38);
}

void rawTransport() {
  auto set = STATUS_EXPORT(dll, QmSetCommand, "QmSetCommand");
  auto get = STATUS_EXPORT(dll, QmGetCommand, "QmGetCommand");
  auto getEx = STATUS_EXPORT(dll, QmGetCommandEX, "QmGetCommandEX");
  monitor.reset();
  const char data[] = "\x1bPSTATUS";
  CHECK_EQ(set(2, data, 8), 1);
  monitor.reply("abc");
  char reply[64];
  std::memset(reply, 'x', sizeof reply);
  uint32_t received = 99;
  CHECK_EQ(get(1, data, 8, reply, 32, &received), 1);
  CHECK_EQ(received, 11);
  CHECK_BYTES(std::string(reply, 12), std::string("00000003abc\0", 12));
  monitor.reply("hello");
  char dest[16];
  std::memset(dest, 'x', sizeof dest);
  CHECK_EQ(getEx(1, data, 8, dest, sizeof dest), 5);
  CHECK_BYTES(std::string(dest, 6), "hellox");

  auto calls = monitor.calls();
  if (!CHECK_EQ(calls.size(), 3)) return;
  CHECK(calls[0].port == L"USB002");
  CHECK(calls[0].input == data);
  CHECK_EQ(calls[0].code, kSend);
  CHECK_EQ(calls[1].code, kExchange);
  CHECK_EQ(calls[1].outputSize, 32);
  CHECK(calls[1].input == data);
}

}  // namespace

int main() {
  dll = LoadLibraryA("QmStat.dll");
  if (!CHECK(dll != nullptr)) return wine_check::finish("qmstat_wire");
  if (!CHECK(monitor.bind("ZAPQMLM.DLL"))) return wine_check::finish("qmstat_wire");
  CHECK(GetModuleHandleA("ZAPQNLM.DLL") == nullptr);
  exportsByName();
  registry();
  statusQuery();
  textAndNumberQueries();
  firmwareWrite();
  colourDataWrite();
  rawTransport();
  CHECK(FreeLibrary(dll));
  return wine_check::finish("qmstat_wire");
}
