// The record a run leaves on the host, one line at a time: a type, then
// key=value fields, separated by tabs; a tab, line end or backslash inside a
// value is written \t, \n, \r or \\. Line types:
//   run     the header: start (UTC), host, user, program, version, pid,
//           printer, port, family, serial, the values before, a file=NAME:SHA256 per release file
//   step    ms since the start, step, event (opened or closed)
//   call    ms, export, args, result, status, took (ms): a status library call
//   wait    ms, for (ms)
//   notice  ms, text
//   end     ms, outcome, code, meaning, the values after, seconds
// A record without an end line is a run in progress, or one cut off.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace updater {

struct RecordField {
  std::string key;
  std::string value;
};

struct RecordLine {
  std::string type;
  std::vector<RecordField> fields;
  // The first field of that key.
  std::optional<std::string> get(std::string_view key) const;
  std::vector<std::string> all(std::string_view key) const;
};

std::string recordLine(const RecordLine& line);
// None for a line that is not a record line (empty, no type, a field
// without '=', a bad escape).
std::optional<RecordLine> parseRecordLine(std::string_view text);

}  // namespace updater
