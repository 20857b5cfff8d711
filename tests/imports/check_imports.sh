#!/usr/bin/env bash
# Compares the functions an exe imports with the allow-list beside this script (one
# dll!function a line, lower-case DLL name; "#" starts a comment line). Every listed function
# exists on 32-bit Windows XP SP3; an import not on the list fails the check by name, so that
# using a newer API is a decision. The list holds the imports of builds with Debian 12's and
# Debian 13's MinGW-w64 (their C and C++ runtimes pull in slightly different functions), so a
# function one of them does not import is only reported.
#   check_imports.sh [--update] [launcher.exe]
# --update prints the exe's imports that are not on the list, to be checked and added by hand to
# their group; remove a function no build uses any more by deleting its line.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
list="$here/allowed_imports.txt"
update=0
if [ "${1:-}" = "--update" ]; then update=1; shift; fi
exe="${1:-$here/../../build/mingw/launcher.exe}"

# objdump -p prints each DLL as "DLL Name: X.dll" followed by one "\tvma\thint name" line per
# function, a blank line ending the DLL.
imports=$(i686-w64-mingw32-objdump -p "$exe" |
  awk '/^\tDLL Name: / { dll = tolower($3); next }
       /^$/ { dll = "" }
       dll != "" && /^\t[0-9a-f]+[ \t]/ { print dll "!" $NF }' | LC_ALL=C sort -u)
[ -n "$imports" ] || { echo "No imports read from $exe" >&2; exit 1; }

allowed=$(grep -v -e '^#' -e '^$' "$list" | LC_ALL=C sort -u)
new=$(LC_ALL=C comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed"))
if ((update)); then printf '%s\n' "$new"; exit 0; fi
unused=$(LC_ALL=C comm -13 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed"))
[ -z "$unused" ] || { echo "Listed but not imported by this build:"; sed 's/^/  /' <<<"$unused"; }
if [ -n "$new" ]; then
  echo "Imports not on the allow-list $list:" >&2
  sed 's/^/  /' <<<"$new" >&2
  echo "If each exists on 32-bit Windows XP SP3, add it to its group." >&2
  exit 1
fi
echo "$(printf '%s\n' "$imports" | wc -l) imports, all on the allow-list"
