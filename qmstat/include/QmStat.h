/*
 * QmStat.dll / QnStat.dll: the printers' maintenance command set behind plain
 * exported functions. Every command goes to the printer driver's language
 * monitor (ZAPQMLM.DLL for QM, ZAPQNLM.DLL for QN); the library fails to load
 * when its monitor is missing or lacks MonitorIoControl.
 *
 * Conventions
 *  - Every export uses the WINAPI (stdcall) convention and C linkage, and is
 *    exported undecorated at a fixed ordinal.
 *  - The first argument is the PortHandle that QmInitialize returned. A handle
 *    that is 0, negative or above the number of registered names gives the
 *    function's failure value without any call of the monitor.
 *  - Results: a query returns its number or the length of its text; -1 marks a
 *    failed query or a failed multi-send write; 0 is the failure value of a
 *    single send; 0x80000000 is the failure value of the status query.
 *  - Text queries write a NUL-terminated reply into the caller's buffer, whose
 *    size the library is not told. The caller must provide at least
 *    QMSTAT_TEXT_BUFFER_SIZE (4097) bytes: that holds every reply with its NUL.
 *    A null text buffer gives the failure value -1 and sends nothing.
 *  - The libraries keep library-wide buffers and no locks: one caller thread at
 *    a time.
 */
#ifndef QMSTAT_H
#define QMSTAT_H

#include <stdint.h>

#if defined(_WIN32)
#define QMSTAT_CALL __stdcall
typedef wchar_t QmPortChar;
#else
#define QMSTAT_CALL
#if defined(__cplusplus)
typedef char16_t QmPortChar;
#else
typedef uint16_t QmPortChar;
#endif
#endif

#define QMSTAT_TEXT_BUFFER_SIZE 4097
#define QMSTAT_STATUS_NONE 0x80000000u
/* Longest port name the registry holds, in UTF-16 code units (NUL not counted). */
#define QMSTAT_PORT_NAME_MAX 19
/* Bytes of a colour control data image: the 60 tables. */
#define QMSTAT_COLOR_IMAGE_SIZE 24632

