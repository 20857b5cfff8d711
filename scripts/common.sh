# Shared steps of the scripts: packages, builds, virtual display, Wine prefix.
# shellcheck shell=bash

# Debian's Wine starts its programs without Wine's preloader, so nothing holds
# the address Wine needs for the shared user data (0x7ffe0000) while the kernel
# places the program break at a random point up to 1 GB above the loader (at
# 0x7d000000). About one Wine process in a few thousand then dies at start
# ("failed to map the shared user data"; to the program starting it,
# CreateProcess fails with ERROR_INTERNAL_ERROR). The scripts, and with them
# Wine and every program it starts, run without address randomization, which
# keeps the break right above the loader. (Only a script that sources this
# file can be started again so; `bash -c` cannot.)
if [ -z "${LAUNCHER_FIXED_LAYOUT:-}" ] && [ "${BASH_SOURCE[1]:-}" = "$0" ] &&
  setarch "$(uname -m)" -R true 2>/dev/null; then
  export LAUNCHER_FIXED_LAYOUT=1
  exec setarch "$(uname -m)" -R bash "$0" "$@"
fi

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The program: launcher.exe for 32-bit Windows, with its tests and tools.
BUILD_DIR="${BUILD_DIR:-$ROOT/build/mingw}"
# Wine runs 32-bit Windows programs with its 32-bit part, a 32-bit Linux program. Where the
# kernel runs no 32-bit Linux programs (some virtual machines switch that off), the same sources
# are built 64-bit here, and the tests run against that build; the program reads the registry's
# 32-bit view explicitly, so it behaves the same in both.
BUILD64_DIR="$ROOT/build/mingw64"
NATIVE_DIR="$ROOT/build/native"

# The Windows build and its runs under Wine; e2fsprogs brings chattr, which the
# fault tests use (a minimal Debian 13 lacks it), strace the test that watches
# files being flushed before they are renamed. libc6:i386 tells whether this
# kernel runs 32-bit programs before Wine's 32-bit part is installed. pandoc
# writes the release's README.txt and Guide.html; chromium opens Guide.html in
# the package test.
PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 cmake ninja-build googletest wine wine64
  libc6:i386 xvfb xauth fonts-wine fonts-liberation python3 e2fsprogs strace locales pandoc
  chromium)
# What building the release needs: the program's compiler, the guide's converter, and
# python3, whose zipfile writes the zip.
RELEASE_PACKAGES=(g++-mingw-w64-i686 cmake ninja-build googletest pandoc python3)
# Wine takes a process's ANSI code page from its locale. The code-page tests (ctest names
# starting with CodePage) run again under each of these: 1251, 932 and 936.
CODE_PAGE_LOCALES=(ru_RU.UTF-8 ja_JP.UTF-8 zh_CN.UTF-8)
# The window-free logic built for Linux: clang with libclang-rt-dev (its
# sanitizer and libFuzzer runtimes), g++ for the C++ library it builds against.
NATIVE_PACKAGES=(cmake ninja-build googletest clang libclang-rt-dev g++)

# ensure_packages PACKAGE...: installs those of the packages that are missing.
ensure_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q "${missing[@]}"
  fi
}

# Generates the code-page tests' locales that are missing (Debian's locales package holds
# their sources; a fresh system has none of them).
ensure_locales() {
  local have locale
  have=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
  for locale in "${CODE_PAGE_LOCALES[@]}"; do
    local listed="${locale%%.*}.utf8"
    grep -qx "${listed,,}" <<<"$have" || localedef -i "${locale%%.*}" -f UTF-8 "$locale"
  done
}

# True when this kernel runs 32-bit Linux programs, and so Wine's 32-bit part.
runs_32bit_programs() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Installs what the Windows build and the Wine runs need, Wine's 32-bit part where this machine
# runs it, and sets TEST_BUILD_DIR (the build the Wine runs use) and PREFIX (its Wine prefix).
ensure_wine_packages() {
  ensure_packages "${PACKAGES[@]}"
  if runs_32bit_programs; then
    ensure_packages wine32:i386
    TEST_BUILD_DIR="$BUILD_DIR"
  else
    echo "This kernel runs no 32-bit programs (see dmesg): the Wine runs use the 64-bit build."
    TEST_BUILD_DIR="$BUILD64_DIR"
  fi
  PREFIX="$TEST_BUILD_DIR/wineprefix"
  ensure_locales
  choose_wine_loader
}

