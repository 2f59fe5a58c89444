#!/usr/bin/env bash
# Installs what building and running the calendar needs on Debian 12, then configures and
# builds it into ./build. Packages already present are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libfontconfig-dev libjpeg-dev
          libcups2-dev libgtest-dev libbenchmark-dev fonts-liberation fonts-dejavu-core
          fonts-noto-color-emoji fontconfig xvfb xauth x11-utils xdotool libx11-dev libxcb1-dev imagemagick xdg-utils
          poppler-utils openbox xfwm4 dbus-daemon faketime xclip locales mutter xwayland qt6-wayland
          bindfs rclone sshfs openssh-server)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# sshd will not start without its privilege separation folder, which only an init system makes.
[ -d /run/sshd ] || $SUDO mkdir -p /run/sshd

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
