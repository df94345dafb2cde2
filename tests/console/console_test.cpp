#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "console/arguments.h"
#include "console/exit_codes.h"
#include "console/json.h"
#include "console/progress_text.h"
#include "console/update_report.h"
#include "console_rig.h"

namespace qmqn::testing {
namespace {

// --- the command line -------------------------------------------------------

struct LineCase {
  std::vector<std::string> args;
  bool accepted;
  Command command;
  Target::By by;
  std::string target;
};

TEST(ConsoleArguments, ParsesOrRefusesEachLine) {
  const LineCase cases[] = {
      {{"list"}, true, Command::List, Target::By::Name, ""},
      {{"list", "--json"}, true, Command::List, Target::By::Name, ""},
      {{"--help"}, true, Command::Help, Target::By::Name, ""},
      {{"info", "QM Thermal"}, true, Command::Info, Target::By::Name, "QM Thermal"},
      {{"info", "--port", "USB002", "--json"}, true, Command::Info, Target::By::Port, "USB002"},
      {{"update", "--all", "--force", "--lang", "ja", "--log", "f.log"}, true, Command::Update, Target::By::All, ""},
      {{"update", "Принтер 🖨"}, true, Command::Update, Target::By::Name, "Принтер 🖨"},
      {{}, false, {}, {}, ""},
      {{"flash"}, false, {}, {}, ""},
      {{"list", "X"}, false, {}, {}, ""},
      {{"info"}, false, {}, {}, ""},
      {{"info", "--all"}, false, {}, {}, ""},
      {{"update"}, false, {}, {}, ""},
      {{"update", "A", "B"}, false, {}, {}, ""},
      {{"update", "A", "--all"}, false, {}, {}, ""},
      {{"update", "--port"}, false, {}, {}, ""},
      {{"update", "A", "--lang", "de"}, false, {}, {}, ""},
      {{"update", "A", "--log"}, false, {}, {}, ""},
      {{"info", "A", "--force"}, false, {}, {}, ""},
      {{"update", "A", "--verbose"}, false, {}, {}, ""},
  };
  for (const LineCase& c : cases) {
    const ParsedArguments p = parseArguments(c.args);
    const std::string line = c.args.empty() ? "(empty)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
    ASSERT_EQ(p.arguments.has_value(), c.accepted) << line;
    if (!c.accepted) {
      EXPECT_FALSE(p.error.empty()) << line;
      continue;
    }
    EXPECT_EQ(p.arguments->command, c.command) << line;
    if (c.command == Command::Info || c.command == Command::Update) {
      EXPECT_EQ(p.arguments->target.by, c.by) << line;
      EXPECT_EQ(p.arguments->target.text, c.target) << line;
    }
  }
  const Arguments a = *parseArguments(std::vector<std::string>{"update", "--all", "--force", "--lang", "ja",
                                                               "--log", "f.log", "--json"}).arguments;
  EXPECT_TRUE(a.force && a.japanese && a.json);
  EXPECT_EQ(a.logFile, "f.log");
}

TEST(ConsoleExitCodes, AreDistinctDocumentedAndTheWorstWins) {
  std::set<int> codes;
  for (const ExitCodeRow& row : exitCodeTable()) {
    EXPECT_TRUE(codes.insert(row.code).second) << row.code;
    EXPECT_NE(helpText().find(std::to_string(row.code) + "  " + std::string(row.meaning)), std::string::npos);
  }
  std::ifstream readme(QMQN_README);
  const std::string text((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
  for (const ExitCodeRow& row : exitCodeTable()) {
    EXPECT_NE(text.find("\n| " + std::to_string(row.code) + " | "), std::string::npos) << "README lacks " << row.code;
  }
  EXPECT_EQ(exitCode(Outcome::Updated), 0);
  EXPECT_EQ(worse(Outcome::Updated, Outcome::PrinterFailed), Outcome::PrinterFailed);
  EXPECT_EQ(worse(Outcome::PrinterFailed, Outcome::UpToDate), Outcome::PrinterFailed);
  EXPECT_EQ(worse(Outcome::UpToDate, Outcome::Updated), Outcome::UpToDate);
}

// --- what the user reads ----------------------------------------------------

TEST(ConsoleTexts, BarJsonAndLogLine) {
  EXPECT_EQ(progressBar(0.0f, std::nullopt), "[..............................]   0%  --:-- left");
  EXPECT_EQ(progressBar(50.9f, 61'000), "[###############...............]  50%  1:01 left");
  EXPECT_EQ(progressBar(130.0f, 0), "[##############################] 100%  0:00 left");
  EXPECT_EQ(jsonString("a\"b\\c\td\x01\xff" "\xe3\x83\x97"), "\"a\\\"b\\\\c\\u0009d\\u0001\\ufffd\xe3\x83\x97\"");

  UpdateReport r{"T", "H", "Prn\tA", "USB001", "QM", {"v1", "c1", "s1"}, {"v2", "", "s2"}, Outcome::Updated,
                 "Complete", 71'250};
  EXPECT_EQ(logLine(r), "T\tH\tPrn A\tUSB001\tQM\tv1\tv2\tc1\t-\ts1\ts2\tupdated\t0\t71.2");
}

// Early in the flash wait the rate since the step opened said "1:00 left" at
// 30 % with 47 s to go; the fixed waits still to come say it right.
TEST(ConsoleTexts, TimeLeftIsTheFixedWaitsStillToCome) {
  using updater::Family;
  const struct {
    Family family;
    float progress;
    std::optional<uint64_t> leftMs;
  } cases[] = {
      {Family::Qm, 5.0f, 3500 + 1000 + 55250 + 1000},
      {Family::Qm, 15.0f, 1000 + 55250 + 1000},
      {Family::Qm, 20.0f, 55250 + 1000},
      {Family::Qm, 30.0f, 550 * 85 + 1000},
      {Family::Qn, 30.0f, 600 * 80 + 1000},
      {Family::Qm, 85.0f, std::nullopt},
      {Family::Qn, 90.0f, std::nullopt},
      {Family::None, 30.0f, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(fixedWaitsLeftMs(c.family, c.progress), c.leftMs) << c.progress;
  EXPECT_EQ(minutesSeconds(*fixedWaitsLeftMs(Family::Qm, 30.0f)), "0:48");
}

// --- the commands on a simulated host ----------------------------------------

const std::vector<RigPrinter> kFleet = {
    {"QM Thermal Printer", u"USB001", sim::Family::QM, 0x840, {}},
    {"QN Thermal Printer", u"USB002", sim::Family::QN, 0x840, {}},
    {"Office Laser", u"LPT1", std::nullopt, 0x840, {}},
    {"QM Offline", u"USB003", sim::Family::QM, 0xC40, {}},
    {"QM Long Port", u"USB_PORT_NAME_TOO_LONG", sim::Family::QM, 0x840, {}},
};

TEST(ConsoleCommands, ListShowsEveryPrinterAndChangesNone) {
  Rig rig(kFleet);
  EXPECT_EQ(rig.run({"list", "--json"}), 0);
  ASSERT_EQ(rig.output.out.size(), 5u);
  EXPECT_EQ(rig.output.out[0],
            R"({"printer":"QM Thermal Printer","port":"USB001","usable":true,"family":"QM","status":"0x10001",)"
            R"("statusMeaning":"answer 0, ready","firmwareVersion":")" +
                sim::defaultFirmware(sim::Family::QM) +
                R"(","colorDataVersion":"QM0200.QMD","colorDataChecksum":"0000","updateDue":true})");
  EXPECT_NE(rig.output.out[1].find(R"("family":"QN")"), std::string::npos);
  EXPECT_NE(rig.output.out[2].find(R"("family":null,"status":"0x80000000")"), std::string::npos);
  EXPECT_NE(rig.output.out[3].find(R"("usable":false,"reason":"offline")"), std::string::npos);
  EXPECT_NE(rig.output.out[4].find(R"("reason":"port name too long")"), std::string::npos);
  EXPECT_EQ(rig.printer(sim::Family::QM, u"USB001").firmware, sim::defaultFirmware(sim::Family::QM));
  EXPECT_EQ(rig.runGuard.started, 0);
}

TEST(ConsoleCommands, ListReachesMorePrintersThanALibraryRegisters) {
  std::vector<RigPrinter> eleven;
  for (int i = 10; i <= 20; ++i) {
    const std::string n = std::to_string(i);
    eleven.push_back({"Printer " + n, u"USB0" + std::u16string(n.begin(), n.end()),
                      sim::Family::QM, 0x840, {}});
  }
  Rig rig(eleven);
  EXPECT_EQ(rig.run({"list", "--json"}), 0);
  ASSERT_EQ(rig.output.out.size(), 11u);
  for (const std::string& line : rig.output.out) EXPECT_NE(line.find(R"("updateDue":true)"), std::string::npos) << line;
}

TEST(ConsoleCommands, InfoReadsEveryQueryAndNoWrite) {
  Rig rig(kFleet);
  EXPECT_EQ(rig.run({"info", "qn", "--json"}), 0);  // a unique beginning, any case
  ASSERT_EQ(rig.output.out.size(), 1u);
  const std::string& o = rig.output.out[0];
  for (const char* key : {"serialNumber", "sensorInfo", "media", "mediaLotNumber", "mediaCounter",
                          "mediaColorOffset", "printQuantity", "counterL", "counterA", "counterB", "resolutionH",
                          "resolutionV", "freeBuffer", "colorDataVersion", "colorDataChecksum", "mediaIdSetInfo"}) {
    EXPECT_NE(o.find("\"" + std::string(key) + "\":"), std::string::npos) << key;
  }
  EXPECT_NE(o.find(R"("counterL":48211,"counterA":1520,"counterB":377)"), std::string::npos) << o;
  EXPECT_EQ(o.find("null"), std::string::npos) << o;
  for (const std::string& name : rig.output.err) ADD_FAILURE() << name;
}

TEST(ConsoleCommands, ErrorExits) {
  struct Case {
    std::vector<std::string> args;
    int code;
  };
  const Case cases[] = {
      {{"update", "Nobody"}, 20},        {{"update", "QM"}, 64},  // three printers begin with QM
      {{"info", "--port", "LPT9"}, 20},  {{"update", "Office"}, 21},
      {{"info", "Office Laser"}, 21},    {{"update", "QM Offline"}, 22},
      {{"update", "QM Long"}, 22},       {{"update", "--port", "usb001", "--lang", "xx"}, 64},
  };
  for (const Case& c : cases) {
    Rig rig(kFleet);
    EXPECT_EQ(rig.run(c.args), c.code) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(rig.runGuard.started, 0);
    EXPECT_EQ(rig.printer(sim::Family::QM, u"USB001").firmware, sim::defaultFirmware(sim::Family::QM));
  }
  Rig held(kFleet);
  held.printers.heldElsewhere.insert(u"USB001");
  EXPECT_EQ(held.run({"update", "--port", "USB001"}), 23);
  EXPECT_EQ(held.run({"info", "QM Thermal Printer"}), 23);

  Rig noQmd(kFleet);
  noQmd.files.files.erase(std::string(sim::kColorDataFileName));
  EXPECT_EQ(noQmd.run({"update", "QM Thermal Printer"}), 30);
  EXPECT_NE(noQmd.output.all(Stream::Err).find("QM0210.QMD"), std::string::npos);
  EXPECT_EQ(noQmd.printer(sim::Family::QM, u"USB001").firmware, sim::defaultFirmware(sim::Family::QM));
}

TEST(ConsoleCommands, UpdateThenUpToDateWithLogAndProgress) {
  Rig rig(kFleet);
  EXPECT_EQ(rig.run({"update", "QM Thermal Printer", "--log", "fleet.log"}), 0);
  EXPECT_EQ(rig.printer(sim::Family::QM, u"USB001").firmware, sim::releaseFirmware(sim::Family::QM));
  const std::string out = rig.output.all(Stream::Out);
  for (int step = 1; step <= 5; ++step) {
    EXPECT_NE(out.find("step " + std::to_string(step) + "/5 "), std::string::npos) << out;
  }
  EXPECT_NE(out.find("2026-12-08T12:00:00Z   50%"), std::string::npos) << out;
  // A console has no buttons to push.
  EXPECT_EQ((out + rig.output.all(Stream::Err)).find("Push ["), std::string::npos) << out;
  ASSERT_EQ(rig.logs["fleet.log"].size(), 1u);
  EXPECT_NE(rig.logs["fleet.log"][0].find("\tQM_MASTER 5.00  QM_SLAVE  5.00\tQM0200.QMD\tQM0210.QMD\t0000\tFF32\tupdated\t0\t"),
            std::string::npos)
      << rig.logs["fleet.log"][0];

  EXPECT_EQ(rig.run({"update", "QM Thermal Printer", "--log", "fleet.log"}), 10);
  EXPECT_EQ(rig.run({"update", "QM Thermal Printer", "--force", "--json"}), 0);
  EXPECT_NE(rig.output.out.back().find(R"("outcome":"updated","exitCode":0)"), std::string::npos);
}

TEST(ConsoleCommands, AllReportsEachAndTheWorstWins) {
  std::vector<RigPrinter> fleet = kFleet;
  fleet[1].faults.rejectImage = true;
  Rig rig(fleet);
  EXPECT_EQ(rig.run({"update", "--all", "--json", "--log", "fleet.log"}), 40);
  // Every printer has its object and log line, those passed over too.
  const char* outcomes[] = {"updated", "printer-failed", "not-qm-qn", "not-ready", "not-ready"};
  ASSERT_EQ(rig.output.out.size(), 5u);
  ASSERT_EQ(rig.logs["fleet.log"].size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_NE(rig.output.out[i].find(std::string(R"("outcome":")") + outcomes[i] + "\""), std::string::npos)
        << rig.output.out[i];
  }
  EXPECT_NE(rig.output.out[3].find(R"("message":"passed over: offline")"), std::string::npos);
  EXPECT_NE(rig.output.out[4].find(R"("message":"passed over: port name too long")"), std::string::npos);
  // A host whose only QM/QN printer is offline has nothing ready to update.
  Rig offline({kFleet[2], kFleet[3]});
  EXPECT_EQ(offline.run({"update", "--all"}), 22);
}

TEST(ConsoleCommands, StopDuringTheFlashWaitFinishesThatPrinterOnly) {
  Rig rig(kFleet);
  rig.stopAt = 20'000;  // inside the QM printer's flash wait
  rig.output.onConsole = true;
  // The QN printer and the laser are not started; the offline printer and
  // the long port are not ready and weigh more.
  EXPECT_EQ(rig.run({"update", "--all"}), 22);
  EXPECT_NE(rig.output.all(Stream::Out).find("QN Thermal Printer (USB002): stopped"), std::string::npos);
  EXPECT_EQ(rig.printer(sim::Family::QM, u"USB001").firmware, sim::releaseFirmware(sim::Family::QM));
  EXPECT_EQ(rig.printer(sim::Family::QN, u"USB002").firmware, sim::defaultFirmware(sim::Family::QN));
  EXPECT_NE(rig.output.all(Stream::Err).find("Stop requested: qmqn stops once QM Thermal Printer is safe"),
            std::string::npos);
  EXPECT_GT(rig.output.statuses.size(), 50u);  // a new text each percent and second, not each tick
  EXPECT_LT(rig.output.statuses.size(), 200u);
  EXPECT_EQ(rig.runGuard.started, 1);
  EXPECT_FALSE(rig.runGuard.held());
}

// Inputs first, every run on record, a cut-off run named once.
TEST(ConsoleCommands, LogRecordAndInterruptedRun) {
  Rig noFolder(kFleet);
  EXPECT_EQ(noFolder.run({"update", "QM Thermal Printer", "--log", "missing/fleet.log"}), 31);
  EXPECT_EQ(noFolder.runGuard.started, 0);

  Rig rig(kFleet);
  // A run killed in the flash wait left its record without an outcome.
  rig.runs.file("01-USB001.run").text =
      "run\tstart=2026-12-07T08:00:00Z\tprinter=QM Thermal Printer\tport=USB001\tfamily=QM\n"
      "step\tms=4600\tstep=4\tevent=opened\n";
  rig.logBusyUntil = 20'000;  // another process holds the log for a while
  EXPECT_EQ(rig.run({"update", "qm therm", "--log", "fleet.log"}), 0);
  EXPECT_NE(rig.output.all(Stream::Err).find("started 2026-12-07T08:00:00Z, was interrupted in step 4"),
            std::string::npos);
  ASSERT_EQ(rig.logs["fleet.log"].size(), 2u);
  EXPECT_NE(rig.logs["fleet.log"][0].find("\tinterrupted\t-\t-"), std::string::npos) << rig.logs["fleet.log"][0];
  const std::vector<RunFolder::File> files = rig.runs.files();
  ASSERT_EQ(files.size(), 2u);
  const std::optional<RunSummary> run = summarizeRun(files[1]);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->state, RunSummary::State::Complete);
  EXPECT_EQ(run->outcome, "updated");
  EXPECT_EQ(run->after.colorDataChecksum, "FF32");
  EXPECT_EQ(run->lastStep, 5);

  // Said once; a log held for longer than the wait costs the line, not the result.
  rig.output = {};
  rig.logBusyUntil = rig.clock.now + 60'000;
  EXPECT_EQ(rig.run({"update", "--port", "usb001", "--log", "fleet.log"}), 10);
  EXPECT_EQ(rig.output.all(Stream::Err).find("interrupted"), std::string::npos);
  EXPECT_NE(rig.output.all(Stream::Err).find("Could not append to the log file fleet.log"), std::string::npos);
  EXPECT_EQ(rig.logs["fleet.log"].size(), 2u);
}

TEST(ConsoleCommands, PrinterStillWritingItsFlashIsLeftAlone) {
  std::vector<RigPrinter> fleet = {{"Принтер QM", u"USB001", sim::Family::QM, 0x840, {}, "FU2"}};
  Rig rig(fleet);
  EXPECT_EQ(rig.run({"update", "принтер", "--force"}), 22);
  EXPECT_NE(rig.output.all(Stream::Err).find("leave it switched on, wait a few minutes"), std::string::npos);
  EXPECT_EQ(rig.runGuard.started, 0);
}

}  // namespace
}  // namespace qmqn::testing
