#!/usr/bin/env bash
# The three programs together: quorvia-gateway (started by the test), quorvia-host on a
# virtual X display of its own with real X programs, and the console's session core. A private
# D-Bus stands in for the system bus, with a logind stand-in (python3-dbusmock) that takes the
# reboot.
#   host_e2e.sh PROGRAM [ARGS...]
# Exit status 77 (skipped) when a tool the test drives is missing.
set -uo pipefail
for tool in Xvfb xdotool xterm xmessage xwininfo import dbus-daemon dbus-send; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import dbusmock' 2>/dev/null || { echo "SKIP: python3-dbusmock"; exit 77; }
source "$(dirname "$0")/../../support/x11_programs.sh"
x11_programs_begin host-e2e
start_xvfb 1024x768x24 || fail "Xvfb did not start"

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
export XDG_CURRENT_DESKTOP= XCURSOR_THEME=Adwaita
"$@"
