#!/usr/bin/env bash
# The three programs together: quorvia-gateway (started by the test), quorvia-host on a
# virtual X display of its own with real X programs, and the console's session core on a second
# display (HOST_DISPLAY names the host's to it), each with its own clipboard. A private
# D-Bus stands in for the system bus, with a logind stand-in (python3-dbusmock) that takes the
# reboot.
#   host_e2e.sh PROGRAM [ARGS...]
# Exit status 77 (skipped) when a tool the test drives is missing.
set -uo pipefail
for tool in Xvfb xdotool xterm xmessage xwininfo import xclip dbus-daemon dbus-send; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import dbusmock' 2>/dev/null || { echo "SKIP: python3-dbusmock"; exit 77; }
source "$(dirname "$0")/../../support/x11_programs.sh"
x11_programs_begin host-e2e
start_xvfb 640x480x24 || fail "Xvfb did not start"
console_display=$DISPLAY
start_xvfb 1024x768x24 || fail "Xvfb did not start"
export HOST_DISPLAY=$DISPLAY

start_logind_standin
export XDG_CURRENT_DESKTOP= XCURSOR_THEME=Adwaita
DISPLAY=$console_display QT_QPA_PLATFORM=xcb "$@"
