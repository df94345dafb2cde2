#!/usr/bin/env bash
# Replaces the printers of the Wine prefix in WINEPREFIX by the ones given, and
# adds the font replacements and the display's dpi (QMQN_GUI_DPI, 96 when
# unset; every process started afterwards reads it):
# `prepare_wine_printers.sh "Name|Port|Attributes"...`
# (Attributes as 8 hex digits: 00000840 online with bidirectional support,
# 00000c40 offline, 00000040 without bidirectional support).
# Must run with the display the following programs will use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
{
  cat "$here/wine-fonts.reg"
  printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "${QMQN_GUI_DPI:-96}"
  for spec in "$@"; do
    IFS='|' read -r name port attributes <<<"$spec"
    printf '\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Print\\Printers\\%s]\n' "$name"
    printf '"Name"="%s"\n"Port"="%s"\n"Printer Driver"="Simulated Driver"\n' "$name" "$port"
    printf '"Attributes"=dword:%s\n"Datatype"="RAW"\n"Print Processor"="winprint"\n' "$attributes"
  done
} >"$reg.utf8"
# Names the ANSI code page can't hold survive only a UTF-16 registry file.
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg.utf8"; } >"$reg"
rm -f "$reg.utf8"

"$root/tools/wine-run.sh" reg delete 'HKLM\System\CurrentControlSet\Control\Print\Printers' /f \
  </dev/null >/dev/null 2>&1 || true
wine reg import "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
