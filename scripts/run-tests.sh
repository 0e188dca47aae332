#!/usr/bin/env bash
# The whole test suite: the normal build and its tests, the Debian package installed, started and
# removed again (on this machine), the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzz target for a short time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh"
jobs=$(nproc)
fuzz_seconds=${QUORVIA_FUZZ_SECONDS:-15}

echo "== build and test"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== Debian package: build, validate, install, start, remove"
"$root/scripts/package-check.sh" "$root/build"

echo "== build and test with ASan and UBSan"
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQUORVIA_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

echo "== fuzz targets, ${fuzz_seconds}s each"
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DQUORVIA_FUZZ=ON -DQUORVIA_TESTS=OFF >/dev/null
# Only the fuzz targets and what they link; the windows and the gateway are not needed here.
ninja -C "$root/build-fuzz" -j "$jobs" $(ninja -C "$root/build-fuzz" -t targets all |
  sed -n 's|^fuzz/\(fuzz_[a-z_]*\): .*|\1|p' | grep -v _autogen | sort -u)
for f in "$root"/build-fuzz/fuzz/fuzz_*; do
  [ -f "$f" ] && [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$root/build-fuzz/corpus/$name"; mkdir -p "$corpus"
  echo "-- $name"
  ASAN_OPTIONS=detect_leaks=0 "$f" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 \
    -print_final_stats=0 "$corpus" 2>&1 | tail -n 2
done
echo "== all tests passed"
