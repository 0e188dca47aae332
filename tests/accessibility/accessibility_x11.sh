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
for tool in Xvfb xdotool curl dbus-daemon dbus-send "$py"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
"$py" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/accessibility.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$work/console.out" ] && { echo "--- console output"; tail -n 30 "$work/console.out"; }
  exit 1
}
# Polls a condition for up to $1 tenths of a second.
until_true() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
client() { "$py" "$here/atspi_client.py" "$@"; }
arrived() { grep -qF "[\"string\",\"$1" "$work/gateway/requests.jsonl"; }

mkdir -p "$work/data/Quorvia" "$work/config" "$work/docs" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export XDG_DOCUMENTS_DIR="$work/docs"
unset http_proxy https_proxy all_proxy HTTP_PROXY HTTPS_PROXY ALL_PROXY QT_QPA_PLATFORM

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

"$build/localgw/quorvia-gateway" --dir "$work/gateway" --host-delay-ms 500 --poll-hold-ms 2000 \
  --console-ini "$work/data/Quorvia/quorvia.ini" >"$work/gateway.out" 2>&1 &
pids+=($!)
until_true 200 grep -q '^READY' "$work/gateway.out" || fail "the local gateway did not start"

# Xvfb picks a free display and names it; the display is used only once it takes connections.
started=0
for _ in 1 2 3; do
  : >"$work/display"
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1400x960x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  pids+=($xvfb)
  exec 3>&-
  until_true 100 test -s "$work/display" || continue
  export DISPLAY=":$(head -n 1 "$work/display")"
  if until_true 50 xdotool getdisplaygeometry; then
    started=1
    break
  fi
  kill "$xvfb" 2>/dev/null
done
[ "$started" = 1 ] || fail "Xvfb did not start"

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
