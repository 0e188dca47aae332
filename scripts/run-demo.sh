#!/usr/bin/env bash
# The demo: builds the console and runs it with settings of its own under out/demo (never the
# user's). Without a display it runs on a virtual one and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
demo="$root/out/demo"
mkdir -p "$demo/data" "$demo/config" "$demo/docs" "$demo/runtime"
chmod 700 "$demo/runtime"
export XDG_DATA_HOME="$demo/data" XDG_CONFIG_HOME="$demo/config" XDG_RUNTIME_DIR="$demo/runtime"
export XDG_DOCUMENTS_DIR="$demo/docs"
console="$root/build/src/quorvia"

if [ -n "${DISPLAY:-}" ]; then
  exec "$console"
fi

shot="$root/out/demo-screenshot.png"
disp=""
for d in $(seq 90 140); do [ -e "/tmp/.X$d-lock" ] || { disp=$d; break; }; done
Xvfb ":$disp" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$disp"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
"$console" &
app=$!
timeout 30 xdotool search --sync --onlyvisible --pid "$app" >/dev/null
sleep 3
import -window root "$shot"
echo "Screenshot of the console: $shot"
