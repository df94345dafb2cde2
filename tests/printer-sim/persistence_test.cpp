#include <gtest/gtest.h>

#include "printer_sim/sample_data.h"
#include "sim_rig.h"
#include "state_codec.h"

namespace {
using namespace sim_test;

void update(Simulator& sim, ManualClock& clock) {
  uint32_t n = 0;
  auto send = [&](const std::string& s) {
    return sim.ioControl(u"USB001", kSendCode, s.data(), static_cast<uint32_t>(s.size()), nullptr, 0, &n);
  };
  send("\x1bPFW_UPDFLASH_REWRITE           ");
  clock.advance(1500);
  auto image = firmwareImageFromText(makeSampleFirmware(Family::QM));
  send("\x1bPFW_UPDFLASH_PROGRAM   " + digits8(image.size()) + bytes(image));
  clock.advance(30000);
  send(frame("PTBL_WT", "Version", std::string("QM0210.QMD\0\0\0\0\0\0", 16)));
  send(frame("PTBL_WT", "G_Sigma_Y", std::string(16, '\x10')));
  send(frame("PMNT_WT", "COUNTER_CLEAR", std::string("CA\r\0", 4)));
}

TEST(Persistence, SecondStartSeesTheUpdatedPrinter) {
  ManualClock clock;
  MemoryStateStore store;
  {
    Simulator sim(defaultConfig(Family::QM), clock, &store);
    update(sim, clock);
    EXPECT_EQ(sim.checksumText(u"USB001"), "0100");
  }
  EXPECT_GT(store.saves(), 4u);
  Simulator again(defaultConfig(Family::QM), clock, &store);
  const PrinterState* p = again.printer(u"USB001");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->mode, Mode::Ready);
  EXPECT_EQ(p->firmware, "QM_MASTER 5.00  QM_SLAVE  5.00");
  EXPECT_EQ(bytes(p->versionTable), std::string("QM0210.QMD\0\0\0\0\0\0", 16));
  EXPECT_EQ(p->counterA, 0u);
  EXPECT_EQ(p->tables.size(), 60u);
  EXPECT_EQ(again.checksumText(u"USB001"), "0100");
}

TEST(Persistence, RewriteModeAndDeadlinesSurviveARestart) {
  ManualClock clock;
  MemoryStateStore store;
  {
    Simulator sim(defaultConfig(Family::QM), clock, &store);
    std::string f = "\x1bPFW_UPDFLASH_REWRITE           ";
    uint32_t n = 0;
    sim.ioControl(u"USB001", kSendCode, f.data(), 32, nullptr, 0, &n);
  }
  Simulator again(defaultConfig(Family::QM), clock, &store);
  EXPECT_EQ(again.printer(u"USB001")->mode, Mode::Switching);
  clock.advance(1500);
  EXPECT_EQ(again.printer(u"USB001")->mode, Mode::Rewrite);
}

TEST(Persistence, OtherFamilyOrDamagedStateIsIgnored) {
  ManualClock clock;
  MemoryStateStore store;
  {
    Simulator sim(defaultConfig(Family::QM), clock, &store);
    update(sim, clock);
  }
  Simulator qn(defaultConfig(Family::QN), clock, &store);
  EXPECT_EQ(qn.printer(u"USB001")->firmware, "QN_MASTER 1.50  QN_SLAVE  1.50");

  MemoryStateStore damaged;
  damaged.save("printer-sim-state 1\n[USB001]\nfamily=QM\nfirmware=X\nversion_table=ZZ\n");
  Simulator sim(defaultConfig(Family::QM), clock, &damaged);
  EXPECT_EQ(sim.printer(u"USB001")->firmware, "QM_MASTER 4.10  QM_SLAVE  4.10");
}

