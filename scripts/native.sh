#!/usr/bin/env bash
# Builds the window-free logic for Linux with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs its unit tests, then each fuzz target
# briefly (about 10 seconds each).
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages "${NATIVE_PACKAGES[@]}"
build_native
ctest --test-dir "$NATIVE_DIR" --output-on-failure --timeout 300
bash "$ROOT/scripts/fuzz.sh" --smoke
