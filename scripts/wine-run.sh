#!/usr/bin/env bash
# Runs a Windows program under Wine in the given private prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# WINE, when set, is the Wine loader to start (see common.sh).
set -euo pipefail
# LAUNCHER_WINE_PREFIX, when set, takes the place of PREFIX (a second prefix for the same build).
export WINEPREFIX="${LAUNCHER_WINE_PREFIX:-$1}"; shift
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Without address randomization where the system allows it, for the reason
# given in common.sh.
if setarch "$(uname -m)" -R true 2>/dev/null; then
  exec setarch "$(uname -m)" -R "${WINE:-wine}" "$@"
fi
exec "${WINE:-wine}" "$@"
