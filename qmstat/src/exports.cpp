// The exported C functions of QmStat.dll and QnStat.dll. Each forwards to the
// DLL's one status library; which names a DLL exports is its .def file's job.
#include "QmStat.h"
#include "library_instance.h"

using qmstat::Counter;
using qmstat::FuTable;
using qmstat::NumberQuery;
using qmstat::TextQuery;

namespace {

qmstat::StatusLibrary& lib() { return qmstat::libraryInstance(); }

// The core does not throw; should anything still do so, the caller gets the
// function's failure value rather than an exception across the C boundary.
template <class R, class Body>
R guarded(R failure, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

int32_t text(int32_t h, TextQuery q, char* out) {
  return guarded<int32_t>(-1, [&] { return lib().textQuery(h, q, out); });
}

int32_t number(int32_t h, NumberQuery q) {
  return guarded<int32_t>(-1, [&] { return lib().numberQuery(h, q); });
}

}  // namespace

extern "C" {

int32_t QMSTAT_CALL QmInitialize(const QmPortChar* portName) {
  // wchar_t and char16_t are both UTF-16 code units on Windows.
  static_assert(sizeof(QmPortChar) == sizeof(char16_t));
  return guarded<int32_t>(-1, [&] { return lib().initialize(reinterpret_cast<const char16_t*>(portName)); });
}

int32_t QMSTAT_CALL QmSetCommand(int32_t handle, const void* data, uint32_t length) {
  return guarded<int32_t>(0, [&] { return lib().setCommand(handle, data, length); });
}

int32_t QMSTAT_CALL QmGetCommand(int32_t handle, const void* command, uint32_t commandLength, void* reply,
                                 uint32_t capacity, uint32_t* received) {
  return guarded<int32_t>(0, [&] { return lib().getCommand(handle, command, commandLength, reply, capacity, received); });
}

int32_t QMSTAT_CALL QmGetCommandEX(int32_t handle, const void* command, uint32_t commandLength, void* dest,
                                   uint32_t capacity) {
  return guarded<int32_t>(-1, [&] { return lib().getCommandEx(handle, command, commandLength, dest, capacity); });
}

uint32_t QMSTAT_CALL QmGetStatus(int32_t handle) {
  return guarded<uint32_t>(QMSTAT_STATUS_NONE, [&] { return lib().getStatus(handle, FuTable::Standard); });
}

int32_t QMSTAT_CALL QmGetVersion(int32_t h, char* t) { return text(h, TextQuery::Version, t); }
int32_t QMSTAT_CALL QmGetSensorInfo(int32_t h, char* t) { return text(h, TextQuery::SensorInfo, t); }
int32_t QMSTAT_CALL QmGetMedia(int32_t h, char* t) { return text(h, TextQuery::Media, t); }
int32_t QMSTAT_CALL QmGetMediaLotNo(int32_t h, char* t) { return text(h, TextQuery::MediaLotNo, t); }
int32_t QMSTAT_CALL QmGetSerialNo(int32_t h, char* t) { return text(h, TextQuery::SerialNo, t); }
int32_t QMSTAT_CALL QmGetColorDataVersion(int32_t h, char* t) { return text(h, TextQuery::ColorDataVersion, t); }
int32_t QMSTAT_CALL QmGetColorDataChecksum(int32_t h, char* t) { return text(h, TextQuery::ColorDataChecksum, t); }

int32_t QMSTAT_CALL QmGetPQTY(int32_t h) { return number(h, NumberQuery::PQTY); }
int32_t QMSTAT_CALL QmGetCounterL(int32_t h) { return number(h, NumberQuery::CounterL); }
int32_t QMSTAT_CALL QmGetCounterA(int32_t h) { return number(h, NumberQuery::CounterA); }
int32_t QMSTAT_CALL QmGetCounterB(int32_t h) { return number(h, NumberQuery::CounterB); }
int32_t QMSTAT_CALL QmGetResolutionH(int32_t h) { return number(h, NumberQuery::ResolutionH); }
int32_t QMSTAT_CALL QmGetResolutionV(int32_t h) { return number(h, NumberQuery::ResolutionV); }
int32_t QMSTAT_CALL QmGetFreeBuffer(int32_t h) { return number(h, NumberQuery::FreeBuffer); }
int32_t QMSTAT_CALL QmGetMediaCounter(int32_t h) { return number(h, NumberQuery::MediaCounter); }

int32_t QMSTAT_CALL QmGetMediaColorOffset(int32_t handle) {
  return guarded<int32_t>(-1, [&] { return lib().mediaColorOffset(handle); });
}

int32_t QMSTAT_CALL QmSetClearCounterA(int32_t handle) {
  return guarded<int32_t>(0, [&] { return lib().clearCounter(handle, Counter::A); });
}

int32_t QMSTAT_CALL QmSetClearCounterB(int32_t handle) {
  return guarded<int32_t>(0, [&] { return lib().clearCounter(handle, Counter::B); });
}

int32_t QMSTAT_CALL QmSetCutterMode(int32_t handle, int32_t mode) {
  return guarded<int32_t>(-1, [&] { return lib().setCutterMode(handle, mode); });
}

int32_t QMSTAT_CALL QmSetFirmwUpdateMode(int32_t handle) {
  return guarded<int32_t>(0, [&] { return lib().setFirmwUpdateMode(handle); });
}

int32_t QMSTAT_CALL QmSetFirmwDataWrite(int32_t handle, const void* image, uint32_t length) {
  return guarded<int32_t>(-1, [&] { return lib().setFirmwDataWrite(handle, image, length); });
}

int32_t QMSTAT_CALL QmSetColorDataWrite(int32_t handle, const void* image, uint32_t size) {
  return guarded<int32_t>(-1, [&] { return lib().setColorDataWrite(handle, image, size); });
}

int32_t QMSTAT_CALL QmSetColorDataVersion(int32_t handle, const char* text, int32_t length) {
  return guarded<int32_t>(-1, [&] { return lib().setColorDataVersion(handle, text, length); });
}

int32_t QMSTAT_CALL QmSetColorDataClear(int32_t handle) {
  return guarded<int32_t>(0, [&] { return lib().setColorDataClear(handle); });
}

// QnStat.dll only.

uint32_t QMSTAT_CALL GetStatus(int32_t handle) {
  return guarded<uint32_t>(QMSTAT_STATUS_NONE, [&] { return lib().getStatus(handle, FuTable::Standard); });
}

// Exported by QnStat.dll under the name QmGetStatus.
uint32_t QMSTAT_CALL QnQmGetStatus(int32_t handle);
uint32_t QMSTAT_CALL QnQmGetStatus(int32_t handle) {
  return guarded<uint32_t>(QMSTAT_STATUS_NONE, [&] { return lib().getStatus(handle, FuTable::QnLegacy); });
}

int32_t QMSTAT_CALL SetColorDataWrite(int32_t handle, const void* image, uint32_t size) {
  return guarded<int32_t>(-1, [&] { return lib().setColorDataBlock(handle, image, size); });
}

int32_t QMSTAT_CALL GetMediaIdSetInfo(int32_t handle) {
  return guarded<int32_t>(-1, [&] { return lib().mediaIdSetInfo(handle); });
}

}  // extern "C"
