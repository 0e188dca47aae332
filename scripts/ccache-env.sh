# Sourced by the build scripts: where ccache keeps its cache and how it treats this project.
#  - sloppiness: a file built on a precompiled header is cached with that header's hash, which
#    covers its definitions and time macros (headers changed during a build are still caught:
#    ccache then compiles without its direct mode);
#  - base_dir and no hash_dir: another clone of the project in another folder hits the same
#    entries, since the build trees refer to the sources by the same relative paths.
export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}
export CCACHE_SLOPPINESS=pch_defines,time_macros
export CCACHE_BASEDIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_NOHASHDIR=1
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-8G}
export CCACHE_COMPILERCHECK=content
