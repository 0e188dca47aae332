#!/usr/bin/env bash
# Builds the Debian packages (the console's, then the host program's), checks its desktop entry and AppStream data, installs it, starts
# the installed console on a virtual display until its window shows, and removes the package
# again. Without a chroot or container the package is installed on this machine itself (it
# must not be installed already from elsewhere: the script removes it at the end).
#   scripts/package-check.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

echo "== package"
rm -f "$build"/quorvia_*.deb
(cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
deb=$(ls "$build"/quorvia_*.deb)
echo "$deb"
dpkg-deb --field "$deb" Depends

echo "== desktop entry and AppStream data"
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in quorvia quorvia-host; do
    if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      dpkg -r "$p" >/dev/null || true
    fi
  done
  rm -rf "$work"
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net --explain "$work"/root/usr/share/metainfo/*.metainfo.xml

echo "== install"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
# apt installs what the package depends on; dpkg alone would not.
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "$deb" >/dev/null
test -x /usr/bin/quorvia
test -f /usr/share/icons/hicolor/48x48/apps/quorvia.png

echo "== start the installed console"
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
disp=""
for d in $(seq 150 199); do [ -e "/tmp/.X$d-lock" ] || { disp=$d; break; }; done
Xvfb ":$disp" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$disp"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
/usr/bin/quorvia >"$work/console.out" 2>&1 &
pids+=($!)
if ! timeout 30 xdotool search --sync --onlyvisible --pid "${pids[-1]}" >/dev/null; then
  cat "$work/console.out"
  echo "the installed console showed no window"
  exit 1
fi
kill -0 "${pids[-1]}"
echo "== the installed console started; removing the package"

echo "== host package"
rm -f "$build"/quorvia-host_*.deb
(cd "$build" && cpack --config CPackConfig-host.cmake >/dev/null)
hostdeb=$(ls "$build"/quorvia-host_*.deb)
echo "$hostdeb"
dpkg-deb --field "$hostdeb" Depends
if dpkg-deb -c "$deb" | grep -q quorvia-host; then
  echo "the console's package holds the host program's files"
  exit 1
fi
dpkg-deb -x "$hostdeb" "$work/hostroot"
desktop-file-validate "$work"/hostroot/usr/share/applications/*.desktop
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "$hostdeb" >/dev/null
test -x /usr/bin/quorvia-host
test -f /etc/quorvia-host/host.ini
dpkg-query -W -f='${Conffiles}' quorvia-host | grep -q /etc/quorvia-host/host.ini

echo "== start the installed host program"
/usr/bin/quorvia-host >"$work/host.out" 2>&1 &
pids+=($!)
if ! timeout 30 xdotool search --sync --onlyvisible --pid "${pids[-1]}" >/dev/null; then
  cat "$work/host.out"
  echo "the installed host program showed no window"
  exit 1
fi
kill -0 "${pids[-1]}"
echo "== the installed host program started; removing the packages"
