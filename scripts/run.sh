#!/usr/bin/env bash
# Installs what is missing, builds, installs the demo game in a private Wine
# prefix and starts launcher.exe on it; `run.sh --steam` installs the demo as
# Steam leaves a machine (Half-Life in a second Steam library, no C:\SIERRA).
# With a display the window opens there; without one it runs under Xvfb,
# screenshots are saved, and it ends.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_wine_packages
build_all
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  start_display
fi
trap 'stop_wine; stop_display' EXIT
prepare_prefix
demo_options=()
[ "${1:-}" = "--steam" ] && demo_options=(--steam)
wine "$TEST_BUILD_DIR/make_demo.exe" "${demo_options[@]}"

if ((headless == 0)); then
  wine "$TEST_BUILD_DIR/launcher.exe"
  exit 0
fi

# Wine's virtual desktop (set up with the prefix) draws the window frames.
shots="$TEST_BUILD_DIR/screenshots"
mkdir -p "$shots"
wine "$TEST_BUILD_DIR/launcher.exe" &
launcher=$!
status=0
wine "$TEST_BUILD_DIR/screenshot.exe" "$(wine winepath -w "$shots")" || status=$?
wait "$launcher" || true
echo "No display: screenshots of the windows are in $shots"
ls "$shots"
exit "$status"
