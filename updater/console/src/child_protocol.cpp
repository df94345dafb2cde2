#include "console/child_protocol.h"

namespace qmqn {
namespace {

ChildRecord decodeLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() < 2 || line[1] != ' ' || (line[0] != 'O' && line[0] != 'E' && line[0] != 'P')) {
    return {'E', std::string(line)};
  }
  ChildRecord r{line[0], {}};
  for (size_t i = 2; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      const char c = line[++i];
      r.text += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    } else {
      r.text += line[i];
    }
  }
  return r;
}

}  // namespace

std::string encodeRecord(const ChildRecord& record) {
  std::string s{record.kind, ' '};
  for (char c : record.text) {
    if (c == '\\') {
      s += "\\\\";
    } else if (c == '\n') {
      s += "\\n";
    } else if (c == '\r') {
      s += "\\r";
    } else {
      s += c;
    }
  }
  return s + '\n';
}

std::vector<ChildRecord> RecordReader::feed(std::string_view bytes) {
  pending_.append(bytes);
  std::vector<ChildRecord> records;
  size_t start = 0;
  for (size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
    records.push_back(decodeLine(std::string_view(pending_).substr(start, end - start)));
  }
  pending_.erase(0, start);
  return records;
}

std::vector<ChildRecord> RecordReader::finish() {
  std::vector<ChildRecord> records;
  if (!pending_.empty()) records.push_back(decodeLine(pending_));
  pending_.clear();
  return records;
}

void ChildOutput::line(Stream stream, std::string_view text) {
  write_(encodeRecord({stream == Stream::Out ? 'O' : 'E', std::string(text)}));
}

void ChildOutput::status(std::string_view text) { write_(encodeRecord({'P', std::string(text)})); }

}  // namespace qmqn
