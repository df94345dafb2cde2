// Configuration of the printer simulator: which printers exist on which
// ports, how long the slow operations take, and which faults to inject.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace printer_sim {

enum class Family { QM, QN };

std::string_view familyName(Family family);

// Durations on the injected clock, in milliseconds.
struct Timings {
  uint64_t rewriteDelayMs = 1500;   // FLASH_REWRITE until the printer answers "FU1"
  uint64_t programMs = 25000;       // accepted image until the flash is written
  uint64_t restartMs = 4000;        // printer restarting: every call fails
  uint64_t frameTimeoutMs = 10000;  // an incomplete frame idle this long is dropped
};

// Faults keyed on the simulator's global monitor call count (1-based; 0 = off).
struct CallFaults {
  uint64_t failCall = 0;       // this call fails, its bytes are lost
  uint64_t failFromCall = 0;   // every call from here on fails ...
  uint64_t failUntilCall = 0;  // ... up to and including this one (0 = for ever)
  uint64_t garbleCall = 0;     // reply payload replaced by junk, length kept
  uint64_t truncateCall = 0;   // reply payload cut to half, length field says so
  uint64_t overlongCall = 0;   // length field announces 64 bytes more than sent
};

// Faults of one printer.
struct PrinterFaults {
  bool neverRewrite = false;   // ignores FLASH_REWRITE
  bool stayBusy = false;       // answers the busy answer after programming
  bool rejectImage = false;    // rejects every firmware image
  std::string wrongVersion;    // reported after programming instead of the image's version
};

struct PrinterConfig {
  std::u16string port;
  Family family = Family::QM;
  std::string statusAnswer = "0";  // what PSTATUS answers while the printer is ready
  std::string busyAnswer = "1";    // the answer of the stay-busy fault
  std::string firmware;            // empty: the family's old default
  std::string colorVersion;        // empty: the family's old default, or "QM0210.QMD" with release data
  bool releaseColorData = false;   // tables hold the sample release data instead of zeros
  std::string serial;              // empty: derived from the port
  uint32_t counterLife = 48211;
  uint32_t counterA = 1520;
  uint32_t counterB = 377;
  PrinterFaults faults;
};

struct Config {
  Timings timings;
  CallFaults faults;
  std::string traceFile;  // empty: no trace
  std::vector<PrinterConfig> printers;
};

struct ConfigResult {
  Config config;
  std::vector<std::string> errors;  // "line N: ..." for every line not understood
};

// With no file: one printer of the given family on port "USB001".
Config defaultConfig(Family family);

// Reads the INI-like text described in printer-sim/README.md. A text that
// names no printer gets the default printer.
ConfigResult parseConfig(std::string_view text, Family defaultFamily);

std::string defaultFirmware(Family family);
std::string releaseFirmware(Family family);

}  // namespace printer_sim
