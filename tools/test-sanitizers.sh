#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UBSan into ./build-sanitize and runs every test,
# then with ThreadSanitizer into ./build-tsan and runs every test again; any report fails the
# run. "asan" or "tsan" as the argument runs only that one. Needs what tools/setup.sh installs;
# slower than tools/test.sh, so it is not part of the normal checks.
set -euo pipefail
cd "$(dirname "$0")/.."
which="${1:-all}"

run_asan() {
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCALENDAR_SANITIZE=ON >/dev/null
    cmake --build build-sanitize --parallel "${JOBS:-$(nproc)}"
    # Leaks are not checked: the toolkit and the font libraries keep caches until exit.
    (
        export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1:suppressions=$PWD/tools/asan-suppressions.txt"
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        cd build-sanitize
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${JOBS:-$(nproc)}" \
            --timeout 600
    )
}

# Data races. The toolkit and the libraries under it are not built with the checker, so what
# they order among their own threads is invisible to it: their reports are suppressed by the
# frame at the top of each access (never one further down, see the file), so that races of our
# own code still show. The build runs a program of ours too, so the options hold for it as well.
run_tsan() {
    (
        export TSAN_OPTIONS="suppressions=$PWD/tools/tsan-suppressions.txt halt_on_error=1"
        cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCALENDAR_TSAN=ON \
            >/dev/null
        cmake --build build-tsan --parallel "${JOBS:-$(nproc)}"
        cd build-tsan
        # Not the desktop tests: on a real X server the toolkit scales pictures on threads of its
        # own, and the checker, weighing each of their (suppressed) races, slows the program to
        # tens of seconds a step. The rest of the suite runs our code under the checker.
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${JOBS:-$(nproc)}" \
            --timeout 600 --exclude-regex '^desktop\.'
    )
}

case "$which" in
asan) run_asan ;;
tsan) run_tsan ;;
all)
    run_asan
    run_tsan
    ;;
*)
    echo "usage: $0 [asan|tsan]" >&2
    exit 2
    ;;
esac
