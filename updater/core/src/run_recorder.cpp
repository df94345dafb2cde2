#include "updater/run_recorder.h"

#include <cstdio>

namespace updater {
namespace {

struct OutcomeRow {
  RunEnd end;
  RunOutcome outcome;
};
// qmqn's exit-code table says the same of these outcomes.
constexpr OutcomeRow kOutcomes[] = {
    {RunEnd::Complete, {"updated", 0, "updated"}},
    {RunEnd::BadFile, {"bad-data-file", 30, "a data file is missing or invalid; the printer was not touched"}},
    {RunEnd::StatusNotReady,
     {"not-ready", 22, "printer not ready (offline, no bidirectional support, port name too long, printer error)"}},
    {RunEnd::FirmwareFailed, {"printer-failed", 40, "the printer failed during the update"}},
    {RunEnd::ColorDataFailed, {"printer-failed", 40, "the printer failed during the update"}},
};

std::string familyName(Family family) {
  const Release* release = releaseFor(family);
  return release ? std::string(release->familyCode) : std::string();
}

void addValues(RecordLine& line, const ReadValue& firmware, const ReadValue& version, const ReadValue& checksum) {
  line.fields.push_back({"firmware", firmware.text.value_or(std::string())});
  line.fields.push_back({"colorDataVersion", version.text.value_or(std::string())});
  line.fields.push_back({"colorDataChecksum", checksum.text.value_or(std::string())});
}

}  // namespace

RunOutcome runOutcomeOf(RunEnd end) {
  for (const OutcomeRow& row : kOutcomes) {
    if (row.end == end) return row.outcome;
  }
  return {"ignored", -1, "a run was already in progress"};
}

void RunRecorder::begin(const UpdateState& state, const PrinterValues& before,
                        std::span<const RunFileDigest> files) {
  if (journal_ == nullptr) return;
  startMs_ = clock_.nowMs();
  RecordLine header{"run", journal_->origin()};
  header.fields.push_back({"printer", state.printer});
  header.fields.push_back({"port", state.port});
  header.fields.push_back({"family", familyName(state.family)});
  addValues(header, before.firmware, before.colorDataVersion, before.colorDataChecksum);
  for (const RunFileDigest& f : files) header.fields.push_back({"file", f.name + ":" + f.sha256});
  open_ = journal_->create(state.port, recordLine(header));
  failed_ = !open_;
}

void RunRecorder::write(RecordLine line) {
  if (!open_) return;
  line.fields.insert(line.fields.begin(), {"ms", std::to_string(sinceStart())});
  if (!journal_->write(recordLine(line))) {
    failed_ = true;
    open_ = false;
    journal_->close();
  }
}

void RunRecorder::step(int step, bool opened) {
  write({"step", {{"step", std::to_string(step)}, {"event", opened ? "opened" : "closed"}}});
}

void RunRecorder::call(std::string_view exportName, std::string_view args, std::string_view result,
                       uint64_t tookMs, std::string_view reply) {
  RecordLine line{"call", {{"export", std::string(exportName)}}};
  if (!args.empty()) line.fields.push_back({"args", std::string(args)});
  line.fields.push_back({"result", std::string(result)});
  if (!reply.empty()) line.fields.push_back({"reply", std::string(reply)});
  line.fields.push_back({"took", std::to_string(tookMs)});
  write(std::move(line));
}

void RunRecorder::wait(uint64_t ms) { write({"wait", {{"for", std::to_string(ms)}}}); }

void RunRecorder::notice(std::string_view text) { write({"notice", {{"text", std::string(text)}}}); }

void RunRecorder::end(const UpdateState& state, RunEnd end) {
  const RunOutcome outcome = runOutcomeOf(end);
  RecordLine line{"end",
                  {{"outcome", std::string(outcome.name)},
                   {"code", std::to_string(outcome.code)},
                   {"meaning", std::string(outcome.meaning)}}};
  addValues(line, state.firmware, state.colorDataVersion, state.colorDataChecksum);
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(sinceStart()) / 1000.0);
  line.fields.push_back({"seconds", seconds});
  write(std::move(line));
  if (open_) journal_->close();
  open_ = false;
}

}  // namespace updater
