#include "console/update_report.h"

#include <cstdio>

#include "console/json.h"

namespace qmqn {
namespace {

std::string field(std::string_view text) {
  if (text.empty()) return "-";
  std::string out(text);
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::string seconds(uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%01llu", static_cast<unsigned long long>(ms / 1000),
                static_cast<unsigned long long>(ms % 1000 / 100));
  return text;
}

// A value not read is null.
std::optional<std::string> readOrNull(const std::string& value) {
  return value.empty() ? std::nullopt : std::optional<std::string>(value);
}

std::string versionsJson(const Versions& v) {
  return JsonObject()
      .addOrNull("firmware", readOrNull(v.firmware))
      .addOrNull("colorDataVersion", readOrNull(v.colorDataVersion))
      .addOrNull("colorDataChecksum", readOrNull(v.colorDataChecksum))
      .text();
}

}  // namespace

Versions versionsOf(const updater::UpdateState& state) {
  return {state.firmware.text.value_or(std::string()), state.colorDataVersion.text.value_or(std::string()),
          state.colorDataChecksum.text.value_or(std::string())};
}

std::string familyCode(updater::Family family) {
  const updater::Release* release = updater::releaseFor(family);
  return release ? std::string(release->familyCode) : std::string();
}

namespace {

std::string logLineWith(const UpdateReport& r, std::string_view outcome, const std::string& code,
                        const std::string& took) {
  const std::string fields[] = {
      field(r.time),
      field(r.host),
      field(r.printer),
      field(r.port),
      field(r.family),
      field(r.before.firmware),
      field(r.after.firmware),
      field(r.before.colorDataVersion),
      field(r.after.colorDataVersion),
      field(r.before.colorDataChecksum),
      field(r.after.colorDataChecksum),
      std::string(outcome),
      field(code),
      field(took),
  };
  std::string line;
  for (const std::string& f : fields) line += (line.empty() ? "" : "\t") + f;
  return line;
}

}  // namespace

std::string logLine(const UpdateReport& r) {
  const ExitCodeRow& row = rowOf(r.outcome);
  return logLineWith(r, row.name, std::to_string(row.code), seconds(r.durationMs));
}

std::string interruptedLogLine(const UpdateReport& r) { return logLineWith(r, "interrupted", "", ""); }

std::string jsonLine(const UpdateReport& r) {
  const ExitCodeRow& row = rowOf(r.outcome);
  return JsonObject()
      .add("time", r.time)
      .add("host", r.host)
      .add("printer", r.printer)
      .add("port", r.port)
      .add("family", r.family)
      .addRaw("before", versionsJson(r.before))
      .addRaw("after", versionsJson(r.after))
      .add("outcome", row.name)
      .add("exitCode", int64_t{row.code})
      .add("message", r.message)
      .add("durationMs", static_cast<int64_t>(r.durationMs))
      .text();
}

}  // namespace qmqn

namespace qmqn {

std::string jsonCheckLine(const UpdateReport& r) {
  JsonObject o;
  o.add("time", r.time)
      .add("host", r.host)
      .add("printer", r.printer)
      .add("port", r.port)
      .add("family", r.family)
      .addRaw("versions", versionsJson(r.before))
      .add("outcome", rowOf(r.outcome).name);
  if (r.outcome == Outcome::UpdateDue || r.outcome == Outcome::UpToDate) {
    o.add("updateDue", r.outcome == Outcome::UpdateDue);
  } else {
    o.addRaw("updateDue", "null");
  }
  return o.add("message", r.message).text();
}

}  // namespace qmqn
