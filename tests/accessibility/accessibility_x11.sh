#!/usr/bin/env bash
# The console as assistive technology sees it: the real console and the local gateway on a
# virtual X display, with a private D-Bus session and the desktop's accessibility bus (AT-SPI).
# A client on that bus lists the toolbar's buttons by name and, during a session, presses
#   "Download clipboard from client", then "Plain text" in the options window -> "DlCl?" reaches
#   the host;
#   "Reboot client computer", then "Yes" in the question -> "ReBt" reaches the host.
#   accessibility_x11.sh BUILD_DIR
# Exit status 77 (skipped) when a tool is missing or the accessibility bus cannot start.
set -uo pipefail
build=${1:?usage: accessibility_x11.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
# The distribution's Python: python3-pyatspi is installed for it, not for others on PATH.
py=/usr/bin/python3
[ -x "$py" ] || py=python3
for tool in Xvfb xdotool dbus-daemon dbus-send "$py"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
"$py" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

source "$here/../support/x11_programs.sh"
x11_programs_begin accessibility
client() { "$py" "$here/atspi_client.py" "$@"; }
arrived() { grep -qF "[\"string\",\"$1" "$work/gateway/requests.jsonl"; }

# A private session bus; the accessibility bus is started on it by the desktop's own launcher.
exec 3>"$work/bus"
dbus-daemon --session --nofork --nopidfile --print-address=3 >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
until_true 50 test -s "$work/bus" || { echo "SKIP: no private D-Bus session"; exit 77; }
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
"$launcher" --launch-immediately >/dev/null 2>&1 &
pids+=($!)
a11y_bus() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}
until_true 100 a11y_bus || { echo "SKIP: the accessibility bus cannot start"; exit 77; }
# Qt joins the bus only when assistive technology asks for it, or always with this.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$build/gateway/quorvia-gateway" test --dir "$work/gateway" --host-delay-ms 500 --poll-hold-ms 2000 \
  --console-ini "$work/data/Quorvia/quorvia.ini" >"$work/gateway.out" 2>&1 &
pids+=($!)
until_true 200 grep -q '^READY' "$work/gateway.out" || fail "the local gateway did not start"

start_xvfb 1400x960x24 || fail "Xvfb did not start"

"$build/src/quorvia" >"$work/console.out" 2>&1 &
pids+=($!)
until_true 300 xdotool search --onlyvisible --name "^Quorvia Access" || fail "no main window"

# Outside a session the toolbar offers Connect; the session-only buttons show disabled.
until_true 100 client buttons || fail "the console is not on the accessibility bus"
client buttons >"$work/before.txt"
grep -qx "Start new support session" "$work/before.txt" || fail "no Connect button: $(cat "$work/before.txt")"
grep -qx -- "-Reboot client computer" "$work/before.txt" || fail "Reboot is not disabled"

client press "Start new support session" || fail "Connect could not be pressed"
until_true 300 grep -q '"code":"0[57]"' "$work/gateway/requests.jsonl" ||
  fail "no session: the remote screen was not fetched"

client press "Download clipboard from client" || fail "the clipboard button could not be pressed"
client press "Plain text" || fail "the options window offered no \"Plain text\""
until_true 100 arrived "DlCl?" || fail "no DlCl reached the host"

client press "Reboot client computer" || fail "the reboot button could not be pressed"
client press "Yes" || fail "the reboot question offered no \"Yes\""
until_true 100 arrived "ReBt" || fail "no ReBt reached the host"
echo "PASS: buttons by name, clipboard and reboot through the accessibility bus"
exit 0
