#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds one build tree. Every compile goes
# through ccache, with its cache in the user's cache folder, so a second build on this machine
# (another clone, the sanitizer tree after a clean) recompiles only what changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
source "$root/scripts/ccache-env.sh"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
ninja -C "$dir" -j "$(nproc)"