#ifdef __cplusplus
extern "C" {
#endif

/* Registers a NUL-terminated UTF-16 port name (at most 19 code units) and
 * returns its PortHandle: 1 for the first name, the same handle for the same
 * name. A null or over-long name, or an eleventh name, gives -1. */
int32_t QMSTAT_CALL QmInitialize(const QmPortChar *portName);

/* Raw transport. QmSetCommand: the monitor's result (non-zero success, 0
 * failure). QmGetCommand: exchange into reply (capacity bytes, plus one byte
 * for the NUL that follows the received bytes); *received gets the byte count;
 * the monitor's result. QmGetCommandEX: the reply payload's length after
 * copying it to dest, -1 on failure (also when the announced length is
 * negative or exceeds what was received or what dest holds). */
int32_t QMSTAT_CALL QmSetCommand(int32_t handle, const void *data, uint32_t length);
int32_t QMSTAT_CALL QmGetCommand(int32_t handle, const void *command, uint32_t commandLength,
                                 void *reply, uint32_t capacity, uint32_t *received);
int32_t QMSTAT_CALL QmGetCommandEX(int32_t handle, const void *command, uint32_t commandLength,
                                   void *dest, uint32_t capacity);

/* Status code: one group bit with one state bit, or 0x80000000 when no valid
 * status was obtained (returned as a 32-bit integer). */
uint32_t QMSTAT_CALL QmGetStatus(int32_t handle);

/* Text queries: result is the text length minus one (QmGetMediaLotNo: 20), -1
 * when the exchange fails. */
int32_t QMSTAT_CALL QmGetVersion(int32_t handle, char *text);
int32_t QMSTAT_CALL QmGetSensorInfo(int32_t handle, char *text);
int32_t QMSTAT_CALL QmGetMedia(int32_t handle, char *text);
int32_t QMSTAT_CALL QmGetMediaLotNo(int32_t handle, char *text);
int32_t QMSTAT_CALL QmGetSerialNo(int32_t handle, char *text);

/* Number queries: the number after the reply's prefix, 0 when the prefix or
 * the number is missing, -1 when the exchange fails. */
int32_t QMSTAT_CALL QmGetPQTY(int32_t handle);
int32_t QMSTAT_CALL QmGetCounterL(int32_t handle);
int32_t QMSTAT_CALL QmGetCounterA(int32_t handle);
int32_t QMSTAT_CALL QmGetCounterB(int32_t handle);
int32_t QMSTAT_CALL QmGetResolutionH(int32_t handle);
int32_t QMSTAT_CALL QmGetResolutionV(int32_t handle);
int32_t QMSTAT_CALL QmGetFreeBuffer(int32_t handle);
int32_t QMSTAT_CALL QmGetMediaCounter(int32_t handle);
/* Payload bytes 2..5 as one big-endian number; 0 when the reply is shorter
 * than 6 bytes; -1 when the exchange fails. */
int32_t QMSTAT_CALL QmGetMediaColorOffset(int32_t handle);

/* Sends: the monitor's result (0 failure). QmSetCutterMode: -1 when the
 * header send fails, else the result of the payload send. */
int32_t QMSTAT_CALL QmSetClearCounterA(int32_t handle);
int32_t QMSTAT_CALL QmSetClearCounterB(int32_t handle);
int32_t QMSTAT_CALL QmSetCutterMode(int32_t handle, int32_t mode);

/* Firmware: QmSetFirmwUpdateMode returns the monitor's result.
 * QmSetFirmwDataWrite sends header, eight-digit length and the caller's image
 * (in one send, not copied); -1 when the header or length send fails or the
 * length exceeds 99,999,999 or image is null with a non-zero length; else the
 * result of the image send. */
int32_t QMSTAT_CALL QmSetFirmwUpdateMode(int32_t handle);
int32_t QMSTAT_CALL QmSetFirmwDataWrite(int32_t handle, const void *image, uint32_t length);

/* Colour control data. QmSetColorDataWrite (QM): 60 tables from a 24,632-byte
 * image; 1 on success, -1 when a send fails or size < 24,632 or image is null.
 * QmSetColorDataVersion: -1 when a framing send fails or the padded length
 * exceeds 99,999,999, else the result of the text send.
 * QmGetColorDataVersion: the text length; QmGetColorDataChecksum: the text
 * length minus one; -1 when the exchange fails.
 * QmSetColorDataClear: the monitor's result. */
int32_t QMSTAT_CALL QmSetColorDataWrite(int32_t handle, const void *image, uint32_t size);
int32_t QMSTAT_CALL QmSetColorDataVersion(int32_t handle, const char *text, int32_t length);
int32_t QMSTAT_CALL QmGetColorDataVersion(int32_t handle, char *text);
int32_t QMSTAT_CALL QmGetColorDataChecksum(int32_t handle, char *text);
int32_t QMSTAT_CALL QmSetColorDataClear(int32_t handle);

/* QnStat.dll only. Plain names of the shared operations (PortInitialize,
 * GetFirmwVersion, SetFirmwUpdateMode, ...) are second names of the functions
 * above; these differ: */
/* GetStatus maps FU100 to 0x100008; QnStat's QmGetStatus maps FU101 instead. */
uint32_t QMSTAT_CALL GetStatus(int32_t handle);
/* Block write: head, eight-digit size, the caller's image in one send. */
int32_t QMSTAT_CALL SetColorDataWrite(int32_t handle, const void *image, uint32_t size);
/* "MDID<number>": the number, -1 when prefix or number is missing or the
 * exchange fails. */
int32_t QMSTAT_CALL GetMediaIdSetInfo(int32_t handle);

#ifdef __cplusplus
}
#endif

#endif
