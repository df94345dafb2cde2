// What a front end hears from the core as a check or run goes on: each call
// says what happened, in the order it happened; the front end decides how to
// show it. The values themselves stay in the core's UpdateState.
#pragma once
#include <cstdint>
#include <string_view>

#include "updater/update_state.h"

namespace updater {

class FrontEnd {
 public:
  // The start-up check begins on the named printer, in the language chosen:
  // nothing is read yet, no step is reached.
  virtual void checkStarted(std::string_view printer, bool japanese) = 0;
  // The library that answered for the printer (None: neither) and the
  // release the printer is compared with (null with None).
  virtual void familyFound(Family family, const Release* release) = 0;
  // The firmware version, or the colour control data version and checksum
  // (read as a pair), with each one's verdict. A value without text was not
  // read and keeps what it showed.
  virtual void firmwareRead(const ReadValue& version) = 0;
  virtual void colorDataRead(const ReadValue& version, const ReadValue& checksum) = 0;
  // status: the status the check decided by (rewrite mode among them).
  virtual void checkEnded(CheckEnd end, uint32_t status) = 0;

  // The run begins; the values it reads again are forgotten.
  virtual void runStarted() = 0;
  virtual void stepOpened(int step) = 0;
  virtual void stepClosed(int step) = 0;
  // 0 to 100.
  virtual void progressed(float value) = 0;
  virtual void runEnded(RunEnd end) = 0;

  // What Start and Close may do now.
  virtual void allowed(bool start, bool close) = 0;
  // A message the user must acknowledge before anything goes on (a message
  // box in a window); English unless the check chose Japanese.
  virtual void notice(std::string_view text) = 0;

 protected:
  ~FrontEnd() = default;
};

}  // namespace updater
