# Sourced by the tests that drive the real console and gateway on a virtual X display: a private
# work folder with the console's XDG folders, the end of everything started, polling, and Xvfb.
#   x11_programs_begin NAME   work folder $work (removed at exit unless KEEP_WORK is set)
#   pids+=($!)                a started process, ended at exit
#   until_true TENTHS CMD...  polls CMD for up to TENTHS tenths of a second
#   fail TEXT                 FAIL line, the console's last output, exit 1
#   start_xvfb GEOMETRY       a virtual display on a free number, exported as DISPLAY

x11_programs_begin() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
  pids=()
  trap x11_programs_end EXIT
  mkdir -p "$work/data/Quorvia" "$work/config" "$work/docs" "$work/runtime"
  chmod 700 "$work/runtime"
  export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
  export XDG_DOCUMENTS_DIR="$work/docs"
  unset http_proxy https_proxy all_proxy HTTP_PROXY HTTPS_PROXY ALL_PROXY QT_QPA_PLATFORM
}

x11_programs_end() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}

fail() {
  echo "FAIL: $*"
  [ -f "$work/console.out" ] && { echo "--- console output"; tail -n 30 "$work/console.out"; }
  exit 1
}

until_true() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# Xvfb picks a free display and names it; the display is used only once it takes connections
# (a server that lost a race for its display goes away again, and another is started).
start_xvfb() {
  local xvfb
  for _ in 1 2 3; do
    : >"$work/display"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    pids+=($xvfb)
    exec 3>&-
    until_true 100 test -s "$work/display" || continue
    export DISPLAY=":$(head -n 1 "$work/display")"
    until_true 50 xdotool getdisplaygeometry && return 0
    kill "$xvfb" 2>/dev/null
  done
  return 1
}
