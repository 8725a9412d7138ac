#!/usr/bin/env bash
# Installs, with apt, every Debian package the build, the tests and the benchmarks need.
# Does nothing when all of them are already there, so `make` stays fast.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev
  libmpv-dev libavformat-dev ffmpeg mpv
  libgtest-dev libgmock-dev libbenchmark-dev
  clang strace
  xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick openbox
  fonts-dejavu-core
  dpkg-dev file lintian desktop-file-utils appstream shared-mime-info man-db groff-base
  dbus-daemon dbus-bin playerctl
  # The wayland tests: GNOME's compositor nested on Xvfb, XWayland, and Qt's Wayland platform.
  mutter xwayland qt6-wayland
  # The stream test's local HTTP server.
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
