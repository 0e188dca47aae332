#!/usr/bin/env bash
# Runs a test program of the host's X11 desktop on a virtual X display of its own, with a
# private D-Bus standing in for the system bus that holds a logind stand-in (python3-dbusmock)
# with one session, "c1", which the program's session is.
#   host_x11.sh PROGRAM [ARGS...]
# Exit status 77 (skipped) when Xvfb, xdotool or the X programs the test drives are missing.
set -uo pipefail
for tool in Xvfb xdotool xterm xmessage xev xlogo xsetroot xwininfo setxkbmap import; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/../support/x11_programs.sh"
x11_programs_begin host-x11
start_xvfb 1280x1024x24 || fail "Xvfb did not start"

# The logind stand-in is optional: the test skips the lock where it is missing.
if command -v dbus-daemon >/dev/null && /usr/bin/python3 -c 'import dbusmock' 2>/dev/null; then
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
  dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.login1 \
    /org/freedesktop/login1 org.freedesktop.DBus.Mock.AddSession string:c1 string:seat0 \
    uint32:1000 string:operator boolean:true >/dev/null || fail "no session on the logind stand-in"
  export XDG_SESSION_ID=c1 QUORVIA_TEST_LOGIND=1
fi
# A plain X desktop (no desktop's settings for the wallpaper) with the cursor theme a desktop
# sets, so that programs' cursors carry their names.
export XDG_CURRENT_DESKTOP= XCURSOR_THEME=Adwaita
"$@"
