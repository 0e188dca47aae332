#!/usr/bin/env bash
# The whole test suite: the normal build and its tests, the Debian packages installed, started and
# removed again (on this machine), the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzz target for a short time.
#   scripts/run-tests.sh           the whole suite (what CI runs)
#   scripts/run-tests.sh --quick   the normal build and its tests only, between two changes
# Every build goes through ccache (scripts/ccache-env.sh); its hit rate is printed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
quick=0
[ "${1:-}" = "--quick" ] && quick=1
"$root/scripts/deps.sh"
source "$root/scripts/ccache-env.sh"
ccache --zero-stats >/dev/null
jobs=$(nproc)
fuzz_seconds=${QUORVIA_FUZZ_SECONDS:-15}
SECONDS=0
stage() { echo "== $* (at ${SECONDS}s)"; }
cache_report() {
  ccache --print-stats 2>/dev/null | awk -F'\t' '
    $1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { hit += $2 }
    $1 == "cache_miss" { miss += $2 }
    END { total = hit + miss; printf "ccache: %d hits, %d misses (%.0f%% hit rate)\n", hit, miss,
          total ? 100 * hit / total : 0 }'
}

stage "build and test"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
if [ "$quick" = 1 ]; then
  cache_report
  echo "== quick run passed in ${SECONDS}s (the whole suite: scripts/run-tests.sh)"
  exit 0
fi

stage "Debian packages: build, validate, install, start, remove"
"$root/scripts/package-check.sh" "$root/build"
"$root/scripts/package-check-gateway.sh" "$root/build"

# The galleries and benchmarks are not needed here; the two large transfers (label "slow") ran in
# the normal build: under the sanitizers they cost minutes of zlib and nothing more is checked.
stage "build and test with ASan and UBSan"
# Shared libraries: statically linked, every sanitized test program would carry the whole
# gateway and console (half a gigabyte each, 20 GB in all).
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQUORVIA_SANITIZE=ON \
  -DQUORVIA_BENCH=OFF -DQUORVIA_SHARED_LIBS=ON
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs" -LE slow

stage "fuzz targets, ${fuzz_seconds}s each, ${jobs} at a time"
# Only the fuzz targets and what they link; the windows and the gateway are not needed here.
fuzz_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DQUORVIA_FUZZ=ON
              -DQUORVIA_TESTS=OFF -DQUORVIA_BENCH=OFF)
cmake -S "$root" -B "$root/build-fuzz" -G Ninja "${fuzz_options[@]}" >/dev/null
"$root/scripts/build.sh" "$root/build-fuzz" "${fuzz_options[@]}" -- \
  $(ninja -C "$root/build-fuzz" -t targets all | sed -n 's|^fuzz/\(fuzz_[a-z_]*\): .*|\1|p' |
    grep -v _autogen | sort -u)
mkdir -p "$root/build-fuzz/fuzz-logs"
run_fuzz() {
  local f=$1 name corpus
  name=$(basename "$f")
  corpus="$root/build-fuzz/corpus/$name"; mkdir -p "$corpus"
  if ASAN_OPTIONS=detect_leaks=0 "$f" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 \
    -print_final_stats=0 "$corpus" >"$root/build-fuzz/fuzz-logs/$name.log" 2>&1; then
    echo "-- $name: $(tail -n 1 "$root/build-fuzz/fuzz-logs/$name.log")"
  else
    echo "-- $name FAILED:"; tail -n 40 "$root/build-fuzz/fuzz-logs/$name.log"; return 1
  fi
}
export -f run_fuzz; export root fuzz_seconds
find "$root/build-fuzz/fuzz" -maxdepth 1 -name 'fuzz_*' -type f -executable | sort |
  xargs -r -P "$jobs" -I{} bash -c 'run_fuzz {}'
cache_report
echo "== all tests passed in ${SECONDS}s"
