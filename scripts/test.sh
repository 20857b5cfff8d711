#!/usr/bin/env bash
# Installs what is missing, then:
# 1. builds and tests the window-free logic natively (sanitizers, unit tests, a short fuzz run);
# 2. builds and runs every test under Wine and Xvfb with Wine reporting Windows 10, then the
#    end-to-end tests and the manifest's version test again with Wine reporting Windows 7;
# 3. checks that launcher.exe builds byte for byte the same in another folder.
# Fails when any part fails, after running them all.
# With arguments, runs only the Wine ctest with them (Wine reporting WINE_WINDOWS, win10 unless set).
set -euo pipefail
source "$(dirname "$0")/common.sh"
# Wine takes its ANSI code page from the locale: 1252 under C.UTF-8, which the tests expect.
unset LC_ALL LC_CTYPE
export LANG=C.UTF-8

run_ctest() {
  ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300 "$@"
}

if (($#)); then
  setup_for_wine_runs
  set_windows_version "${WINE_WINDOWS:-win10}"
  run_ctest "$@"
  exit
fi

failed=()
bash "$ROOT/scripts/native.sh" || failed+=("native tests or fuzz run")
setup_for_wine_runs
set_windows_version win10
run_ctest || failed+=("Wine tests (Windows 10)")
set_windows_version win7
run_ctest -R 'E2E\.|Resources\.ManifestLets' || failed+=("end-to-end tests (Windows 7)")
set_windows_version win10
bash "$ROOT/scripts/check_reproducible.sh" "$BUILD_DIR/launcher.exe" || failed+=("reproducible build")
if ((${#failed[@]})); then
  printf 'FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "All parts passed: native tests and fuzz run, Wine tests (Windows 10 and 7), reproducible build."
