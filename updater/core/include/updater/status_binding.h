// One family's status library as the updater calls it: QmStat by its Qm
// names, QnStat by its plain names. Text queries write a NUL-terminated reply
// into a buffer of kQueryBufferSize bytes and return the count to take.
#pragma once
#include <cstddef>
#include <cstdint>

namespace updater {

inline constexpr size_t kQueryBufferSize = 4097;  // every reply with its NUL
inline constexpr uint32_t kStatusNone = 0x80000000u;

class StatusBinding {
 public:
  virtual int32_t initialize(const char16_t* portName) = 0;
  virtual uint32_t getStatus(int32_t handle) = 0;
  virtual int32_t getFirmwVersion(int32_t handle, char* text) = 0;
  virtual int32_t setFirmwUpdateMode(int32_t handle) = 0;
  virtual int32_t setFirmwDataWrite(int32_t handle, const void* image, uint32_t length) = 0;
  virtual int32_t getColorDataVersion(int32_t handle, char* text) = 0;
  virtual int32_t getColorDataChecksum(int32_t handle, char* text) = 0;
  virtual int32_t setColorDataVersion(int32_t handle, const char* text, int32_t length) = 0;
  virtual int32_t setColorDataWrite(int32_t handle, const void* image, uint32_t size) = 0;

 virtual ~StatusBinding() = default;
};

// A library that could not be loaded, or lacks an export: it gives no answer.
// Its handle 0 names no port, so the printer is "not QM/QN" rather than an
// invalid handle that would end the program.
class NullStatusBinding final : public StatusBinding {
 public:
  int32_t initialize(const char16_t*) override { return 0; }
  uint32_t getStatus(int32_t) override { return kStatusNone; }
  int32_t getFirmwVersion(int32_t, char*) override { return -1; }
  int32_t setFirmwUpdateMode(int32_t) override { return 0; }
  int32_t setFirmwDataWrite(int32_t, const void*, uint32_t) override { return -1; }
  int32_t getColorDataVersion(int32_t, char*) override { return -1; }
  int32_t getColorDataChecksum(int32_t, char*) override { return -1; }
  int32_t setColorDataVersion(int32_t, const char*, int32_t) override { return -1; }
  int32_t setColorDataWrite(int32_t, const void*, uint32_t) override { return -1; }
};

}  // namespace updater
