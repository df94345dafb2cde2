// Developer and test builds: no release files recorded.
#include "updater/release_record.h"

namespace updater {

const ReleaseRecord& builtInRelease() {
  static constexpr ReleaseRecord kNone{};
  return kNone;
}

}  // namespace updater
