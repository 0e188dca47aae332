#!/usr/bin/env bash
# Runs a test program of the host's X11 desktop on a virtual X display of its own, with a
# private D-Bus standing in for the system bus that holds a logind stand-in (python3-dbusmock)
# with one session, "c1", which the program's session is.
#   host_x11.sh PROGRAM [ARGS...]
# Exit status 77 (skipped) when Xvfb, xdotool or the X programs the test drives are missing.
set -uo pipefail
for tool in Xvfb xdotool xterm xmessage xev xlogo xsetroot xwininfo setxkbmap import xrandr; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/../support/x11_programs.sh"
x11_programs_begin host-x11
# A second display whose server has screen modes to switch (Xvfb has one): Xephyr, shown on
# a virtual display of its own.
if command -v Xephyr >/dev/null; then
  start_xvfb 1700x1300x24 || fail "Xvfb did not start"
  for _ in 1 2 3; do
    n=$((200 + RANDOM % 20000))
    grep -aq "/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null && continue
    Xephyr ":$n" -screen 1280x1024 -resizeable -nolisten tcp -noreset >/dev/null 2>&1 &
    pids+=($!)
    if until_true 100 env DISPLAY=":$n" xdotool getdisplaygeometry; then
      export QUORVIA_TEST_MODES_DISPLAY=":$n" QUORVIA_TEST_MODES_PID=${pids[-1]}
      break
    fi
  done
fi
# A 16-bit display, which the backend refuses.
start_xvfb 640x480x16 || fail "Xvfb did not start"
export QUORVIA_TEST_DEPTH16_DISPLAY=$DISPLAY
start_xvfb 1280x1024x24 || fail "Xvfb did not start"

# The logind stand-in is optional: the test skips the lock where it is missing.
if command -v dbus-daemon >/dev/null && /usr/bin/python3 -c 'import dbusmock' 2>/dev/null; then
  start_logind_standin
  dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.login1 \
    /org/freedesktop/login1 org.freedesktop.DBus.Mock.AddSession string:c1 string:seat0 \
    uint32:1000 string:operator boolean:true >/dev/null || fail "no session on the logind stand-in"
  export XDG_SESSION_ID=c1 QUORVIA_TEST_LOGIND=1
fi
# A plain X desktop (no desktop's settings for the wallpaper) with the cursor theme a desktop
# sets, so that programs' cursors carry their names.
export XDG_CURRENT_DESKTOP= XCURSOR_THEME=Adwaita
"$@"
