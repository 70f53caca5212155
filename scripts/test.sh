#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tests, in three stages:
#   linux     the layout of all C++ against .clang-format, the Linux build, its suites (ctest,
#             printing for real through CUPS) and the Debian package; needs nothing of Windows
#   windows   the Windows program cross-built, installed from its installer under Wine and
#             printing on the same queues
#   sanitize  the Linux suites again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# With no stage named, all three, in that order. Every stage runs even when an earlier one
# failed; the closing summary counts the suites that ran and those that failed.
set -uo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(linux windows sanitize)
for stage in "${stages[@]}"; do
  case $stage in linux | windows | sanitize) ;; *)
    echo "usage: $0 [linux] [windows] [sanitize]" >&2
    exit 2
    ;;
  esac
done
wants() { [[ " ${stages[*]} " == *" $1 "* ]]; }

passed=0 failed=0
count() { # name status: one suite
  if [ "$2" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)) && echo "FAILED: $1"; fi
}
ctest_counted() { # ctest's own arguments: each test it runs is a suite
  local log status ran bad
  log=$(mktemp)
  ctest --output-on-failure "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  ran=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' "$log" | tail -n 1)
  rm -f "$log"
  if [ -z "$ran" ]; then # ctest itself failed, or ran nothing
    count "ctest $*" 1
    return
  fi
  [ "$status" = 0 ] || [ "${bad:-0}" -gt 0 ] || bad=1
  passed=$((passed + ran - bad))
  failed=$((failed + bad))
}
must() { # a step that the stage's suites need: when it fails, they do not run
  "$@" || { count "$*" 1 && return 1; }
}

if wants windows; then
  must bash scripts/install-deps.sh --windows || stages=()
else
  must bash scripts/install-deps.sh || stages=()
fi
if [ ${#stages[@]} -gt 0 ]; then
  must bash scripts/setup-printers.sh || stages=()
fi

configure_linux() { # extra cmake arguments
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" && cmake --build build
}
build_sanitized() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZENARIO_SANITIZE=ON \
    -DDEZENARIO_BENCH=OFF && cmake --build build-asan
}

if wants linux; then
  echo "== layout"
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
  count layout $?
  echo "== build and test on Linux"
  if must configure_linux; then
    ctest_counted --test-dir build -E '^windows$'
  fi
fi

if wants windows; then
  echo "== build the Windows program and its installer, and test it under Wine"
  if must bash scripts/build-windows.sh \
    && must configure_linux -DDEZENARIO_WINDOWS_BUILD="$PWD/build-win"; then
    if wants sanitize; then # its build runs beside the Windows test, which mostly waits on Wine
      sanitized_log=$(mktemp)
      build_sanitized >"$sanitized_log" 2>&1 &
      sanitized_build=$!
    fi
    ctest_counted --test-dir build -R '^windows$'
  fi
fi

if wants sanitize; then
  echo "== sanitizers"
  if [ -n "${sanitized_build:-}" ]; then
    wait "$sanitized_build"
    built=$?
    cat "$sanitized_log" && rm -f "$sanitized_log"
  else
    build_sanitized
    built=$?
  fi
  if [ "$built" != 0 ]; then
    count "the sanitized build" 1
  else
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
      LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest_counted --test-dir build-asan -E '^(package|windows)$'
  fi
fi

echo "summary: $passed passed, $failed failed"
[ "$failed" = 0 ]
