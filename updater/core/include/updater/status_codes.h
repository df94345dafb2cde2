// The status codes the updater acts on.
#pragma once
#include <cstdint>

#include "updater/status_binding.h"

namespace updater {

inline constexpr uint32_t kFlashRewriteMode = 0x100001;

// Statuses with which a check or run goes on (flash rewrite mode included).
inline constexpr bool isReadyStatus(uint32_t s) {
  return s == 0x10001 || s == 0x10008 || s == 0x10010 || s == 0x20001 || s == kFlashRewriteMode;
}

// What the wait after the flash write accepts: ready, not in rewrite mode.
inline constexpr bool isReadyAfterWrite(uint32_t s) {
  return s != kFlashRewriteMode && isReadyStatus(s);
}

}  // namespace updater
