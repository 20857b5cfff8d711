#!/usr/bin/env bash
# Checks the release zip the way a player receives it:
#   check_package.sh ZIP BUILT_EXE GUIDE LICENSE
# the checksum file beside the zip verifies with sha256sum -c; unpacked, the zip holds exactly
# Guide.html, launcher.exe, README.txt and LICENSE.txt at its root; the exe is byte for byte the
# one built; LICENSE.txt is the licence with CR LF line ends; README.txt is the whole guide as
# plain text Notepad shows as it is (check_guide_html.sh opens Guide.html in a browser).
set -euo pipefail
zip=$1 built_exe=$2 guide=$3 license=$4
fail() { echo "$*" >&2; exit 1; }
(cd "$(dirname "$zip")" && sha256sum -c "$(basename "$zip").sha256")

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
files=$(cd "$unpacked" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
[ "$files" = "Guide.html LICENSE.txt README.txt launcher.exe " ] || fail "$zip holds: $files"
cmp "$unpacked/launcher.exe" "$built_exe"
# A 32-bit exe (PE32, i386), which runs on 32-bit and 64-bit Windows.
i686-w64-mingw32-objdump -f "$built_exe" | grep -q 'file format pei-i386' ||
  fail "$built_exe is not a 32-bit Windows program"
cmp "$unpacked/LICENSE.txt" <(sed 's/\r$//; s/$/\r/' "$license")

# README.txt: every line ends in CR LF and holds at most 78 characters; ASCII, or UTF-8 with a
# byte-order mark; no Markdown (headings, tables, pictures, links, emphasis or code marks); every
# heading of the guide is in it, underlined, and every Windows path whole.
python3 - "$unpacked/README.txt" "$guide" <<'PY'
import re
import sys
from collections import Counter

data = open(sys.argv[1], "rb").read()
faults = []
if not data.startswith(b"\xef\xbb\xbf") and not data.isascii():
    sys.exit("README.txt is neither ASCII nor UTF-8 with a byte-order mark")
text = data.decode("utf-8-sig")
if not text.endswith("\r\n") or re.search("[\r\n]", text.replace("\r\n", "")):
    faults.append("a line does not end in CR LF")
lines = text[:-2].split("\r\n")
markdown = {"heading": r"^#+ ", "table": r"^\s*\|.*\|\s*$|^\s*\|?\s*:?-{3,}:?\s*\|",
            "picture or link": r"!?\[[^\]]*\]\([^)]*\)", "emphasis": r"\*\*|__\w",
            "code mark": r"`", "code span broken across lines": r"[^\s.-] {3,}\S"}
for number, line in enumerate(lines, 1):
    if len(line) > 78:
        faults.append(f"line {number} has {len(line)} characters")
    faults += [f"line {number} has Markdown ({name}): {line}"
               for name, pattern in markdown.items() if re.search(pattern, line)]
source = open(sys.argv[2], encoding="utf-8").read()
headings = [re.sub(r"[`*]", "", h) for h in re.findall(r"^#+ (.*)$", source, re.M)]
for heading in headings:
    under = lines[lines.index(heading) + 1] if heading in lines else None
    if under is None:
        faults.append(f"heading missing: {heading}")
    elif len(under) != len(heading) or set(under) - set("=-~"):
        faults.append(f"heading not underlined: {heading}")
# Every Windows path of the guide, whole (pandoc once read "\SIERRA" as a TeX command).
windows_path = r"[A-Z]:\\[^\s`\"*,;)]+"
shown = Counter(re.findall(windows_path, " ".join(lines)))
for path, count in Counter(re.findall(windows_path, source)).items():
    if shown[path] < count:
        faults.append(f"path missing or cut: {path}")
if faults:
    sys.exit("README.txt:\n" + "\n".join(faults))
print(f"README.txt: {len(lines)} lines, {len(headings)} headings")
PY
echo "$zip: $files- checksum verified, exe identical to $built_exe"
