// Every kind of bad input the updater can meet, one row each, with its
// outcome. Rows that only concern the status library live beside it:
//   handles 0, -1 and above the count: tests/qmstat/registry_test.cpp
//     (BadHandlesFailWithoutCallingTheMonitor)
//   null pointers into every export, replies announcing more than they carry:
//     tests/qmstat/bad_input_test.cpp
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core_binding.h"
#include "window_rig.h"
#include "printer_sim/sample_data.h"
#include "updater/firmware_image.h"
#include "updater/usable_port.h"

namespace updater::testing {
namespace {

namespace sim = printer_sim;

constexpr uint32_t kRewrite = 0x100001;
const std::string kNotOpened = "QM_M0500S0500.S File Not Opend";
const std::string kNoUsablePrinter = "A usable printer is not connected or the power is not on.";

// --- Firmware file -------------------------------------------------------

struct FirmwareRow {
  const char* what;
  std::function<void(Rig&)> file;
  RunEnd result;
  std::string message;  // empty: none
  std::string records;  // the image's records, when it was sent
};

// Files are checked when Start is clicked, before the first printer command.
TEST(BadInputCatalogue, FirmwareFile) {
  const FirmwareRow rows[] = {
      {"missing", [](Rig& r) { r.files.files.erase("QM_M0500S0500.S"); }, RunEnd::BadFile, kNotOpened, ""},
      {"empty", [](Rig& r) { r.files.put("QM_M0500S0500.S", ""); }, RunEnd::BadFile, kNotOpened, ""},
      {"over the image size",
       [](Rig& r) { r.files.put("QM_M0500S0500.S", std::string(kFirmwareImageCapacity - 1, 'A')); },
       RunEnd::BadFile, "QM_M0500S0500.S File Too Large", ""},
      {"double-byte character",
       [](Rig& r) {
         r.codePage.dbcs = true;
         r.files.put("QM_M0500S0500.S", "S0\r\nS1\x82\xA0\r\n");
       },
       RunEnd::BadFile, "QM_M0500S0500.S File Not Valid", ""},
      {"same bytes, single-byte code page",
       [](Rig& r) { r.files.put("QM_M0500S0500.S", "S0\r\nS1\x82\xA0\r\n"); }, RunEnd::Complete, "",
       "S0\r\nS1\x82\xA0\r\n"},
      {"lone CR line ends", [](Rig& r) { r.files.put("QM_M0500S0500.S", "S0\rS1\rS7\r"); },
       RunEnd::Complete, "", "S0\r\nS1\r\nS7\r\n"},
      {"lone LF line ends", [](Rig& r) { r.files.put("QM_M0500S0500.S", "S0\nS1\nS7"); }, RunEnd::Complete,
       "", "S0\r\nS1\r\nS7\r\n"},
  };
  for (const FirmwareRow& row : rows) {
    Rig r;
    r.dialog.choice = {PortChoice::End::Ok, 0, true};  // messages stay English
    r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
    ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
    r.clearLogs();
    r.qm.firmwareVersion = reply(kQmVersion);
    r.qm.statuses = {kReady, kRewrite, kRewrite};
    row.file(r);

    EXPECT_EQ(r.updater.start(), row.result) << row.what;
    EXPECT_EQ(r.messages.shown,
              row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message})
        << row.what;
    if (row.result == RunEnd::BadFile) {
      EXPECT_TRUE(r.qm.calls.empty()) << row.what << ": no printer command";
      continue;
    }
    const size_t t = row.records.size();
    const size_t once = t + zeroFillCount(t);
    std::vector<uint8_t> image(once + zeroFillCount(once), 0);
    std::copy(row.records.begin(), row.records.end(), image.begin());
    EXPECT_EQ(r.qm.firmwareImage, image) << row.what;
  }
}

// --- Colour control data file, through the real library core into a -----
// --- simulated printer ----------------------------------------------------

// One QM printer on USB001 behind both real library cores; the updater's
// other services are the fakes.
struct Stack {
  explicit Stack(sim::PrinterConfig printer = {}) : simulator(config(std::move(printer)), simClock) {
    qmLib.attach(&monitor);
    qnLib.attach(&qnMonitor);
    window.clock = &clock;
    printers.add("QM Printer", "USB001");
    files.put(sim::firmwareFileName(sim::Family::QM), sim::makeSampleFirmware(sim::Family::QM));
  }
  static sim::Config config(sim::PrinterConfig printer) {
    sim::Config c;
    printer.port = u"USB001";
    c.printers.push_back(std::move(printer));
    return c;
  }
  // A printer with the release firmware and colour control data.
  static sim::PrinterConfig released() {
    sim::PrinterConfig p;
    p.firmware = sim::releaseFirmware(sim::Family::QM);
    p.releaseColorData = true;
    return p;
  }