# Debian's `wine` starts Wine's 32-bit loader whenever Wine's 32-bit part is installed, which
# fails where the kernel runs no 32-bit programs: there the 64-bit loader is started directly.
# The scripts' `wine` and wine-run.sh start $WINE.
choose_wine_loader() {
  WINE=$(type -P wine || echo /usr/bin/wine)
  if ! runs_32bit_programs && [ -x /usr/lib/wine/wine64 ]; then
    WINE=/usr/lib/wine/wine64
    export WINELOADER="$WINE"  # the loader Wine starts its own programs with
  fi
  export WINE
}
wine() {
  "${WINE:-$(type -P wine)}" "$@"
}

configure_and_build() {  # configure_and_build BUILD_FOLDER ARCH [CMAKE_ARGUMENT...]
  cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DMINGW_ARCH="$2" -DCMAKE_BUILD_TYPE=Release "${@:3}" >/dev/null
  cmake --build "$1" -j "$(nproc)"
}

# The 32-bit build with its tests and benchmarks. Where the Wine runs need the 64-bit build, that
# one has them, and the 32-bit build is the program, its tools and its release only: its tests
# could not run here.
build_all() {
  if [ "${TEST_BUILD_DIR:-$BUILD_DIR}" = "$BUILD_DIR" ]; then
    configure_and_build "$BUILD_DIR" i686 -DBUILD_TESTING=ON
  else
    configure_and_build "$BUILD_DIR" i686 -DBUILD_TESTING=OFF
    configure_and_build "$TEST_BUILD_DIR" x86_64 -DBUILD_TESTING=ON
  fi
}

# The window-free logic for Linux with sanitizers, its unit tests and fuzz targets.
build_native() {
  cmake -S "$ROOT" -B "$NATIVE_DIR" -G Ninja -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$NATIVE_DIR" -j "$(nproc)"
}

XVFB_PID=""
start_display() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

stop_display() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

wine_env() {
  export WINEPREFIX="$PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# A private prefix under the build folder, with Wine's own fonts registered
# (Marlett, MS Sans Serif, Tahoma), so the windows draw as they should.
prepare_prefix() {
  wine_env
  if [ ! -f "$PREFIX/system.reg" ]; then
    echo "Creating Wine prefix $PREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # Windows live in Wine's virtual desktop, which draws their frames and
  # hides a window at once (on a bare X server each hide waits for a window
  # manager that is not there). The desktop is chosen when the server starts.
  if ! grep -q '"Desktop"="Default"' "$PREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
      >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
  fi
  # A persistent server, with Wine's own background programs started here
  # rather than by the first test (they would hold its output open), saves
  # every test program the start-up.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  local fonts="$PREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/sserife.fon \
    /usr/share/wine/fonts/tahoma*.ttf "$fonts/" 2>/dev/null || true
}

# Sets the Windows version the prefix reports (win7, win10) and checks that a program started
# now sees it.
set_windows_version() {
  local want
  case "$1" in
    winxp) want=5.1 ;;
    win7) want=6.1 ;;
    win10) want=10.0 ;;
    *) echo "Unknown Windows version $1" >&2; return 1 ;;
  esac
  wine winecfg -v "$1" >/dev/null 2>&1
  local shown
  shown=$(wine cmd /c ver 2>/dev/null | tr -d '\r' | grep -v '^$')
  if ! grep -q " $want\." <<<"$shown"; then
    echo "Wine was set to $1 but reports: $shown" >&2
    return 1
  fi
  echo "Wine reports $shown"
}

stop_wine() {
  wine_env
  wineserver -k 2>/dev/null || true
}

# Packages, build, a virtual display and the prefix, torn down on exit.
setup_for_wine_runs() {
  ensure_wine_packages
  build_all
  start_display
  trap 'stop_wine; stop_display' EXIT
  prepare_prefix
}
