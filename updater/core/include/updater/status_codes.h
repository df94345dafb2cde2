// The status codes the updater acts on, named by the printer's answer behind
// them in the libraries' status table.
#pragma once
#include <cstdint>

#include "QmStatusTable.h"
#include "updater/status_binding.h"

namespace updater {

inline constexpr uint32_t kStatusAnswer0 = qmstat::plainStatus(0);
inline constexpr uint32_t kStatusAnswer1100 = qmstat::plainStatus(1100);
inline constexpr uint32_t kStatusAnswer1200 = qmstat::plainStatus(1200);
inline constexpr uint32_t kStatusAnswer1000 = qmstat::plainStatus(1000);
inline constexpr uint32_t kFlashRewriteMode = qmstat::fuStatus(1);
static_assert(kStatusAnswer0 == 0x10001 && kFlashRewriteMode == 0x100001);

// Statuses with which a check or run goes on (flash rewrite mode included).
inline constexpr bool isReadyStatus(uint32_t s) {
  return s == kStatusAnswer0 || s == kStatusAnswer1100 || s == kStatusAnswer1200 || s == kStatusAnswer1000 ||
         s == kFlashRewriteMode;
}

// What the wait after the flash write accepts: ready, not in rewrite mode.
inline constexpr bool isReadyAfterWrite(uint32_t s) {
  return s != kFlashRewriteMode && isReadyStatus(s);
}

}  // namespace updater
