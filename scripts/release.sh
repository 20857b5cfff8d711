#!/usr/bin/env bash
# Builds the release: installs what is missing, configures with the mingw preset, builds the zip
# (launcher.exe, README.txt, LICENSE.txt) and its SHA-256 file, checks the sum and prints where
# both are.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages g++-mingw-w64-i686 cmake ninja-build googletest
cd "$ROOT"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target package -j "$(nproc)"
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$BUILD_DIR/CPackConfig.cmake")
(cd "$BUILD_DIR" && sha256sum -c "$name.zip.sha256")
echo "Release: $BUILD_DIR/$name.zip"
echo "SHA-256: $BUILD_DIR/$name.zip.sha256"
