// QnStat.dll against the monitor fixture: its two names per operation, the
// two status functions, the block write and the media ID set query.
#include <cstring>
#include <string>
#include <vector>

#include "win32_status_dll.h"
#include "wine_check.h"

namespace {

HMODULE dll;
FixtureClient monitor;

// Plain name and QM-style name of one function.
const char* const kSharedNames[][2] = {
    {"PortInitialize", "QmInitialize"},
    {"GetFirmwVersion", "QmGetVersion"},
    {"GetSensorInfo", "QmGetSensorInfo"},
    {"GetMedia", "QmGetMedia"},
    {"GetPQTY", "QmGetPQTY"},
    {"GetCounterL", "QmGetCounterL"},
    {"GetCounterA", "QmGetCounterA"},
    {"GetCounterB", "QmGetCounterB"},
    {"SetClearCounterA", "QmSetClearCounterA"},
    {"SetClearCounterB", "QmSetClearCounterB"},
    {"GetResolutionH", "QmGetResolutionH"},
    {"GetResolutionV", "QmGetResolutionV"},
    {"GetFreeBuffer", "QmGetFreeBuffer"},
    {"GetMediaLotNo", "QmGetMediaLotNo"},
    {"GetMediaCounter", "QmGetMediaCounter"},
    {"GetMediaColorOffset", "QmGetMediaColorOffset"},
    {"SetFirmwUpdateMode", "QmSetFirmwUpdateMode"},
    {"SetFirmwDataWrite", "QmSetFirmwDataWrite"},
    {"GetSerialNo", "QmGetSerialNo"},
    {"SetColorDataWrite", "QmSetColorDataWrite"},
    {"SetColorDataVersion", "QmSetColorDataVersion"},
    {"GetColorDataVersion", "QmGetColorDataVersion"},
    {"SetColorDataClear", "QmSetColorDataClear"},
    {"GetColorDataChecksum", "QmGetColorDataChecksum"},
    {"SetCommand", "QmSetCommand"},
    {"GetCommandEX", "QmGetCommandEX"},
};

void exportNames() {
  for (const auto& pair : kSharedNames) {
    FARPROC plain = GetProcAddress(dll, pair[0]);
    CHECK_FOR(plain != nullptr, pair[0]);
    CHECK_FOR(plain == GetProcAddress(dll, pair[1]), pair[0]);
  }
  FARPROC legacy = GetProcAddress(dll, "QmGetStatus");
  FARPROC standard = GetProcAddress(dll, "GetStatus");
  CHECK(legacy != nullptr && standard != nullptr && legacy != standard);
  for (const char* name : {"SetCutterMode", "GetMediaIdSetInfo", "QmGetCommand"})
    CHECK_FOR(GetProcAddress(dll, name) != nullptr, name);
  for (const char* name : {"QmSetCutterMode", "GetCommand", "QnQmGetStatus", "QmGetMediaIdSetInfo"})
    CHECK_FOR(GetProcAddress(dll, name) == nullptr, name);
  // Ordinal 111 is not assigned.
  CHECK(GetProcAddress(dll, MAKEINTRESOURCEA(111)) == nullptr);
  CHECK(GetProcAddress(dll, MAKEINTRESOURCEA(34)) == standard);
  CHECK(GetProcAddress(dll, MAKEINTRESOURCEA(4)) == legacy);
}

void registration() {
  auto portInitialize = STATUS_EXPORT(dll, QmInitialize, "PortInitialize");
  auto qmInitialize = STATUS_EXPORT(dll, QmInitialize, "QmInitialize");
  CHECK_EQ(portInitialize(L"USB001"), 1);
  CHECK_EQ(qmInitialize(L"USB001"), 1);
  CHECK_EQ(qmInitialize(L"USB002"), 2);
  CHECK_EQ(portInitialize(L"USB002"), 2);
  CHECK_EQ(portInitialize(L"USB003"), 3);
}

struct StatusRow {
  const char* answer;
  uint32_t standard;  // GetStatus
  uint32_t legacy;    // QmGetStatus
};

const StatusRow kStatusRows[] = {
    {"FU1", 0x100001, 0x100001},     {"FU2", 0x100002, 0x100002},        {"FU3", 0x100004, 0x100004},
    {"FU100", 0x100008, 0x80000000}, {"FU101", 0x80000000, 0x100008},    {"FU200", 0x100010, 0x100010},
    {"FU300", 0x100020, 0x100020},   {"FU7", 0x80000000, 0x80000000},    {"0", 0x10001, 0x10001},
    {"1200\r", 0x10010, 0x10010},    {"3000", 0x80001, 0x80001},         {"2900", 0x80000000, 0x80000000},
};

void statusFunctions() {
  auto standard = STATUS_EXPORT(dll, GetStatus, "GetStatus");
  auto legacy = STATUS_EXPORT(dll, GetStatus, "QmGetStatus");
  for (const auto& row : kStatusRows) {
    monitor.reset();
    monitor.reply(row.answer);
    monitor.reply(row.answer);
    CHECK_FOR(standard(1) == row.standard, row.answer);
    CHECK_FOR(legacy(1) == row.legacy, row.answer);
    auto calls = monitor.calls();
    if (!CHECK_EQ(calls.size(), 2)) continue;
    CHECK_BYTES(calls[0].bytes, esc("PSTATUS") + spaces(24));
    CHECK_BYTES(calls[1].bytes, esc("PSTATUS") + spaces(24));
  }
  monitor.reset();
  monitor.answer(0);
  monitor.answer(0);
  CHECK_EQ(standard(1), 0x80000000u);
  CHECK_EQ(legacy(1), 0x80000000u);
}

void blockWrite() {
  auto write = STATUS_EXPORT(dll, SetColorDataWrite, "SetColorDataWrite");
  std::vector<char> image(1234);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 13);
  monitor.reset();
  CHECK_EQ(write(1, image.data(), static_cast<uint32_t>(image.size())), 1);
  auto calls = monitor.calls();
  if (CHECK_EQ(calls.size(), 3)) {
    CHECK_BYTES(calls[0].bytes, esc("PTBL_WTCTRLD_UPDATE_QN "));
    CHECK_BYTES(calls[1].bytes, "00001234");
    CHECK(calls[2].input == image.data());
    CHECK(calls[2].bytes == std::string(image.begin(), image.end()));
    for (const auto& call : calls) CHECK_EQ(call.code, kSend);
  }
  monitor.reset();
  monitor.answer(0);
  CHECK_EQ(write(1, image.data(), static_cast<uint32_t>(image.size())), -1);
  CHECK_EQ(monitor.count(), 1);
}

