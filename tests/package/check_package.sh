#!/usr/bin/env bash
# Checks the release zip the way a player receives it:
#   check_package.sh ZIP BUILT_EXE GUIDE LICENSE
# the checksum file beside the zip verifies with sha256sum -c; unpacked, the zip holds exactly
# launcher.exe, README.txt and LICENSE.txt at its root; the exe is byte for byte the one built;
# the two texts are the guide (without its picture lines) and the licence with CR LF line ends.
set -euo pipefail
zip=$1 built_exe=$2 guide=$3 license=$4
(cd "$(dirname "$zip")" && sha256sum -c "$(basename "$zip").sha256")

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
files=$(cd "$unpacked" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
if [ "$files" != "LICENSE.txt README.txt launcher.exe " ]; then
  echo "$zip holds: $files" >&2
  exit 1
fi
cmp "$unpacked/launcher.exe" "$built_exe"
# A 32-bit exe (PE32, i386), which runs on 32-bit and 64-bit Windows.
if ! i686-w64-mingw32-objdump -f "$built_exe" | grep -q 'file format pei-i386'; then
  echo "$built_exe is not a 32-bit Windows program" >&2
  exit 1
fi
# Written with CR LF, each text reads back as its source with its line ends made CR LF.
cmp "$unpacked/README.txt" <(sed '/^!\[.*\](.*)$/,+1d; s/\r$//; s/$/\r/' "$guide")
cmp "$unpacked/LICENSE.txt" <(sed 's/\r$//; s/$/\r/' "$license")
echo "$zip: $files- checksum verified, exe identical to $built_exe"
