// Where each update run leaves its record on the host (run_record.h gives
// its lines): a record of its own per run, created new when the run starts,
// then appended and flushed line by line. A record that can't be created or
// written never stops or slows the run.
#pragma once
#include <string_view>
#include <vector>

#include "updater/run_record.h"

namespace updater {

class RunJournal {
 public:
  // What the header says of the host and the program: start (UTC now),
  // host, user, program, version, pid.
  virtual std::vector<RecordField> origin() = 0;
  // Creates the run's record for the port with its first line; false when
  // it can't be created.
  virtual bool create(std::string_view port, std::string_view firstLine) = 0;
  // False when the line could not be written.
  virtual bool write(std::string_view line) = 0;
  virtual void close() = 0;

 protected:
  ~RunJournal() = default;
};

}  // namespace updater
