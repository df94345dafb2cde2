#include "console/status_meaning.h"

#include <cstdio>

#include "QmStatusTable.h"
#include "updater/status_codes.h"

namespace qmqn {

std::string statusHex(uint32_t status) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(status));
  return text;
}

std::string statusMeaning(uint32_t status) {
  if (status == updater::kStatusNone) return "no status (not a QM/QN printer)";
  const std::optional<std::string> answer = qmstat::answerOf(status);
  const std::string prefix = answer ? "answer " + *answer + ", " : std::string();
  if (status == updater::kFlashRewriteMode) return prefix + "firmware update mode";
  return prefix + (updater::isReadyStatus(status) ? "ready" : "printer error");
}

}  // namespace qmqn
