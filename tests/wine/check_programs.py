#!/usr/bin/python3
"""Checks the resources and imports of the built updater and launcher:
check_programs.py updater.exe launcher.exe
Each carries the application manifest (RT_MANIFEST 1) and the program icon
(first icon group) in all its sizes, and imports nothing newer than Windows 7
for dpi handling (those functions are looked up at run time)."""
import sys
import xml.etree.ElementTree as ET

import pefile

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24
ICON_SIZES = [16, 20, 24, 32, 48, 256]
ASM1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
WS2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
WS2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
}
NEWER_THAN_7 = {"GetDpiForWindow", "GetDpiForSystem", "GetSystemMetricsForDpi", "AdjustWindowRectExForDpi",
                "EnableNonClientDpiScaling", "SetThreadDpiAwarenessContext", "SetProcessDpiAwarenessContext",
                "GetDpiForMonitor", "SetProcessDpiAwareness"}

failures = []


def fail(program, text):
    failures.append(f"{program}: {text}")


def resources(pe, type_id):
    """{id: [data bytes of each language]} of one resource type."""
    found = {}
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for entry in directory.entries if directory else []:
        if entry.id != type_id:
            continue
        for item in entry.directory.entries:
            found[item.id if item.id is not None else str(item.name)] = [
                pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size) for lang in item.directory.entries]
    return found


def check_manifest(program, pe):
    manifests = resources(pe, RT_MANIFEST)
    if list(manifests) != [1]:
        fail(program, f"manifest resources {list(manifests)}, want [1]")
        return
    root = ET.fromstring(manifests[1][0])
    controls = [a for a in root.iter(ASM1 + "assemblyIdentity") if a.get("name") == "Microsoft.Windows.Common-Controls"]
    if not controls or controls[0].get("version") != "6.0.0.0":
        fail(program, "no dependency on common controls 6")
    levels = [e.get("level") for e in root.iter(ASM3 + "requestedExecutionLevel")]
    if levels != ["asInvoker"]:
        fail(program, f"execution level {levels}")
    os_ids = {e.get("Id") for e in root.iter(COMPAT + "supportedOS")}
    if os_ids != SUPPORTED_OS:
        fail(program, f"supportedOS {sorted(os_ids)}")
    aware = [e.text for e in root.iter(WS2005 + "dpiAware")]
    awareness = [e.text for e in root.iter(WS2016 + "dpiAwareness")]
    if aware != ["true/pm"]:
        fail(program, f"dpiAware {aware}")
    if len(awareness) != 1 or [a.strip() for a in awareness[0].split(",")] != ["PerMonitorV2", "PerMonitor"]:
        fail(program, f"dpiAwareness {awareness}")
    if any(e.tag.endswith("activeCodePage") for e in root.iter()):
        fail(program, "declares an active code page")


def check_icon(program, pe):
    groups = resources(pe, RT_GROUP_ICON)
    icons = resources(pe, RT_ICON)
    if not groups:
        fail(program, "no icon")
        return
    first = min(groups, key=lambda k: (isinstance(k, int), k))  # named groups come first, then by number
    data = groups[first][0]
    count = int.from_bytes(data[4:6], "little")
    sizes = []
    for i in range(count):
        entry = data[6 + 14 * i:20 + 14 * i]
        width = entry[0] or 256
        bits = int.from_bytes(entry[6:8], "little")
        icon_id = int.from_bytes(entry[12:14], "little")
        sizes.append(width)
        if bits != 32:
            fail(program, f"{width} px icon has {bits} bits per pixel")
        if icon_id not in icons:
            fail(program, f"{width} px icon image {icon_id} missing")
    if sorted(sizes) != ICON_SIZES:
        fail(program, f"icon sizes {sorted(sizes)}, want {ICON_SIZES}")


def check_imports(program, pe):
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        if entry.dll.decode().lower().startswith(("shcore", "api-ms-win-shcore")):
            fail(program, f"imports {entry.dll.decode()}")
        for imp in entry.imports:
            if imp.name and imp.name.decode() in NEWER_THAN_7:
                fail(program, f"imports {imp.name.decode()}, which Windows 7 lacks")


def main(paths):
    for program, path in zip(("updater", "launcher"), paths):
        pe = pefile.PE(path)
        check_manifest(program, pe)
        check_icon(program, pe)
        check_imports(program, pe)
        print(f"{program} ({path}): checked")
    for line in failures:
        print("FAILED", line)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_programs.py updater.exe launcher.exe")
    sys.exit(main(sys.argv[1:]))
