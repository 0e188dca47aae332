#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need. Idempotent: nothing is
# downloaded when everything is present; "apt-get update" runs once, only when needed.
set -euo pipefail
packages=(
  cmake ninja-build ccache g++ clang-14 libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-svg-dev qt6-declarative-dev qt6-multimedia-dev qt6-image-formats-plugins libgl-dev
  gstreamer1.0-plugins-good libssl-dev zlib1g-dev libdeflate-dev libxcb1-dev libxkbcommon-dev
  libx11-dev
  squid xvfb xdotool xclip curl imagemagick xauth fonts-dejavu-core python3 x11-xkb-utils
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi python3-dbusmock
  libavcodec-dev libavformat-dev libswscale-dev ffmpeg
  libboost-dev libsodium-dev libsqlite3-dev libpq-dev postgresql prometheus-cpp-dev
  libxcb-shm0-dev libxcb-damage0-dev libxcb-xfixes0-dev libxcb-randr0-dev libxcb-xtest0-dev
  libxcb-xinput-dev libxcb-xkb-dev libxkbcommon-x11-dev xterm x11-apps x11-xserver-utils
  x11-utils adwaita-icon-theme xserver-xephyr
  libcurl4-openssl-dev python3-aiosmtpd nginx nghttp2-client systemd adduser openssl
  dpkg-dev file desktop-file-utils appstream
  x11vnc tigervnc-viewer desktop-base xterm x11-xserver-utils openssl libxdamage-dev libxtst-dev
  libxfixes-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
