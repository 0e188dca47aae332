#!/usr/bin/env bash
# Builds the gateway service's Debian package, checks its contents and its systemd unit,
# installs it, starts the installed service as its unit would (its system user, the installed
# configuration with a free port on 127.0.0.1 and a state folder of its own), lets the console's
# session core log on to it and off, and removes the package again. Without a chroot or
# container the package is installed on this machine itself (it must not be installed already
# from elsewhere: the script removes it at the end).
#   scripts/package-check-gateway.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

echo "== package"
rm -f "$build"/quorvia-gateway_*.deb
(cd "$build" && cpack --config CPackConfig.cmake -D CPACK_COMPONENTS_ALL=gateway >/dev/null)
deb=$(ls "$build"/quorvia-gateway_*.deb)
echo "$deb"
dpkg-deb --field "$deb" Package Depends

work=$(mktemp -d)
chmod 0755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if dpkg-query -W -f='${Status}' quorvia-gateway 2>/dev/null | grep -q "installed"; then
    dpkg --purge quorvia-gateway >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== contents and unit"
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -e "$deb" "$work/control"
for f in usr/bin/quorvia-gateway lib/systemd/system/quorvia-gateway.service \
         etc/quorvia-gateway/gateway.conf usr/share/doc/quorvia-gateway/README.md; do
  test -e "$work/root/$f" || { echo "missing in the package: /$f"; exit 1; }
done
grep -qx /etc/quorvia-gateway/gateway.conf "$work/control/conffiles"
unit="$work/root/lib/systemd/system/quorvia-gateway.service"
for option in ProtectSystem=strict StateDirectory=quorvia-gateway \
              CapabilityBoundingSet=CAP_NET_BIND_SERVICE NoNewPrivileges=yes PrivateTmp=yes \
              ProtectHome=yes RestrictAddressFamilies= SystemCallFilter=@system-service \
              User=quorvia-gateway; do
  grep -q "^$option" "$unit" || { echo "the unit lacks $option"; exit 1; }
done
# The unit as systemd reads it (ExecStart is looked up in the extracted tree).
sed "s|/usr/bin/quorvia-gateway|$work/root/usr/bin/quorvia-gateway|" "$unit" \
  >"$work/quorvia-gateway.service"
systemd-analyze verify "$work/quorvia-gateway.service"
systemd-analyze security --offline=yes "$work/quorvia-gateway.service" 2>/dev/null |
  tail -n 1 || true

echo "== install"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "$deb" >/dev/null
test -x /usr/bin/quorvia-gateway
getent passwd quorvia-gateway >/dev/null
test "$(stat -c %G:%a /etc/quorvia-gateway/tls/key.pem)" = "quorvia-gateway:640"
if [ -d /run/systemd/system ]; then
  # Where systemd runs, the package started the service itself.
  for _ in $(seq 100); do systemctl is-active --quiet quorvia-gateway && break; sleep 0.1; done
  systemctl is-active quorvia-gateway
fi

echo "== start the installed service as its unit does"
state="$work/state"
mkdir -m 0700 "$state"
chown quorvia-gateway:quorvia-gateway "$state"
config="$work/gateway.conf"
{ cat /etc/quorvia-gateway/gateway.conf
  printf 'listen = 127.0.0.1\nport = 0\nstate_dir = %s\nsite_dir = %s/site\n' "$state" "$state"
} >"$config"
chmod 0644 "$config"
as_service=($SUDO setpriv --reuid=quorvia-gateway --regid=quorvia-gateway --init-groups
            --inh-caps=-all --no-new-privs --)
echo "check-password" | "${as_service[@]}" /usr/bin/quorvia-gateway user add operator \
  --name "Package Check" --config "$config"
# Started directly (no subshell), so that $! is the service itself.
"${as_service[@]}" /usr/bin/quorvia-gateway serve --config "$config" >"$work/serve.out" \
  2>"$work/serve.err" &
pids+=($!)
port=""
for _ in $(seq 300); do
  port=$(sed -n 's/^READY port=//p' "$work/serve.out")
  [ -n "$port" ] && break
  kill -0 "${pids[-1]}" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  cat "$work/serve.err"
  echo "the installed service did not start"
  exit 1
fi
curl -sf --cacert /etc/quorvia-gateway/tls/cert.pem "https://127.0.0.1:$port/healthz" | grep -qx ok

echo "== the console's session core logs on"
echo "check-password" | "$build/tests/gatewayd/gatewayd_logon_probe" \
  "https://127.0.0.1:$port/gw{n}/" /etc/quorvia-gateway/tls/cert.pem operator 1
kill -TERM "${pids[-1]}"
wait "${pids[-1]}"
grep -q "session end: operator" "$work/serve.err"

echo "== remove"
dpkg --purge quorvia-gateway >/dev/null
test ! -e /usr/bin/quorvia-gateway
test ! -e /etc/quorvia-gateway/tls
echo "== the gateway package installed, served a console and was removed"
