#!/usr/bin/python3
"""check_programs.py updater.exe qmqn.exe launcher.exe: each carries the application
manifest (RT_MANIFEST 1) and the program icon (first icon group, six sizes),
and imports no dpi function newer than Windows 7."""
import sys
import xml.etree.ElementTree as ET

import pefile

NEWER_THAN_7 = {b"GetDpiForWindow", b"GetDpiForSystem", b"GetSystemMetricsForDpi", b"AdjustWindowRectExForDpi",
                b"EnableNonClientDpiScaling", b"SetThreadDpiAwarenessContext", b"GetDpiForMonitor"}


def resources(pe, type_id):
    entries = pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []
    return {item.id: pe.get_data(item.directory.entries[0].data.struct.OffsetToData,
                                 item.directory.entries[0].data.struct.Size)
            for entry in entries if entry.id == type_id for item in entry.directory.entries}


def problems(pe):
    manifests = resources(pe, 24)
    if list(manifests) != [1]:
        yield f"manifest resources {list(manifests)}"
    else:
        root = ET.fromstring(manifests[1])
        found = {e.tag.split("}")[1]: (e.text or "").strip() for e in root.iter()}
        names = [e.get("name") for e in root.iter() if e.tag.endswith("assemblyIdentity")]
        levels = [e.get("level") for e in root.iter() if e.tag.endswith("requestedExecutionLevel")]
        systems = [e.get("Id") for e in root.iter() if e.tag.endswith("supportedOS")]
        if "Microsoft.Windows.Common-Controls" not in names:
            yield "no common controls 6"
        if found.get("dpiAware") != "true/pm" or found.get("dpiAwareness") != "PerMonitorV2, PerMonitor":
            yield f"dpi awareness {found.get('dpiAware')!r} {found.get('dpiAwareness')!r}"
        if levels != ["asInvoker"] or len(systems) != 4 or "activeCodePage" in found:
            yield f"execution level {levels}, {len(systems)} supported systems, code page {found.get('activeCodePage')}"
    groups, icons = resources(pe, 14), resources(pe, 3)
    group = groups[min(groups)] if groups else b"\0" * 6
    entries = [group[6 + 14 * i:20 + 14 * i] for i in range(int.from_bytes(group[4:6], "little"))]
    sizes = sorted(e[0] or 256 for e in entries if int.from_bytes(e[12:14], "little") in icons and e[6] == 32)
    if sizes != [16, 20, 24, 32, 48, 256]:
        yield f"32-bit icon images of {sizes} px"
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        for imp in entry.imports:
            if imp.name in NEWER_THAN_7 or entry.dll.lower().startswith(b"shcore"):
                yield f"imports {entry.dll.decode()} {imp.name.decode() if imp.name else imp.ordinal}, which Windows 7 lacks"


failures = [f"{path}: {p}" for path in sys.argv[1:] for p in problems(pefile.PE(path))]
for line in failures:
    print("FAILED", line)
print(f"{len(sys.argv) - 1} programs checked")
sys.exit(1 if failures or len(sys.argv) != 4 else 0)
