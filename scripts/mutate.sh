#!/usr/bin/env bash
# Mutation testing: changes src/ one small fault at a time and checks that the tests fail.
#   mutate.sh [--sample N|all] [--seed S] [--files GLOB] [--tests REGEX] [--ids FILE]
#             [--timeout SECONDS] [--list]
# --sample N   how many mutants to run (default 30: about an hour on a 2-core machine, where a
#              mutant takes 1.5 to 2.5 minutes, a survivor the whole test run); --seed S picks
#              which (default 1): the same seed gives the same mutants, and a smaller sample
#              is part of a larger one.
# --files GLOB only files whose path matches, e.g. 'src/platform/*'; several globs separated by
#              commas.
# --tests R    only the Wine tests whose ctest names match the regular expression R (for the code
#              those tests are written for: a survivor costs one run of them, not of every test).
# --ids FILE   exactly the mutants whose ids start the lines of FILE (a saved --list).
# --timeout S  a mutant's test run that takes longer is killed (default: 3 x the clean run + 60 s).
# --list       only lists the chosen mutants (id, file:line, operator, original => mutated).
#
# Operators (scripts/mutants.py): == and != swapped; < <= > >= moved across the boundary and
# turned round; && and || swapped; a ! dropped; an integer constant +1 and -1; a returned value
# replaced by {} (its type's default) or true/false; one statement deleted; an if condition
# forced true and false. Left out: layout tables (*_layout.cpp), resource ids (res/, and the
# control ids of enums), message texts (string literals), comments, #include and other
# preprocessor lines. A text or a position in a table is data, not a fault a test must catch.
# Mutants compile with warnings not taken as errors.
#
# A mutant is known by its file, the text of its line, its operator and which match of the
# operator on that line it is, not by its line number: after unrelated edits of a file the same
# seed still picks the same mutant where its line is unchanged.
#
# The tests must pass on the unchanged tree first. Each mutant is written into a private copy of
# the tree (build/mutate/tree, whose build folders are kept between mutants and runs). Where the
# mutated file is part of the window-free logic, its native build's unit tests run first, then
# each fuzz target over a fixed 30,000 inputs grown from its seeds. Then launcher, unit_tests and
# e2e_tests are rebuilt and the tests run under Wine (Windows 10) until the first failure: in the
# order they are defined (in-process unit tests, end-to-end tests, injected faults), those that
# took 10 s or more in the clean run last; not the import and package checks.
# A mutant that does not build is "not built" and not counted; one whose tests run out of time
# is killed. Prints a line per mutant, the survivors, and last:
#   mutants: N killed, N survived, N not built, score P %
set -euo pipefail
source "$(dirname "$0")/common.sh"
unset LC_ALL LC_CTYPE
export LANG=C.UTF-8

sample=30 seed=1 files="" ids="" limit="" list=0 tests=""
while (($#)); do
  case "$1" in
    --sample) sample=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --files) files=$2; shift 2 ;;
    --tests) tests=$2; shift 2 ;;
    --ids) ids=$(realpath "$2"); shift 2 ;;
    --timeout) limit=$2; shift 2 ;;
    --list) list=1; shift ;;
    *) sed -n '2,15p' "$0" >&2; exit 2 ;;
  esac
done

REPO=$ROOT
WORK="$REPO/build/mutate"
mkdir -p "$WORK/logs"
choose() { python3 "$REPO/scripts/mutants.py" plan "$REPO" "$seed" "$sample" "$files" "$ids"; }

# field NAME < JSON line: one field of a mutant.
field() { python3 -c 'import json, sys; print(json.loads(sys.stdin.read())[sys.argv[1]])' "$1"; }
describe() {  # describe JSON line: "id file:line [operator] original => mutated"
  python3 -c 'import json, sys; m = json.loads(sys.stdin.read())
print("%s %s:%d [%s] %s  =>  %s" % (m["id"], m["path"], m["line"], m["op"], m["original"], m["mutated"]))'
}

if ((list)); then
  choose | while IFS= read -r mutant; do describe <<<"$mutant"; done
  exit
fi
plan="$WORK/plan.jsonl"
choose >"$plan"

