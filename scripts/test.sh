#!/usr/bin/env bash
# Installs what is missing, then:
# 1. builds and tests the window-free logic natively (sanitizers, unit tests, a short fuzz run);
# 2. builds the 32-bit launcher.exe (with its tests where they can run) and checks its imports
#    and release zip;
# 3. runs every test under Wine and Xvfb with Wine reporting Windows 10 (the code-page tests
#    again under code pages 1251, 932 and 936, set by the locale), then the end-to-end
#    tests (but the kill tests) and the manifest's version test again with Wine reporting Windows 7
#    and, in a 32-bit prefix, Windows XP. The Wine runs use the 32-bit build, or the 64-bit
#    build of the same sources where this machine cannot run 32-bit programs (see common.sh);
# 4. checks that launcher.exe and the release zip build byte for byte the same in another folder.
# Fails when any part fails, after running them all.
# With arguments, runs only the Wine ctest with them (Wine reporting WINE_WINDOWS, win10 unless set,
# under the locale TEST_LANG, C.UTF-8 unless set).
set -euo pipefail
source "$(dirname "$0")/common.sh"
# Wine takes its ANSI code page from the locale: 1252 under C.UTF-8, which the tests expect.
# TEST_LANG sets another for a run with arguments (TEST_LANG=ja_JP.UTF-8 for 932).
unset LC_ALL LC_CTYPE
export LANG="${TEST_LANG:-C.UTF-8}"

# The end-to-end runs under other Windows versions: the kill tests prove the file replacement,
# which the version Wine reports does not change, and run under Windows 10 only.
OTHER_VERSIONS=(-R 'E2E\.|Resources\.ManifestLets' -E '^CrashE2E\.')

run_ctest() {
  ctest --test-dir "$TEST_BUILD_DIR" --output-on-failure --timeout 300 "$@"
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
if [ "$TEST_BUILD_DIR" != "$BUILD_DIR" ]; then
  # The Wine runs use the 64-bit build, whose ctest has no import or release zip checks: they
  # are made here on the 32-bit exe.
  bash "$ROOT/tests/imports/check_imports.sh" "$BUILD_DIR/launcher.exe" &&
    bash "$ROOT/scripts/release.sh" >/dev/null &&
    bash "$ROOT/tests/package/check_package.sh" "$BUILD_DIR"/OrlwinBotLauncher-*-win32.zip \
      "$BUILD_DIR/launcher.exe" "$ROOT/docs/player-guide.md" "$ROOT/LICENSE" &&
    bash "$ROOT/tests/package/check_guide_html.sh" "$BUILD_DIR"/OrlwinBotLauncher-*-win32.zip \
      "$ROOT/docs/player-guide.md" "$ROOT/docs" ||
    failed+=("import check or release zip")
fi
set_windows_version win10
run_ctest || failed+=("Wine tests (Windows 10)")
# The code-page tests again under the other ANSI code pages players have.
for locale in "${CODE_PAGE_LOCALES[@]}"; do
  LANG="$locale" run_ctest -R '^CodePage' || failed+=("code-page tests ($locale)")
done
set_windows_version win7
run_ctest "${OTHER_VERSIONS[@]}" || failed+=("end-to-end tests (Windows 7)")
if [ "$TEST_BUILD_DIR" = "$BUILD_DIR" ]; then
  # Windows XP is 32-bit only: a prefix of its own, made 32-bit.
  xp_prefix="$BUILD_DIR/wineprefix-xp"
  (export PREFIX="$xp_prefix" WINEARCH=win32 && prepare_prefix && set_windows_version winxp &&
    LAUNCHER_WINE_PREFIX="$xp_prefix" run_ctest "${OTHER_VERSIONS[@]}"
  ) || failed+=("end-to-end tests (Windows XP, 32-bit prefix)")
  WINEPREFIX="$xp_prefix" wineserver -k 2>/dev/null || true
else
  echo "Skipped: the Windows XP run, which needs Wine's 32-bit part."
fi
set_windows_version win10
bash "$ROOT/scripts/check_reproducible.sh" "$BUILD_DIR/launcher.exe" ||
  failed+=("reproducible build or zip")
if ((${#failed[@]})); then
  printf 'FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "All parts passed: native tests and fuzz run, Wine tests (Windows 10, 7 and XP where it runs; the code-page tests under 1252, 1251, 932 and 936), reproducible build and release zip."
