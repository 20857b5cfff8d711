#!/usr/bin/env bash
# Installs what is missing, builds, installs the demo game in a private Wine
# prefix and starts launcher.exe on it. With a display the window opens there;
# without one it runs under Xvfb, screenshots are saved, and it ends.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages
build_all
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  start_display
fi
trap 'stop_wine; stop_display' EXIT
prepare_prefix
wine "$BUILD_DIR/make_demo.exe"

if ((headless == 0)); then
  wine "$BUILD_DIR/launcher.exe"
  exit 0
fi

# Wine's virtual desktop draws the window frames for the screenshots.
shots="$BUILD_DIR/screenshots"
mkdir -p "$shots"
desktop=(wine explorer /desktop=shot,800x600)
"${desktop[@]}" "$BUILD_DIR/launcher.exe" &
"${desktop[@]}" "$BUILD_DIR/screenshot.exe" "$(winepath -w "$shots")" >/dev/null 2>&1
wineserver -w 2>/dev/null || true
echo "No display: screenshots of the windows are in $shots"
ls "$shots"
