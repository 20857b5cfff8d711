#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb.
set -euo pipefail
source "$(dirname "$0")/common.sh"
setup_for_wine_runs
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300 "$@"
