#!/usr/bin/env bash
# build.sh DIR [cmake options...] [-- targets...]: configures and builds one build tree (all of it,
# or only the targets named after "--"). Every compile goes
# through ccache, with its cache in the user's cache folder, so a second build on this machine
# (another clone, the sanitizer tree after a clean) recompiles only what changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift
source "$root/scripts/ccache-env.sh"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${options[@]}" >/dev/null
ninja -C "$dir" -j "$(nproc)" "$@"