void mediaIdSet() {
  auto query = STATUS_EXPORT(dll, GetMediaIdSetInfo, "GetMediaIdSetInfo");
  monitor.reset();
  monitor.reply("MDID7");
  CHECK_EQ(query(1), 7);
  monitor.reply("MDID");
  CHECK_EQ(query(1), -1);
  monitor.reply("XX7");
  CHECK_EQ(query(1), -1);
  monitor.answer(0);
  CHECK_EQ(query(1), -1);
  auto calls = monitor.calls();
  if (CHECK_EQ(calls.size(), 4)) {
    CHECK_BYTES(calls[0].bytes, esc("PMNT_RDMEDIA_ID_SET    00000000"));
    CHECK_EQ(calls[0].code, kExchange);
  }
}

// The plain names the updater calls, each with its frame.
void updaterNames() {
  auto version = STATUS_EXPORT(dll, QmGetVersion, "GetFirmwVersion");
  auto mode = STATUS_EXPORT(dll, QmSetFirmwUpdateMode, "SetFirmwUpdateMode");
  auto write = STATUS_EXPORT(dll, QmSetFirmwDataWrite, "SetFirmwDataWrite");
  auto tableVersion = STATUS_EXPORT(dll, QmGetColorDataVersion, "GetColorDataVersion");
  auto checksum = STATUS_EXPORT(dll, QmGetColorDataChecksum, "GetColorDataChecksum");
  auto cutter = STATUS_EXPORT(dll, QmSetCutterMode, "SetCutterMode");
  char text[QMSTAT_TEXT_BUFFER_SIZE];
  const char image[] = "S0image";

  monitor.reset();
  monitor.reply("QN_M0200S0200");
  CHECK_EQ(version(2, text), 12);
  CHECK_BYTES(std::string(text), "QN_M0200S0200");
  CHECK_EQ(mode(2), 1);
  CHECK_EQ(write(2, image, 7), 1);
  monitor.reply("QN0100.QND");
  CHECK_EQ(tableVersion(2, text), 10);
  monitor.reply("1A2B");
  CHECK_EQ(checksum(2, text), 3);
  CHECK_EQ(cutter(2, 3), 1);

  auto calls = monitor.calls();
  if (!CHECK_EQ(calls.size(), 9)) return;
  CHECK(calls[0].port == L"USB002");
  CHECK_BYTES(calls[0].bytes, esc("PINFO  FVER") + spaces(20));
  CHECK_BYTES(calls[1].bytes, esc("PFW_UPDFLASH_REWRITE") + spaces(11));
  CHECK_BYTES(calls[2].bytes, esc("PFW_UPDFLASH_PROGRAM   "));
  CHECK_BYTES(calls[3].bytes, "00000007");
  CHECK(calls[4].input == image);
  CHECK_BYTES(calls[5].bytes, esc("PTBL_RDVersion         00000000"));
  CHECK_BYTES(calls[6].bytes, esc("PMNT_RDCTRLD_CHKSUM    00000000"));
  CHECK_BYTES(calls[7].bytes, esc("PCNTRL CUTTER          00000008"));
  CHECK_BYTES(calls[8].bytes, "00000003");
}

}  // namespace

int main() {
  dll = LoadLibraryA("QnStat.dll");
  if (!CHECK(dll != nullptr)) return wine_check::finish("qnstat_wire");
  if (!CHECK(monitor.bind("ZAPQNLM.DLL"))) return wine_check::finish("qnstat_wire");
  CHECK(GetModuleHandleA("ZAPQMLM.DLL") == nullptr);
  exportNames();
  registration();
  statusFunctions();
  blockWrite();
  mediaIdSet();
  updaterNames();
  CHECK(FreeLibrary(dll));
  return wine_check::finish("qnstat_wire");
}
