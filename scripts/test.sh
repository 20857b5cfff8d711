#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb with Wine reporting
# Windows 10, then the end-to-end tests and the manifest's version test again with Wine reporting
# Windows 7, then checks that launcher.exe builds byte for byte the same in another folder.
# With arguments, runs only ctest with them (Wine reporting WINE_WINDOWS, win10 unless set).
set -euo pipefail
source "$(dirname "$0")/common.sh"
setup_for_wine_runs
run_ctest() {
  ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300 "$@"
}

if (($#)); then
  set_windows_version "${WINE_WINDOWS:-win10}"
  run_ctest "$@"
  exit
fi
set_windows_version win10
run_ctest
set_windows_version win7
run_ctest -R 'E2E\.|Resources\.ManifestLets'
set_windows_version win10
bash "$ROOT/scripts/check_reproducible.sh" "$BUILD_DIR/launcher.exe"
