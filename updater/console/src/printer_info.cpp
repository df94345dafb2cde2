#include "console/printer_info.h"

#include "QmStat.h"
#include "updater/text_query.h"

namespace qmqn {
namespace {

using TextExport = int32_t(QMSTAT_CALL*)(int32_t, char*);
using NumberExport = int32_t(QMSTAT_CALL*)(int32_t);

enum class Kind { Text, Number, Checksum };

struct InfoExport {
  std::string_view key;
  std::string_view label;
  Kind kind;
  const char* qmName;
  const char* qnName;  // null: that library has no such export
};

constexpr InfoExport kExports[] = {
    {"firmwareVersion", "Firmware version", Kind::Text, "QmGetVersion", "GetFirmwVersion"},
    {"serialNumber", "Serial number", Kind::Text, "QmGetSerialNo", "GetSerialNo"},
    {"sensorInfo", "Sensor information", Kind::Text, "QmGetSensorInfo", "GetSensorInfo"},
    {"media", "Media", Kind::Text, "QmGetMedia", "GetMedia"},
    {"mediaLotNumber", "Media lot number", Kind::Text, "QmGetMediaLotNo", "GetMediaLotNo"},
    {"mediaCounter", "Media counter", Kind::Number, "QmGetMediaCounter", "GetMediaCounter"},
    {"mediaColorOffset", "Media colour offset", Kind::Number, "QmGetMediaColorOffset", "GetMediaColorOffset"},
    {"printQuantity", "Print quantity", Kind::Number, "QmGetPQTY", "GetPQTY"},
    {"counterL", "Counter L", Kind::Number, "QmGetCounterL", "GetCounterL"},
    {"counterA", "Counter A", Kind::Number, "QmGetCounterA", "GetCounterA"},
    {"counterB", "Counter B", Kind::Number, "QmGetCounterB", "GetCounterB"},
    {"resolutionH", "Resolution H", Kind::Number, "QmGetResolutionH", "GetResolutionH"},
    {"resolutionV", "Resolution V", Kind::Number, "QmGetResolutionV", "GetResolutionV"},
    {"freeBuffer", "Free buffer", Kind::Number, "QmGetFreeBuffer", "GetFreeBuffer"},
    {"colorDataVersion", "Colour control data version", Kind::Text, "QmGetColorDataVersion",
     "GetColorDataVersion"},
    {"colorDataChecksum", "Colour control data checksum", Kind::Checksum, "QmGetColorDataChecksum",
     "GetColorDataChecksum"},
    {"mediaIdSetInfo", "Media ID set information", Kind::Number, nullptr, "GetMediaIdSetInfo"},
};

// The reply up to its NUL, without the line end or blanks around it.
std::string shownText(const updater::QueryBuffer& buffer, int32_t count, const updater::CodePage& codePage,
                      Kind kind) {
  std::string text = updater::replyText(buffer, static_cast<int32_t>(updater::kQueryBufferSize - 1), codePage);
  if (count >= 0 && static_cast<size_t>(count) + 1 < text.size()) text.resize(static_cast<size_t>(count) + 1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  std::string trimmed(updater::trimBlanks(text));
  return kind == Kind::Checksum ? updater::upperCase(trimmed) : trimmed;
}

}  // namespace

std::vector<InfoValue> readPrinterInfo(PrinterTurn& turn, updater::Family family, int32_t handle,
                                       const updater::CodePage& codePage) {
  const bool qm = family == updater::Family::Qm;
  std::vector<InfoValue> values;
  for (const InfoExport& e : kExports) {
    const char* name = qm ? e.qmName : e.qnName;
    if (name == nullptr) continue;
    InfoValue v{e.key, e.label, std::nullopt, e.kind == Kind::Number};
    const updater::LibraryLoader::Function f = turn.find(family, name);
    if (f != nullptr && handle > 0 && e.kind == Kind::Number) {
      const int32_t n = reinterpret_cast<NumberExport>(f)(handle);
      if (n != -1) v.value = std::to_string(n);  // -1 is the failure value
    } else if (f != nullptr && handle > 0) {
      updater::QueryBuffer buffer;
      const int32_t n = reinterpret_cast<TextExport>(f)(handle, buffer.bytes);
      if (n >= 0) v.value = shownText(buffer, n, codePage, e.kind);
    }
    values.push_back(std::move(v));
  }
  return values;
}

}  // namespace qmqn
