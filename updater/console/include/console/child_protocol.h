// How a printer process of a parallel update talks to the qmqn that started
// it: its standard output carries records, one per line, UTF-8: a kind
// letter, a blank and the text, with backslash and line ends escaped.
//   O  a line for standard output (a summary, a JSON object, a tagged line)
//   E  a line for standard error (notices, the stop message)
//   P  the printer's progress row (with rows: the parent is on a console)
// The parent asks it to stop with a line "stop" on its standard input; the
// end of its standard input asks the same.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/tool_host.h"

namespace qmqn {

struct ChildRecord {
  char kind = 'O';
  std::string text;
};

std::string encodeRecord(const ChildRecord& record);

// Cuts a stream of bytes into records. A line it can't read comes back whole
// as an E record, so that nothing the process said is lost.
class RecordReader {
 public:
  std::vector<ChildRecord> feed(std::string_view bytes);
  // What is left at the process's end, without its line end.
  std::vector<ChildRecord> finish();

 private:
  std::string pending_;
};

// The printer process's Output: every line and status becomes a record for
// the parent. Console: the parent draws rows on a console.
class ChildOutput final : public Output {
 public:
  ChildOutput(std::function<void(std::string_view)> write, bool console)
      : write_(std::move(write)), console_(console) {}
  void line(Stream stream, std::string_view text) override;
  void status(std::string_view text) override;
  bool console() const override { return console_; }

 private:
  std::function<void(std::string_view)> write_;
  bool console_;
};

}  // namespace qmqn
