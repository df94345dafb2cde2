#include <gtest/gtest.h>

#include <map>
#include <string>

#include "updater/export_binding.h"

namespace updater {
namespace {

int32_t QMSTAT_CALL init(const QmPortChar*) { return 7; }
uint32_t QMSTAT_CALL status(int32_t h) { return h == 7 ? 0x10001 : 0; }
int32_t QMSTAT_CALL text(int32_t, char* t) {
  t[0] = 'V';
  t[1] = '\0';
  return 1;
}
int32_t QMSTAT_CALL mode(int32_t) { return 1; }
int32_t QMSTAT_CALL write(int32_t, const void*, uint32_t n) { return static_cast<int32_t>(n); }
int32_t QMSTAT_CALL setVersion(int32_t, const char*, int32_t n) { return n; }

StatusExports qnExports() {
  StatusExports e;
  e.initialize = init;
  e.getStatus = status;
  e.getFirmwVersion = text;
  e.setFirmwUpdateMode = mode;
  e.setFirmwDataWrite = write;
  e.getColorDataVersion = text;
  e.getColorDataChecksum = text;
  return e;
}

TEST(ExportBinding, CompleteTableCallsThrough) {
  auto qn = makeExportBinding(qnExports(), ExportSet::Qn);
  const int32_t h = qn->initialize(u"USB001");
  EXPECT_EQ(h, 7);
  EXPECT_EQ(qn->getStatus(h), 0x10001u);
  char buffer[kQueryBufferSize] = {};
  EXPECT_EQ(qn->getFirmwVersion(h, buffer), 1);
  EXPECT_EQ(qn->setFirmwDataWrite(h, buffer, 16), 16);
  EXPECT_EQ(qn->setColorDataVersion(h, "QM0210.QMD", 10), -1);  // not a QN call
}

TEST(ExportBinding, AnyMissingExportGivesALibraryWithoutAnswer) {
  StatusExports e = qnExports();
  e.getColorDataChecksum = nullptr;
  auto qn = makeExportBinding(e, ExportSet::Qn);
  EXPECT_EQ(qn->getStatus(qn->initialize(u"USB001")), kStatusNone);

  // QM needs the colour control data writes as well.
  auto qm = makeExportBinding(qnExports(), ExportSet::Qm);
  EXPECT_EQ(qm->initialize(u"USB001"), 0);  // a handle that names no port
  EXPECT_EQ(qm->getStatus(7), kStatusNone);
  char buffer[kQueryBufferSize] = {};
  EXPECT_LE(qm->getFirmwVersion(7, buffer), 0);
  EXPECT_LE(qm->setFirmwDataWrite(7, buffer, 16), 0);

  StatusExports full = qnExports();
  full.setColorDataVersion = setVersion;
  full.setColorDataWrite = write;
  EXPECT_EQ(makeExportBinding(full, ExportSet::Qm)->initialize(u"USB001"), 7);
}

// A host with QnStat.dll (plain names) and nothing else, unless told.
class FakeLoader final : public LibraryLoader {
 public:
  void* load(const char* fileName) override {
    loads.push_back(fileName);
    return std::string(fileName) == "QnStat.dll" && present ? this : nullptr;
  }
  Function find(void*, const char* name) override {
    auto it = exports.find(name);
    return it == exports.end() ? nullptr : it->second;
  }
  void unloadAll() override {}
  template <typename F>
  void add(const char* name, F f) {
    exports[name] = reinterpret_cast<Function>(f);
  }
  bool present = true;
  std::vector<std::string> loads;
  std::map<std::string, Function> exports;
};

FakeLoader qnHost() {
  FakeLoader host;
  host.add("PortInitialize", init);
  host.add("GetStatus", status);
  host.add("GetFirmwVersion", text);
  host.add("SetFirmwUpdateMode", mode);
  host.add("SetFirmwDataWrite", write);
  host.add("GetColorDataVersion", text);
  host.add("GetColorDataChecksum", text);
  return host;
}

TEST(ExportBinding, LoadsTheLibraryAtTheFirstCallOnly) {
  FakeLoader host = qnHost();
  ExportBinding qn(host, ExportSet::Qn);
  EXPECT_TRUE(host.loads.empty());
  const int32_t h = qn.initialize(u"USB001");
  EXPECT_EQ(h, 7);
  EXPECT_EQ(qn.getStatus(h), 0x10001u);
  EXPECT_EQ(host.loads, std::vector<std::string>{"QnStat.dll"});
}

TEST(ExportBinding, MissingLibraryOrExportGivesNoAnswer) {
  FakeLoader absent = qnHost();
  absent.present = false;
  FakeLoader partial = qnHost();
  partial.exports.erase("GetColorDataChecksum");
  FakeLoader qnOnly = qnHost();  // QmStat.dll is not there at all
  const std::pair<FakeLoader*, ExportSet> hosts[] = {
      {&absent, ExportSet::Qn}, {&partial, ExportSet::Qn}, {&qnOnly, ExportSet::Qm}};
  for (auto [host, set] : hosts) {
    ExportBinding lib(*host, set);
    EXPECT_EQ(lib.initialize(u"USB001"), 0);
    EXPECT_EQ(lib.getStatus(7), kStatusNone);
    char buffer[kQueryBufferSize] = {};
    EXPECT_LE(lib.getFirmwVersion(7, buffer), 0);
    EXPECT_EQ(host->loads.size(), 1u);  // not tried again
  }
  EXPECT_EQ(qnOnly.loads, std::vector<std::string>{"QmStat.dll"});
}

}  // namespace
}  // namespace updater