  VirtualClock clock;
  SimulatorClock simClock{clock};
  sim::Simulator simulator;
  SimulatorMonitor monitor{simulator};
  sim::Simulator qnSimulator{sim::Config{}, simClock};  // QnStat's monitor knows no QM printer
  SimulatorMonitor qnMonitor{qnSimulator};
  qmstat::StatusLibrary qmLib;
  qmstat::StatusLibrary qnLib;
  CoreBinding qm{qmLib};
  CoreBinding qn{qnLib};
  FakeWindow window;
  FakePrinters printers;
  FakeDialog dialog;
  FakeMessages messages;
  FakeFiles files;
  FakeCodePage codePage;
  FakeRunGuard runGuard;
  Form1View view{window, messages};
  Services services{view, qm, qn, printers, files, codePage, clock, runGuard};
  Updater updater{services};
  StartupEnd load() { return loadForm1(updater, dialog, messages); }
};

struct ColorRow {
  const char* what;
  std::optional<size_t> size;  // none: missing
  RunEnd result;
  std::string message;
  std::string checksumAfter;  // what the printer holds afterwards
};

// A bad QMD file is found before the firmware is flashed: the printer is not
// touched at all, rather than left with new firmware and old tables.
TEST(BadInputCatalogue, ColourControlDataFile) {
  const ColorRow rows[] = {
      {"missing", std::nullopt, RunEnd::BadFile, "QM0210.QMD File Not Opend", "0000"},
      {"empty", 0, RunEnd::BadFile, "QM0210.QMD File Not Opend", "0000"},
      {"short, 100 bytes", 100, RunEnd::BadFile, "QM0210.QMD File Not Valid", "0000"},
      {"24,628 bytes: 24,628 after padding", 24'628, RunEnd::BadFile, "QM0210.QMD File Not Valid", "0000"},
      {"over 60,000 bytes", 60'001, RunEnd::BadFile, "QM0210.QMD File Too Large", "0000"},
      {"60,000 bytes: the first 24,632 are the tables", 60'000, RunEnd::Complete, "", "FF32"},
  };
  const std::vector<uint8_t> release = sim::makeSampleColorData();
  for (const ColorRow& row : rows) {
    Stack s;
    s.dialog.choice = {PortChoice::End::Ok, 0, false};
    ASSERT_EQ(s.load(), StartupEnd::UpdateDue) << row.what;
    if (row.size) {
      std::vector<uint8_t> file(*row.size, 0x5A);
      std::copy_n(release.begin(), std::min(file.size(), release.size()), file.begin());
      s.files.files["QM0210.QMD"] = {FileStatus::Ok, file};
    }
    const uint64_t before = s.simulator.callCount();
    EXPECT_EQ(s.updater.start(), row.result) << row.what;
    EXPECT_EQ(s.messages.shown,
              row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message})
        << row.what;
    EXPECT_EQ(s.simulator.callCount() > before, row.result != RunEnd::BadFile) << row.what;
    EXPECT_EQ(s.simulator.checksumText(u"USB001"), row.checksumAfter) << row.what;
  }
}

// --- Printers and ports ----------------------------------------------------

TEST(BadInputCatalogue, TwelveUsablePrinters) {
  Rig r;
  r.printers.names.clear();
  for (int i = 1; i <= 12; ++i) r.printers.add("P" + std::to_string(i), "USB" + std::to_string(i));
  r.dialog.choice = {PortChoice::End::Ok, 11, false};
  r.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  EXPECT_EQ(r.load(), StartupEnd::UpToDate);
  ASSERT_EQ(r.dialog.shown.size(), 12u);
  EXPECT_EQ(r.dialog.shown.back(), "P12");
  EXPECT_EQ(r.qm.initializedPort, u"USB12");
}

struct PortRow {
  const char* what;
  std::u16string port;  // as the spooler reports it
  StartupEnd end;
  std::vector<std::string> messages;
};

// The host leaves out a printer whose port name the libraries can't register
// (tests/updater/usable_port_test.cpp), so it is never offered.
TEST(BadInputCatalogue, PortNames) {
  const PortRow rows[] = {
      // 19 units and the NUL fit the library's registry; no printer there.
      {"19 UTF-16 units", std::u16string(19, u'P'), StartupEnd::NotQmQn, {}},
      {"20 UTF-16 units", std::u16string(20, u'P'), StartupEnd::NoPrinter, {kNoUsablePrinter}},
      {"64 units", std::u16string(64, u'P'), StartupEnd::NoPrinter, {kNoUsablePrinter}},
  };
  for (const PortRow& row : rows) {
    Stack s;
    s.printers.records["QM Printer"] = {true, kAttributeEnableBidi, row.port + u'\0', {}};
    const StartupEnd end = s.load();
    EXPECT_EQ(end, row.end) << row.what;
    EXPECT_EQ(endsProgram(end), row.end != StartupEnd::NotQmQn) << row.what;
    EXPECT_EQ(s.messages.shown, row.messages) << row.what;
  }
}

TEST(BadInputCatalogue, EleventhPortInOneLibrary) {
  Stack s;
  for (int i = 1; i <= 10; ++i) {
    ASSERT_EQ(s.qmLib.initialize((u"COM" + std::u16string(1, static_cast<char16_t>(u'0' + i - 1))).c_str()),
              i);
  }
  // QmStat refuses the eleventh port; QnStat takes it but no QN printer
  // answers there, so the QM printer is reported as neither family.
  EXPECT_EQ(s.load(), StartupEnd::NotQmQn);
  EXPECT_EQ(s.window.text(Element::Text5), "Printer is not QM/QN.  Push [Close] botton.");
  EXPECT_TRUE(s.messages.shown.empty());
}

TEST(BadInputCatalogue, HandleFromTheLibrary) {
  struct Row {
    int32_t handle;
    StartupEnd end;
  };
  // Only a negative handle is refused by the start-up check; a handle the
  // library does not know makes every later call fail there.
  const Row rows[] = {{-1, StartupEnd::BadHandle}, {0, StartupEnd::NotQmQn}};
  for (const Row& row : rows) {
    Rig r;
    r.qm.handle = row.handle;
    r.qn.handle = row.handle;
    r.qm.lastStatus = row.handle > 0 ? kReady : kStatusNone;
    EXPECT_EQ(r.load(), row.end) << row.handle;
  }
}

// --- Replies that announce more than they carry ----------------------------

struct LieRow {
  const char* what;
  uint64_t call;  // monitor call of the start-up check whose reply lies
  StartupEnd end;
  const char* text1;  // firmware version shown
  const char* text3;  // colour control data version shown
  const char* text4;  // checksum shown
};

// The library refuses a reply that announces more than it carries (-1, or
// no status): the value shows empty and the printer is never taken as up to
// date. A lying status reply makes the printer look like neither family.
TEST(BadInputCatalogue, RepliesThatLieAtStartUp) {
  const std::string v = sim::releaseFirmware(sim::Family::QM);
  const LieRow rows[] = {
      {"none", 0, StartupEnd::UpToDate, v.c_str(), "QM0210.QMD", "FF32"},
      {"status of the probe", 1, StartupEnd::NotQmQn, "", "", ""},
      {"status", 2, StartupEnd::NotQmQn, "", "", ""},
      {"firmware version", 3, StartupEnd::UpdateDue, "", "QM0210.QMD", "FF32"},
      {"colour control data version", 4, StartupEnd::UpdateDue, v.c_str(), "", "FF32"},
      {"checksum", 5, StartupEnd::UpdateDue, v.c_str(), "QM0210.QMD", ""},
  };
  for (const LieRow& row : rows) {
    Stack s(Stack::released());
    sim::CallFaults lie;
    lie.overlongCall = row.call;
    s.simulator.setCallFaults(lie);
    EXPECT_EQ(s.load(), row.end) << row.what;
    EXPECT_EQ(s.window.text(Element::Text1), row.text1) << row.what;
    EXPECT_EQ(s.window.text(Element::Text3), row.text3) << row.what;
    EXPECT_EQ(s.window.text(Element::Text4), row.text4) << row.what;
    // Nothing more is asked of a printer whose status was not understood.
    EXPECT_EQ(s.simulator.callCount(), row.call == 1 || row.call == 2 ? row.call : 5u) << row.what;
  }
}

}  // namespace
}  // namespace updater::testing
