#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UBSan into ./build-sanitize and runs every test;
# any report fails the run. Needs what tools/setup.sh installs; slower than tools/test.sh, so it
# is not part of the normal checks.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCALENDAR_SANITIZE=ON >/dev/null
cmake --build build-sanitize --parallel "${JOBS:-$(nproc)}"
# Leaks are not checked: the toolkit and the font libraries keep caches until exit.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${JOBS:-$(nproc)}" --timeout 600
