#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages
build_all
start_display
trap 'stop_wine; stop_display' EXIT
prepare_prefix
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300 "$@"
