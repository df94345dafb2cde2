// The printer's check of a firmware image before it programs its flash.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace printer_sim {

struct ImageCheck {
  bool ok = false;
  std::string version;  // from the S0 record
  std::string error;    // why the image was rejected
};

// Accepts: CR LF ended records (empty lines ignored), one S0 carrying a
// printable version first, S3 records with contiguous addresses from 0, one
// S7 last, then only zero bytes, exactly as many as the host's two zero-fill
// passes give for the record text.
ImageCheck checkFirmwareImage(const std::vector<uint8_t>& image);

}  // namespace printer_sim
