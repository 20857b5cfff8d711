#!/usr/bin/env bash
# Checks the release zip the way a player receives it:
#   check_package.sh ZIP BUILT_EXE GUIDE LICENSE
# the checksum file beside the zip verifies with sha256sum -c; unpacked, the zip holds exactly
# Guide.html, launcher.exe, README.txt and LICENSE.txt at its root; the exe is byte for byte the
# one built; LICENSE.txt is the licence with CR LF line ends; README.txt is the whole guide as
# plain text Notepad shows as it is (check_guide_html.sh opens Guide.html in a browser).
set -euo pipefail
zip=$1 built_exe=$2 guide=$3 license=$4
(cd "$(dirname "$zip")" && sha256sum -c "$(basename "$zip").sha256")

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
files=$(cd "$unpacked" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
if [ "$files" != "Guide.html LICENSE.txt README.txt launcher.exe " ]; then
  echo "$zip holds: $files" >&2
  exit 1
fi
cmp "$unpacked/launcher.exe" "$built_exe"
# A 32-bit exe (PE32, i386), which runs on 32-bit and 64-bit Windows.
if ! i686-w64-mingw32-objdump -f "$built_exe" | grep -q 'file format pei-i386'; then
  echo "$built_exe is not a 32-bit Windows program" >&2
  exit 1
fi
cmp "$unpacked/LICENSE.txt" <(sed 's/\r$//; s/$/\r/' "$license")

# README.txt: every line ends in CR LF and holds at most 78 characters; ASCII, or UTF-8 with a
# byte-order mark; no Markdown (headings, tables, pictures, links, emphasis or code marks); every
# heading of the guide is in it, underlined, and every Windows path whole.
python3 - "$unpacked/README.txt" "$guide" <<'PY'
import re
import sys

data = open(sys.argv[1], "rb").read()
faults = []
if data.startswith(b"\xef\xbb\xbf"):
    text = data[3:].decode("utf-8")
elif all(byte < 128 for byte in data):
    text = data.decode("ascii")
else:
    sys.exit("README.txt is neither ASCII nor UTF-8 with a byte-order mark")
if not text.endswith("\r\n") or "\n" in text.replace("\r\n", "") or "\r" in text.replace("\r\n", ""):
    faults.append("a line does not end in CR LF")
lines = text[:-2].split("\r\n")
for number, line in enumerate(lines, 1):
    if len(line) > 78:
        faults.append(f"line {number} has {len(line)} characters")
    for name, pattern in {
        "heading": r"^#+ ",
        "table": r"^\s*\|.*\|\s*$|^\s*\|?\s*:?-{3,}:?\s*\|",
        "picture or link": r"!?\[[^\]]*\]\([^)]*\)",
        "emphasis": r"\*\*|__\w",
        "code mark": r"`",
        "code span broken across lines": r"[^\s.-] {3,}\S",
    }.items():
        if re.search(pattern, line):
            faults.append(f"line {number} has Markdown ({name}): {line}")
source = open(sys.argv[2], encoding="utf-8").read()
headings = [re.sub(r"[`*]", "", h) for h in re.findall(r"^#+ (.*)$", source, re.M)]
for heading in headings:
    if heading not in lines:
        faults.append(f"heading missing: {heading}")
    else:
        under = lines[lines.index(heading) + 1]
        if len(under) != len(heading) or set(under) - set("=-~"):
            faults.append(f"heading not underlined: {heading}")
# Every Windows path of the guide, whole (pandoc once read "\SIERRA" as a TeX command).
windows_path = r"[A-Z]:\\[^\s`\"*,;)]+"
shown = re.findall(windows_path, " ".join(lines))
for path in set(re.findall(windows_path, source)):
    if shown.count(path) < re.findall(windows_path, source).count(path):
        faults.append(f"path missing or cut: {path}")
if faults:
    sys.exit("README.txt:\n" + "\n".join(faults))
print(f"README.txt: {len(lines)} lines, {len(headings)} headings")
PY
echo "$zip: $files- checksum verified, exe identical to $built_exe"
