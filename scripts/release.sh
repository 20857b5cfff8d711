#!/usr/bin/env bash
# Builds the release: installs what is missing, configures with the mingw preset, builds the zip
# (launcher.exe, README.txt, Guide.html, LICENSE.txt) and its SHA-256 file, checks the sum and
# prints where both are.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages "${RELEASE_PACKAGES[@]}"
cd "$ROOT"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target release_zip -j "$(nproc)"
name=$(sed -n 's/^PACKAGE_FILE_NAME:INTERNAL=//p' "$BUILD_DIR/CMakeCache.txt")
(cd "$BUILD_DIR" && sha256sum -c "$name.zip.sha256")
echo "Release: $BUILD_DIR/$name.zip"
echo "SHA-256: $BUILD_DIR/$name.zip.sha256"
