#!/usr/bin/python3
"""Checks the export tables, version resources and imports of the built
QmStat.dll and QnStat.dll: check_exports.py QmStat.dll QnStat.dll"""
import sys

import pefile

QM_NAMES = {
    1: "QmInitialize", 2: "QmGetVersion", 3: "QmGetSensorInfo", 4: "QmGetStatus", 5: "QmGetMedia",
    6: "QmGetPQTY", 7: "QmGetCounterL", 8: "QmGetCounterA", 9: "QmGetCounterB", 10: "QmSetClearCounterA",
    11: "QmSetClearCounterB", 12: "QmGetResolutionH", 13: "QmGetResolutionV", 14: "QmGetFreeBuffer",
    15: "QmGetMediaLotNo", 16: "QmGetMediaCounter", 17: "QmGetMediaColorOffset", 18: "QmSetFirmwUpdateMode",
    19: "QmSetFirmwDataWrite", 20: "QmGetSerialNo", 21: "QmSetColorDataWrite", 22: "QmSetColorDataVersion",
    23: "QmGetColorDataVersion", 24: "QmSetColorDataClear", 25: "QmGetColorDataChecksum", 26: "QmSetCutterMode",
    100: "QmSetCommand", 101: "QmGetCommand", 102: "QmGetCommandEX",
}

QN_PLAIN = {
    31: "PortInitialize", 32: "GetFirmwVersion", 33: "GetSensorInfo", 34: "GetStatus", 35: "GetMedia",
    36: "GetPQTY", 37: "GetCounterL", 38: "GetCounterA", 39: "GetCounterB", 40: "SetClearCounterA",
    41: "SetClearCounterB", 42: "GetResolutionH", 43: "GetResolutionV", 44: "GetFreeBuffer", 45: "GetMediaLotNo",
    46: "GetMediaCounter", 47: "GetMediaColorOffset", 48: "SetFirmwUpdateMode", 49: "SetFirmwDataWrite",
    50: "GetSerialNo", 51: "SetColorDataWrite", 52: "SetColorDataVersion", 53: "GetColorDataVersion",
    54: "SetColorDataClear", 55: "GetColorDataChecksum", 56: "SetCutterMode", 57: "GetMediaIdSetInfo",
    110: "SetCommand", 112: "GetCommandEX",
}
QN_NAMES = {o: n for o, n in QM_NAMES.items() if o not in (26,)} | QN_PLAIN

# Ordinals naming one function; every other pair of ordinals names two.
QN_SAME_FUNCTION = [(k, 30 + k) for k in range(1, 26) if k != 4] + [(100, 110), (102, 112)]

VERSION = {
    "QmStat.dll": {"FileDescription": "QM Status API", "FileVersion": "1.3.1.0", "ProductVersion": "1.3.1.0"},
    "QnStat.dll": {"FileDescription": "QN Status API", "FileVersion": "1.3.1.0", "ProductVersion": "1.3.1.0"},
}
FIXED_VERSION = (1, 3, 1, 0)

ALLOWED_IMPORTS = ("kernel32.dll", "msvcrt.dll", "ucrtbase.dll")
ALLOWED_IMPORT_PREFIXES = ("api-ms-win-crt-",)

failures = []


def fail(dll, text):
    failures.append(f"{dll}: {text}")


def exports(pe):
    return {s.ordinal: (s.name.decode() if s.name else None, s.address) for s in pe.DIRECTORY_ENTRY_EXPORT.symbols}


def check_table(dll, pe, expected):
    table = exports(pe)
    name = pe.DIRECTORY_ENTRY_EXPORT.name.decode()
    if name != dll:
        fail(dll, f"export directory name {name!r}")
    if pe.DIRECTORY_ENTRY_EXPORT.struct.Base != 1:
        fail(dll, f"ordinal base {pe.DIRECTORY_ENTRY_EXPORT.struct.Base}")
    for ordinal, want in sorted(expected.items()):
        got = table.get(ordinal, (None, None))[0]
        if got != want:
            fail(dll, f"ordinal {ordinal}: {got!r}, want {want!r}")
    for ordinal, (got, _) in sorted(table.items()):
        if ordinal not in expected:
            fail(dll, f"unexpected export {got!r} at ordinal {ordinal}")
    return table


def check_same_function(dll, table, pairs):
    same = {frozenset(p) for p in pairs}
    ordinals = sorted(table)
    for i, a in enumerate(ordinals):
        for b in ordinals[i + 1:]:
            shared = table[a][1] == table[b][1]
            if shared and frozenset((a, b)) not in same:
                fail(dll, f"ordinals {a} and {b} share one function")
            if not shared and frozenset((a, b)) in same:
                fail(dll, f"ordinals {a} and {b} are different functions")


def check_version(dll, pe):
    strings = {}
    for info in getattr(pe, "FileInfo", [[]])[0] if getattr(pe, "FileInfo", None) else []:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    for key, want in VERSION[dll].items():
        if strings.get(key) != want:
            fail(dll, f"version string {key}: {strings.get(key)!r}, want {want!r}")
    if not getattr(pe, "VS_FIXEDFILEINFO", None):
        fail(dll, "no fixed version info")
        return
    fixed = pe.VS_FIXEDFILEINFO[0]
    for what, ms, ls in (("FILEVERSION", fixed.FileVersionMS, fixed.FileVersionLS),
                         ("PRODUCTVERSION", fixed.ProductVersionMS, fixed.ProductVersionLS)):
        got = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        if got != FIXED_VERSION:
            fail(dll, f"{what} {got}, want {FIXED_VERSION}")


def check_imports(dll, pe):
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        name = entry.dll.decode().lower()
        if name not in ALLOWED_IMPORTS and not name.startswith(ALLOWED_IMPORT_PREFIXES):
            fail(dll, f"imports {entry.dll.decode()}")


def main(qm_path, qn_path):
    for dll, path, expected in (("QmStat.dll", qm_path, QM_NAMES), ("QnStat.dll", qn_path, QN_NAMES)):
        pe = pefile.PE(path)
        table = check_table(dll, pe, expected)
        pairs = QN_SAME_FUNCTION if dll == "QnStat.dll" else []
        check_same_function(dll, table, pairs)
        check_version(dll, pe)
        check_imports(dll, pe)
        machine = pefile.MACHINE_TYPE.get(pe.FILE_HEADER.Machine, hex(pe.FILE_HEADER.Machine))
        print(f"{dll} ({machine}): {len(table)} exports checked")
    for line in failures:
        print("FAILED", line)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_exports.py QmStat.dll QnStat.dll")
    sys.exit(main(sys.argv[1], sys.argv[2]))
