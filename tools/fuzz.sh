#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/targets) with clang, libFuzzer, AddressSanitizer and UBSan
# into ./build-fuzz and runs each for a while, starting from its saved inputs (fuzz/corpus).
#   tools/fuzz.sh [seconds per target, default 60] [target ...]
# New inputs go to build-fuzz/corpus/<target>; a crash is saved in build-fuzz/crashes/<target>.
# Copy an input that once failed into fuzz/corpus/<target>/ so the replay tests keep it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
need=()
command -v clang++ >/dev/null || need+=(clang)
dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed" ||
  need+=(libclang-rt-14-dev)
if ((${#need[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCALENDAR_FUZZ=ON -DCALENDAR_SANITIZE=ON -DBUILD_TESTING=OFF >/dev/null
targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/targets/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
cmake --build build-fuzz --parallel "${JOBS:-$(nproc)}" --target "${targets[@]/#/fuzz_}"
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
status=0
# The time-out is generous: on a shared machine a single input can stall for many seconds.
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target" "build-fuzz/crashes/$target"
  echo "== $target: $seconds s"
  if ! build-fuzz/fuzz/"fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -malloc_limit_mb=1024 -timeout=120 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/crashes/$target/" \
      "build-fuzz/corpus/$target" "fuzz/corpus/$target" 2>"build-fuzz/$target.log"; then
    status=1
    echo "   FAILED: see build-fuzz/$target.log and build-fuzz/crashes/$target/"
  fi
  grep -E "^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb" \
    "build-fuzz/$target.log" | sed 's/^/   /' || true
done
exit $status
