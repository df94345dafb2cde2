// The status library's portable core: one instance holds the library-wide
// state of one loaded QmStat.dll or QnStat.dll (port registry, command,
// receive and reply buffers) and implements every operation on it. The DLL
// keeps exactly one instance; tests make as many as they like.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "QmStat.h"
#include "monitor.h"

namespace qmstat {

inline constexpr uint32_t kStatusNone = 0x80000000u;
inline constexpr int kMaxPorts = 10;
inline constexpr int kPortNameUnits = QMSTAT_PORT_NAME_MAX + 1;  // including the NUL
inline constexpr size_t kBufferSize = 4096;
inline constexpr size_t kColorImageSize = QMSTAT_COLOR_IMAGE_SIZE;
inline constexpr uint32_t kMaxFieldValue = 99999999;  // what an eight-digit length field holds

// Which table maps the "FU" answers: QnStat's QmGetStatus reads FU101 where
// everything else reads FU100.
enum class FuTable { Standard, QnLegacy };

enum class TextQuery { Version, SensorInfo, Media, MediaLotNo, SerialNo, ColorDataVersion, ColorDataChecksum };
enum class NumberQuery { PQTY, CounterL, CounterA, CounterB, ResolutionH, ResolutionV, FreeBuffer, MediaCounter };
enum class Counter { A, B };

struct ColorTable;

class StatusLibrary {
 public:
  // Process attach and detach: bind (or forget) the monitor; the registry
  // count becomes 0. Without a monitor every command fails.
  void attach(Monitor* monitor);
  void detach();

  // Registry and transport. Bad handles fail without calling the monitor.
  int32_t initialize(const char16_t* portName);
  int32_t setCommand(int32_t handle, const void* data, uint32_t length);
  int32_t getCommand(int32_t handle, const void* command, uint32_t commandLength, void* reply,
                     uint32_t capacity, uint32_t* received);
  int32_t getCommandEx(int32_t handle, const void* command, uint32_t commandLength, void* dest,
                       uint32_t capacity);

  uint32_t getStatus(int32_t handle, FuTable table = FuTable::Standard);

  int32_t textQuery(int32_t handle, TextQuery query, char* text);
  int32_t numberQuery(int32_t handle, NumberQuery query);
  int32_t mediaColorOffset(int32_t handle);
  int32_t clearCounter(int32_t handle, Counter counter);
  int32_t setCutterMode(int32_t handle, int32_t mode);

  int32_t setFirmwUpdateMode(int32_t handle);
  int32_t setFirmwDataWrite(int32_t handle, const void* image, uint32_t length);

  int32_t setColorDataWrite(int32_t handle, const void* image, uint32_t size);  // QM: 60 tables
  int32_t setColorDataBlock(int32_t handle, const void* image, uint32_t size);  // QN: one block
  int32_t setColorDataVersion(int32_t handle, const char* text, int32_t length);
  int32_t setColorDataClear(int32_t handle);
  int32_t mediaIdSetInfo(int32_t handle);

  int32_t registeredCount() const { return count_; }

 private:
  const char16_t* portOf(int32_t handle) const;
  // Copies a frame into the command buffer, then exchanges it (payload into
  // the reply buffer) or sends it.
  int32_t exchangeIntoReply(int32_t handle, std::string_view frame);
  int32_t sendFrame(int32_t handle, std::string_view frame);
  // A 24-byte head, the eight-digit length, then the caller's bytes in one
  // send: -1 when the length can't be framed or head or length fail.
  int32_t sendBlock(int32_t handle, std::string_view head, const void* payload, uint32_t length);
  int32_t writeTable(int32_t handle, const ColorTable& table, const uint8_t* image);

  Monitor* monitor_ = nullptr;
  char16_t registry_[kMaxPorts][kPortNameUnits] = {};
  int32_t count_ = 0;
  uint8_t command_[kBufferSize] = {};
  uint8_t receive_[kBufferSize + 1] = {};
  uint8_t reply_[kBufferSize] = {};
};

}  // namespace qmstat
