// SHA-256 of a byte string, to recognise the release files a package was
// built with.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace updater {

using Sha256 = std::array<uint8_t, 32>;

Sha256 sha256(std::span<const uint8_t> bytes);
// Lower-case hexadecimal, 64 characters.
std::string hexOf(const Sha256& digest);

}  // namespace updater
