#!/usr/bin/env bash
# Prints the share of test code in the code of the repository, in non-blank lines of the files
# git tracks:
#   code: source, scripts and build files (*.cpp *.h *.py *.sh *.cmake *.rc *.in CMakeLists.txt
#         CMakePresets.json .ci/run); not docs, pictures, fuzz seeds or data lists such as
#         tests/imports/allowed_imports.txt.
#   test: the code in tests/ and fuzz/, and each helper in tools/support/ that only tests use
#         (its header is included from tests/ or fuzz/ only). A helper that tests share with the
#         demo or screenshot tools or the benchmarks is code; it is listed with its lines, and the
#         last line gives the share with the shared helpers counted as test.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t code < <(git ls-files |
  grep -E '\.(cpp|h|py|sh|cmake|rc|in)$|(^|/)CMakeLists\.txt$|^CMakePresets\.json$|^\.ci/run$' |
  grep -v '^fuzz/seeds/')
lines() { if (($#)); then cat "$@" | grep -cv '^[[:space:]]*$' || true; else echo 0; fi; }
percent() { python3 -c 'import sys; print("%.1f" % (100 * int(sys.argv[1]) / int(sys.argv[2])))' "$@"; }

test_files=() shared_files=() test_only=() shared=()
for f in "${code[@]}"; do
  [[ "$f" == tests/* || "$f" == fuzz/* ]] && test_files+=("$f")
done
for header in $(git ls-files 'tools/support/*.h'); do
  helper=${header%.h}
  users=$(git grep -l "#include \"support/$(basename "$header")\"" | grep -v "^$helper\.\(h\|cpp\)$" || true)
  grep -q '^\(tests\|fuzz\)/' <<<"$users" || continue
  mapfile -t files < <(git ls-files "$helper.h" "$helper.cpp")
  if grep -qv '^\(tests\|fuzz\)/' <<<"$users"; then
    shared+=("$(basename "$helper") ($(lines "${files[@]}"))")
    shared_files+=("${files[@]}")
  else
    test_only+=("$(basename "$helper") ($(lines "${files[@]}"))")
    test_files+=("${files[@]}")
  fi
done

all=$(lines "${code[@]}")
test=$(lines "${test_files[@]}")
both=$((test + $(lines "${shared_files[@]}")))
echo "tools/support used only by tests (test code): ${test_only[*]:-none}"
echo "tools/support shared by tests and tools or benchmarks (code): ${shared[*]:-none}"
echo "all code: $all lines"
echo "test code: $test lines, $(percent "$test" "$all") %"
echo "with the shared helpers counted as test: $both lines, $(percent "$both" "$all") %"
