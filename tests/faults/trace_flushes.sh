#!/usr/bin/env bash
# Shows from outside the program that every file launcher.exe puts in place is on the disk before
# it takes its name: runs a profile switch and a save (e2e_tests.exe's TracedRun.*) with the system
# calls of the Wine processes traced, the program's, which flushes (fsync or fdatasync), and the
# wineserver's, which renames, then checks each name given in the game's folders with
# flushed_before_rename.py, and that the switch's journal is on the disk before the first live
# file is replaced:
#   trace_flushes.sh E2E_TESTS.exe WINEPREFIX
# The logs stay in flush-trace beside E2E_TESTS.exe. The prefix's persistent wineserver makes way
# for a traced one, and is started again afterwards as scripts/common.sh starts it.
set -euo pipefail
tests=$1
export WINEPREFIX="${LAUNCHER_WINE_PREFIX:-$2}"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
here="$(cd "$(dirname "$0")" && pwd)"
wine=${WINE:-wine}

command -v strace >/dev/null ||
  { echo "strace is missing (scripts/common.sh installs it)"; exit 1; }
strace -o /dev/null true 2>/dev/null ||
  { echo "SKIPPED: this system lets no program be traced (ptrace)"; exit 77; }

# Wine without address randomization, as scripts/wine-run.sh runs it.
fixed=()
if setarch "$(uname -m)" -R true 2>/dev/null; then fixed=(setarch "$(uname -m)" -R); fi
# The calls that write, flush or rename a file, whatever the Wine version uses;
# listen shows that the server is ready.
calls='/^(p?writev?[0-9]*|ftruncate(64)?|fallocate|fsync|fdatasync|rename(at2?)?|listen)$'
traced() {  # traced LOG COMMAND...
  "${fixed[@]}" strace -f --seccomp-bpf -y -ttt -T -qq -e signal=none -e trace="$calls" -o "$@"
}

logs="$(cd "$(dirname "$tests")" && pwd)/flush-trace"
rm -rf "$logs"
mkdir -p "$logs"
server=""
restore() {
  set +e
  wineserver -k 2>/dev/null
  [ -n "$server" ] && wait "$server"
  "${fixed[@]}" wineserver -p </dev/null >/dev/null 2>&1
  "${fixed[@]}" "$wine" cmd /c exit </dev/null >/dev/null 2>&1
}
trap restore EXIT

wineserver -k 2>/dev/null || true
wineserver -w
traced "$logs/server" wineserver -f -p </dev/null >/dev/null 2>&1 &
server=$!
until grep -q ' listen(' "$logs/server" 2>/dev/null; do
  kill -0 "$server" 2>/dev/null || { echo "the traced wineserver did not start"; exit 1; }
  sleep 0.1
done
# Wine's background programs start untraced, so that only the test program and
# the launcher.exe it starts are traced.
"${fixed[@]}" "$wine" cmd /c exit </dev/null >/dev/null 2>&1
TRACED_RUN=1 traced "$logs/program" "$wine" "$tests" --gtest_filter='TracedRun.*'

# The live files TracedRun.SwitchThenSave changes.
game="$WINEPREFIX/drive_c/SIERRA/Half-Life/cstrike" saved="$WINEPREFIX/drive_c/faults/Half-Life/big"
expected=("$game"/{mapcycle.txt,bot.cfg,liblist.gam} "$saved/mapcycle.txt"
  "$game"/maps/{cs_assault,cs_docks,cs_estate,cs_italy,cs_office,de_dust,de_nuke}.wpt)
python3 "$here/flushed_before_rename.py" --folder "$game" --folder "$saved" \
  --journal "$game/switch.launcher-journal.tmp" "${expected[@]/#/--expect=}" "$logs/server" \
  "$logs/program"