# The private copy: the working tree's files (committed or not), copied where they differ, so
# that the copy's build stays incremental.
COPY="$WORK/tree"
mkdir -p "$COPY"
(
  cd "$REPO"
  git ls-files -co --exclude-standard | sort >"$WORK/files"
  while IFS= read -r f; do
    [ -f "$f" ] || continue
    if ! cmp -s "$f" "$COPY/$f"; then
      mkdir -p "$COPY/$(dirname "$f")"
      cp "$f" "$COPY/$f"
    fi
  done <"$WORK/files"
  (cd "$COPY" && find . -path ./build -prune -o -type f -printf '%P\n' | sort) |
    comm -13 "$WORK/files" - | while IFS= read -r f; do rm -f "$COPY/$f"; done
)
ROOT=$COPY
BUILD_DIR="$COPY/build/mingw"
BUILD64_DIR="$COPY/build/mingw64"
# Mutants compile with warnings kept as warnings: a warning the mutant causes is no test failing.
printf '#!/bin/sh\nexec "$@" -Wno-error\n' >"$WORK/no-werror"
chmod +x "$WORK/no-werror"
export CMAKE_CXX_COMPILER_LAUNCHER="$WORK/no-werror"
for dir in "$BUILD_DIR" "$BUILD64_DIR"; do
  if [ -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$COPY" -B "$dir" -DCMAKE_CXX_COMPILER_LAUNCHER="$WORK/no-werror" >/dev/null
  fi
done
# Builds the copy and sets TEST_BUILD_DIR, the build the Wine runs use, and its PREFIX.
setup_for_wine_runs >"$WORK/logs/setup.log" 2>&1 || { cat "$WORK/logs/setup.log" >&2; exit 1; }
set_windows_version win10
# A program that crashes ends at once instead of waiting in Wine's debugger until it times out.
for view in Software Software\\Wow6432Node; do
  wine reg add "HKLM\\$view\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug" /v Debugger \
    /d no-debugger /f >/dev/null 2>&1 || true
done

# The window-free logic's own build: its unit tests and fuzz targets run first for a mutant of
# a file it compiles.
NATIVE_DIR="$COPY/build/native"
build_native >>"$WORK/logs/setup.log" 2>&1 || { cat "$WORK/logs/setup.log" >&2; exit 1; }
FUZZ_TARGETS=(cycle_codec rotation_edits settings_text shuffle steam_library_folders)

# run_native LOG: the native unit tests, then each fuzz target for a fixed number of inputs from
# a fresh copy of its seeds (the same inputs every time); 0 when all pass.
run_native() {
  local log=$1 target corpus
  ctest --test-dir "$NATIVE_DIR" --output-on-failure --stop-on-failure --timeout 60 >>"$log" 2>&1 ||
    return 1
  for target in "${FUZZ_TARGETS[@]}"; do
    corpus="$WORK/fuzz-corpus"
    rm -rf "$corpus" && mkdir -p "$corpus" && cp "$COPY/fuzz/seeds/$target"/* "$corpus/"
    (cd "$WORK" && "$NATIVE_DIR/fuzz/${target}_fuzz" -runs=30000 -seed=1 -max_len=4096 \
      "$corpus" >>"$log" 2>&1) || return 1
  done
}

TARGETS=(launcher unit_tests e2e_tests)
# The import and package checks test the release, not the code.
NOT_RUN='^Imports\.|^Package\.'
# Fast killers first: the tests in the order they are defined (the in-process unit tests, then
# the end-to-end tests, then the injected faults), and last those that took 10 s or more in the
# clean run. Each group stops at its first failure; cost data is removed, so that ctest keeps
# that order rather than start with the slowest.
TEST_GROUPS=("-E $NOT_RUN${tests:+ -R $tests}")

# run_tests LOG SECONDS: 0 when every test passes, 1 at the first failure, 124 when out of time.
run_tests() {
  local log=$1 deadline=$((SECONDS + $2)) group rc
  for group in "${TEST_GROUPS[@]}"; do
    rm -f "$TEST_BUILD_DIR/Testing/Temporary/CTestCostData.txt"
    rc=0
    # shellcheck disable=SC2086
    timeout -k 10 $((deadline > SECONDS ? deadline - SECONDS : 1)) \
      ctest --test-dir "$TEST_BUILD_DIR" --output-on-failure --stop-on-failure --timeout 60 \
      $group >>"$log" 2>&1 || rc=$?
    if ((rc == 124 || rc == 137)) || grep -q '\*\*\*Timeout' "$log"; then return 124; fi
    ((rc == 0)) || return 1
  done
}

# After failed tests a program may still run in the prefix, or a fault case may have left its
# file system behind: a new Wine server and no leftovers.
reset_wine() {
  wineserver -k 2>/dev/null || true
  sleep 1
  local drive="$PREFIX/dosdevices/x:"
  if [ -L "$drive" ]; then
    umount "$(readlink "$drive")" 2>/dev/null || true
    rm -f "$drive"
  fi
  findmnt -rn -o TARGET | grep -F "$PREFIX/" | while IFS= read -r m; do umount -l "$m"; done || true
  prepare_prefix >/dev/null 2>&1
}

echo "Clean run of the tests on the unchanged tree"
start=$SECONDS
if ! run_native "$WORK/logs/clean.log" || ! run_tests "$WORK/logs/clean.log" 3600; then
  echo "The tests fail without any mutant (see $WORK/logs/clean.log)" >&2
  exit 1
fi
clean=$((SECONDS - start))
slow=$(sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) \.+ +Passed +([0-9.]+) sec$/\2 \1/p' \
  "$WORK/logs/clean.log" | awk '$1 >= 10 { gsub(/\./, "\\.", $2); print $2 }' | paste -sd'|')
if [ -n "$slow" ]; then
  TEST_GROUPS=("-E $NOT_RUN|^($slow)\$${tests:+ -R $tests}" "-R ^($slow)\$")
fi
limit=${limit:-$((3 * clean + 60))}
echo "Clean run: ${clean} s; a mutant's tests are stopped after ${limit} s"

current="" backup="$WORK/original"
restore() {
  if [ -n "$current" ]; then
    cp "$backup" "$COPY/$current"
    current=""
  fi
}
trap 'restore; stop_wine; stop_display' EXIT

total=$(wc -l <"$plan")
killed=0 survived=0 unbuilt=0 timeouts=0 n=0 survivors=()
run_start=$SECONDS
while IFS= read -r mutant <&3; do
  n=$((n + 1))
  id=$(field id <<<"$mutant")
  log="$WORK/logs/$id.log"
  : >"$log"
  path=$(field path <<<"$mutant")
  cp "$COPY/$path" "$backup"
  current=$path
  python3 "$REPO/scripts/mutants.py" apply "$COPY" "$mutant"
  started=$SECONDS
  native_built=0
  if cmake --build "$NATIVE_DIR" -j "$(nproc)" >>"$log" 2>&1; then
    # A mutant of a file the native build does not compile leaves it with nothing to do.
    tail -n 1 "$log" | grep -q 'no work to do' || native_built=1
  else
    native_built=-1
  fi
  if ((native_built < 0)) ||
    ! cmake --build "$TEST_BUILD_DIR" -j "$(nproc)" --target "${TARGETS[@]}" >>"$log" 2>&1; then
    outcome="not built"
    unbuilt=$((unbuilt + 1))
  else
    rc=0
    if ((native_built)); then run_native "$log" || rc=1; fi
    ((rc)) || run_tests "$log" "$limit" || rc=$?
    case $rc in
      0) outcome="survived"; survived=$((survived + 1)); survivors+=("$(describe <<<"$mutant")") ;;
      124) outcome="killed (timeout)"; killed=$((killed + 1)); timeouts=$((timeouts + 1)) ;;
      *) outcome="killed"; killed=$((killed + 1)) ;;
    esac
    ((rc == 0)) || reset_wine
  fi
  restore
  printf '[%d/%d] %-16s %4d s  %s\n' "$n" "$total" "$outcome" $((SECONDS - started)) \
    "$(describe <<<"$mutant")"
done 3<"$plan"

# The copy's build back to the unchanged tree, so the next run starts from it.
cmake --build "$TEST_BUILD_DIR" -j "$(nproc)" --target "${TARGETS[@]}" >"$WORK/logs/rebuild.log" 2>&1 || true
cmake --build "$NATIVE_DIR" -j "$(nproc)" >>"$WORK/logs/rebuild.log" 2>&1 || true

echo "Run: $((SECONDS - run_start)) s for $n mutants; killed by timeout: $timeouts"
echo "Surviving mutants (id file:line [operator] original => mutated):"
for s in "${survivors[@]}"; do echo "$s"; done
counted=$((killed + survived))
score=$(python3 -c "import sys; k, c = map(int, sys.argv[1:]); print('%.1f' % (100 * k / c if c else 0))" \
  "$killed" "$counted")
echo "mutants: $killed killed, $survived survived, $unbuilt not built, score $score %"