// Whatever a start takes from a state file, the next start gets back unchanged;
// the rest is left out, and the trace says so.
TEST(Persistence, AStartTakesOnlyWhatItStoresUnchanged) {
  ManualClock clock;
  MemoryStateStore store;
  store.save("printer-sim-state 1\n"
             "[USB001]\nfamily=QM\nmode=programming\nuntil=0\nnext_firmware=QM 5\r\r\r\n"
             "[USB002]\nfamily=QN\nmode=programming\nuntil=0\nnext_firmware=QN 2\n"
             "[USB002]\nfamily=QN\n"
             "[USB003]\nfamily=QM\nmode=programming\nuntil=0\nnext_firmware=QM\x01\xBB 5\n"
             "[USB004]\ncounter_a=4294967296\n");
  Config config = defaultConfig(Family::QM);
  config.printers.push_back(make<PrinterConfig>([](auto& p) { p.port = u"USB002"; p.family = Family::QN; }));
  config.printers.push_back(make<PrinterConfig>([](auto& p) { p.port = u"USB003"; }));
  auto held = [](Simulator& sim) {
    PortStates ports;
    for (const char16_t* port : {u"USB001", u"USB002", u"USB003"}) ports.emplace_back(port, sim.printer(port));
    return encodeState(ports);
  };
  LineSink firstTrace, againTrace;
  Simulator first(config, clock, &store, &firstTrace);
  clock.advance(4000);
  const std::string firstHeld = held(first);  // restarted with the new versions, which are saved
  EXPECT_EQ(first.printer(u"USB003")->firmware, "QM\x01\xBB 5");
  EXPECT_EQ(first.printer(u"USB001")->firmware, "QM_MASTER 4.10  QM_SLAVE  4.10");
  EXPECT_EQ(firstTrace.lines, (std::vector<std::string>{
                                  "state [USB001] line 6 not understood: ignored",
                                  "state [USB004] line 20 not understood: ignored",
                                  "state [USB002] named in 2 sections: all ignored",
                                  "state [USB003] tables: 0 unknown or of wrong size, 60 cleared",
                              }));
  Simulator again(config, clock, &store, &againTrace);
  EXPECT_TRUE(held(again) == firstHeld) << "the state changed across a restart";
  EXPECT_TRUE(againTrace.lines.empty());
}

TEST(Config, PrintersTimingsAndFaults) {
  auto parsed = parseConfig(
      "# test printers\n"
      "[sim]\n"
      "trace = sim.trace\n"
      "rewrite_delay_ms = 100\n"
      "program_ms = 2000\n"
      "restart_ms = 300\n"
      "[printer USB001]\n"
      "family = QM\n"
      "firmware = QM_MASTER 4.00  QM_SLAVE  4.00\n"
      "status = 1200\n"
      "reject_image = yes\n"
      "[printer USB003]\n"
      "family = QN\n"
      "serial = QN7777\n"
      "wrong_version = QN_MASTER 2.00  QN_SLAVE  1.99\n",
      Family::QM);
  EXPECT_TRUE(parsed.errors.empty());
  const Config& c = parsed.config;
  EXPECT_EQ(c.traceFile, "sim.trace");
  EXPECT_EQ(c.timings.rewriteDelayMs, 100u);
  EXPECT_EQ(c.timings.programMs, 2000u);
  EXPECT_EQ(c.timings.restartMs, 300u);
  ASSERT_EQ(c.printers.size(), 2u);
  EXPECT_EQ(c.printers[0].firmware, "QM_MASTER 4.00  QM_SLAVE  4.00");
  EXPECT_EQ(c.printers[0].statusAnswer, "1200");
  EXPECT_TRUE(c.printers[0].faults.rejectImage);
  EXPECT_EQ(c.printers[1].port, u"USB003");
  EXPECT_EQ(c.printers[1].family, Family::QN);
  EXPECT_EQ(c.printers[1].faults.wrongVersion, "QN_MASTER 2.00  QN_SLAVE  1.99");

  Rig rig(c);
  EXPECT_EQ(rig.status(), "1200\r");
  EXPECT_EQ(rig.exchange(query("PINFO", "SERIAL_NUMBER"), u"USB003"), "QN7777\r");
  EXPECT_FALSE(rig.exchange(query("PSTATUS", ""), u"USB002"));
}

TEST(Config, ErrorsAreReportedByLineAndDefaultsFillIn) {
  auto parsed = parseConfig("[sim]\nprogram_ms = soon\nbogus\n[nowhere]\n", Family::QN);
  ASSERT_EQ(parsed.errors.size(), 3u);
  EXPECT_EQ(parsed.errors[0].rfind("line 2:", 0), 0u);
  ASSERT_EQ(parsed.config.printers.size(), 1u);
  EXPECT_EQ(parsed.config.printers[0].port, u"USB001");
  EXPECT_EQ(parsed.config.printers[0].family, Family::QN);
}

}  // namespace
