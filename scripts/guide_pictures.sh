#!/usr/bin/env bash
# Takes the pictures of the three windows that the player's guide shows (docs/launcher.png,
# chooser.png, editor.png) from the program itself: run.sh without a display installs the demo
# game, starts launcher.exe under Xvfb in Wine's virtual desktop and saves each window with
# tools/screenshot; they are copied into docs/ to be committed. The build embeds the committed
# pictures in Guide.html: so building the release needs no Wine, and the zip does not depend on
# how the Wine at hand draws (Debian 12 has Wine 8, Debian 13 Wine 10).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/common.sh"
env -u DISPLAY bash "$ROOT/scripts/run.sh"
ensure_wine_packages >/dev/null
for picture in launcher chooser editor; do
  cp "$TEST_BUILD_DIR/screenshots/$picture.png" "$ROOT/docs/$picture.png"
done
echo "Pictures of the windows written to $ROOT/docs"
