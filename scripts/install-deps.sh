#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, testing and running Tarvenix needs.
# Idempotent: packages already installed are skipped, and the package lists are
# refreshed only when something is missing.
set -euo pipefail

packages=(
    # toolchain
    build-essential cmake pkg-config
    # Qt 5.15: Core, Gui, Widgets, Concurrent, Network, DBus, Qml, Quick, QuickWidgets, Test
    qtbase5-dev qtdeclarative5-dev qtdeclarative5-dev-tools libqt5svg5-dev
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qttest
    # sound: the dev package alone pulls the null back end, which plays nothing
    libphonon4qt5-dev phonon4qt5 phonon4qt5-backend-gstreamer gstreamer1.0-plugins-good
    # device link, hot-plug, global keys
    libhidapi-dev libudev-dev libx11-dev libxi-dev
    # fonts: a metric-compatible stand-in for Arial, and CJK
    fonts-liberation2 fonts-noto-cjk
    # end-to-end tests and screenshots
    xvfb xdotool x11-utils imagemagick
    # Wayland: the toolkit's native Wayland platform, and a compositor that runs headless in tests
    qtwayland5 weston
    # the key-latency benchmark types through the XTEST extension
    libxtst-dev
    # a private message bus standing in for the system bus in the resume test
    dbus-daemon
    # tools: tools/make_sounds.py encodes the background track (MP3) with lame
    lame
    # fuzz targets: clang with libFuzzer
    clang libclang-rt-14-dev
    # the Windows launcher: cross compiler, and Wine to try it
    g++-mingw-w64-x86-64 wine64
    # the icon's sizes are rendered from its drawing; the Debian package is checked with lintian
    librsvg2-bin lintian
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
