#!/usr/bin/env bash
# Checks that the same sources built in different folders give a byte-identical launcher.exe and
# release zip: copies the source tree to a temporary folder, builds the launcher and the zip there
# into a build folder of another name, and compares with those built the same way from a second
# copy, or with the build folder of the exe given (test.sh gives its own build's, saving one
# build; its zip is brought up to date there first):
#   check_reproducible.sh [launcher.exe]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build_copy() {  # build_copy SOURCE_FOLDER BUILD_FOLDER
  mkdir -p "$1"
  tar -C "$ROOT" --exclude=./build --exclude=./.git -cf - . | tar -C "$1" -xf -
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$2" --target launcher release_zip -j "$(nproc)" >/dev/null
}

first="${1:-}"
if [ -z "$first" ]; then
  build_copy "$work/first/src" "$work/first/src/build"
  first="$work/first/src/build/launcher.exe"
else
  cmake --build "$(dirname "$first")" --target release_zip >/dev/null
fi
build_copy "$work/second/another-source-folder" "$work/second/out"
second="$work/second/out/launcher.exe"
if ! cmp "$first" "$second"; then
  echo "launcher.exe differs between builds of the same sources in two folders" >&2
  exit 1
fi
zip_name=$(cd "$work/second/out" && ls ./*-win32.zip)
if ! cmp "$(dirname "$first")/$zip_name" "$work/second/out/$zip_name"; then
  echo "${zip_name#./} differs between builds of the same sources in two folders" >&2
  exit 1
fi
echo "launcher.exe built in two folders is the same: sha256 $(sha256sum <"$second" | cut -c1-16)..."
echo "${zip_name#./} built in two folders is the same: sha256 $(sha256sum <"$work/second/out/$zip_name" | cut -c1-16)..."
