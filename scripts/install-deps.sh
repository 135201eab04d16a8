#!/usr/bin/env bash
# Installs the Debian 12 packages Mivra needs that are not installed yet.
# Works as root (no sudo needed) or through sudo for an ordinary user.
set -euo pipefail

packages=(
    # build
    g++ cmake ninja-build pkg-config git
    # libraries
    libicu-dev libpugixml-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-svg-dev libgl-dev
    # Qt6UiTools's CMake package needs the OpenGL and OpenGLWidgets config files
    libqt6opengl6-dev
    # Qt's own dialogs (print, font, file) in Swedish
    qt6-translations-l10n
    # fonts metric-compatible with the default report faces
    fonts-liberation2
    # headless runs, screenshots and PDF checks
    xvfb xauth poppler-utils
    # fuzzing and sanitizers with clang
    clang libclang-rt-14-dev
    # formatting
    clang-format
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
run() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
run apt-get update -qq
run apt-get install -y -qq --no-install-recommends "${missing[@]}"
