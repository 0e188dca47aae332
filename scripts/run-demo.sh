#!/usr/bin/env bash
# The demo: builds the console and the local gateway, starts the gateway with its simulated
# host, and runs the console with settings of its own under out/demo (never the user's), already
# pointing at the gateway with the account filled in. Without a display it runs on a virtual one,
# starts the session by keyboard, waits for the remote desktop and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
demo="$root/out/demo"
rm -rf "$demo"
mkdir -p "$demo/data/Quorvia" "$demo/config" "$demo/docs" "$demo/runtime" "$demo/gateway"
chmod 700 "$demo/runtime"
export XDG_DATA_HOME="$demo/data" XDG_CONFIG_HOME="$demo/config" XDG_RUNTIME_DIR="$demo/runtime"
export XDG_DOCUMENTS_DIR="$demo/docs"
console="$root/build/src/quorvia"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

"$root/build/gateway/quorvia-gateway" test --dir "$demo/gateway" --host-delay-ms 3000 \
  --console-ini "$demo/data/Quorvia/quorvia.ini" >"$demo/gateway.out" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q '^READY' "$demo/gateway.out" 2>/dev/null && break; sleep 0.1; done
grep -q '^READY' "$demo/gateway.out" || { cat "$demo/gateway.out"; echo "gateway did not start"; exit 1; }
echo "Local gateway: $(grep '^READY' "$demo/gateway.out")"

if [ -n "${DISPLAY:-}" ]; then
  echo "Press Ctrl+N (Connection > Connect) to start a session; the remote user joins 3 s later."
  "$console"
  exit 0
fi

shot="$root/out/demo-screenshot.png"
disp=""
for d in $(seq 90 140); do [ -e "/tmp/.X$d-lock" ] || { disp=$d; break; }; done
Xvfb ":$disp" -screen 0 1360x960x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$disp"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
"$console" >"$demo/console.out" 2>&1 &
pids+=($!)
win=$(timeout 30 xdotool search --sync --onlyvisible --pid "${pids[-1]}" | head -n 1)
sleep 1
# No window manager runs on the virtual display: give the console the focus directly.
xdotool windowfocus --sync "$win" >/dev/null 2>&1 || true
xdotool key ctrl+n
# The remote desktop is on screen once the console has fetched pictures from the gateway.
for _ in $(seq 300); do
  grep -q '"code":"0[57]"' "$demo/gateway/requests.jsonl" 2>/dev/null && break
  sleep 0.1
done
sleep 3
import -window root "$shot"
echo "Screenshot of the console in a session: $shot"
