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

# A virtual display on a number no other X server uses. Servers of other sandboxes on this
# machine may not show in our /tmp, but their abstract sockets (which clients try first) do in
# /proc/net/unix: a number taken there would connect our programs to their server. Numbers are
# drawn at random from a wide range, and the display is used only once our server answers.
start_xvfb() {
  local xvfb n
  for _ in 1 2 3 4 5 6; do
    n=$((200 + RANDOM % 20000))
    grep -aq "/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null && continue
    [ -e "/tmp/.X$n-lock" ] && continue
    # -noreset: the last client leaving would otherwise restart the server, and a program
    # connecting in that moment is turned away.
    Xvfb ":$n" -screen 0 "$1" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    pids+=($xvfb)
    export DISPLAY=":$n"
    until_true 100 xdotool getdisplaygeometry && kill -0 "$xvfb" 2>/dev/null && return 0
    kill "$xvfb" 2>/dev/null
  done
  return 1
}

# A private system bus with python3-dbusmock's logind stand-in on it, for the session manager's
# lock and reboot; DBUS_SYSTEM_BUS_ADDRESS names it to the programs started afterwards.
start_logind_standin() {
  : >"$work/bus"
  dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
  pids+=($!)
  until_true 100 test -s "$work/bus" || fail "the private D-Bus did not start"
  export DBUS_SYSTEM_BUS_ADDRESS=$(head -n 1 "$work/bus")
  /usr/bin/python3 -m dbusmock --system --template logind >"$work/logind.out" 2>&1 &
  pids+=($!)
  logind_up() {
    dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.DBus / \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.login1 | grep -q 'boolean true'
  }
  until_true 200 logind_up || fail "the logind stand-in did not start"
}
