#!/usr/bin/env bash
# Installs what is missing, builds and tests the window-free logic natively
# (sanitizers, unit tests, a short fuzz run), then builds and runs every test
# under Wine and Xvfb. Arguments go to the Wine ctest run. Fails when either
# part fails, after running both.
set -euo pipefail
source "$(dirname "$0")/common.sh"
native_status=0
bash "$ROOT/scripts/native.sh" || native_status=$?
setup_for_wine_runs
wine_status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300 "$@" || wine_status=$?
if ((native_status)); then echo "The native tests or the fuzz run failed (see above)." >&2; fi
if ((native_status || wine_status)); then exit 1; fi
